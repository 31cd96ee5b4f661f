// The declination dialog's frame "Calculer pour un lieu": what it says for a place and a
// date, when it lets "Appliquer" act, and the place it remembers.
#include "DialogTestSupport.h"

#include "dialogs/DeclinationCalculator.h"
#include "settings/OwnSettings.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

namespace app::testing {
namespace {

class DeclinationCalculatorTest : public DialogTest {
protected:
    TDeclinationCalculator &Make() {
        frame =
            std::make_unique<TDeclinationCalculator>(nullptr, [] { return QDate(2026, 12, 7); });
        frame->onApply = [this](const DeclinationSetting &setting) { applied.push_back(setting); };
        return *frame;
    }
    void Compute(const char *latitude, const char *longitude, QDate date) {
        frame->LatitudeEdit->setText(QString::fromUtf8(latitude));
        frame->LongitudeEdit->setText(QString::fromUtf8(longitude));
        frame->DateEdit->setDate(date);
        frame->ComputeButton->click();
    }

    std::unique_ptr<TDeclinationCalculator> frame;
    std::vector<DeclinationSetting> applied;
};

TEST_F(DeclinationCalculatorTest, ShowsTheDeclinationWarnsAndAppliesOnlyWhatTheModuleCanHold) {
    const QDate today(2026, 12, 7);
    const struct {
        const char *place, *latitude, *longitude;
        QDate date;
        const char *result;                // in the result, empty for none
        std::vector<const char *> warning; // pieces of the warning text, in order
        std::optional<DeclinationSetting> setting;
    } cases[] = {
        {"Paris",
         "48.8566",
         "2.3522",
         today,
         "° EST ± 0,4°\nAppliquer : 2° EST, plage 3",
         {},
         DeclinationSetting{false, 2, 3}},
        {"Tokyo",
         "35 40.8 N",
         "139 42 E",
         today,
         "° OUEST ± 0,3°\nAppliquer : 8° OUEST, plage 10",
         {},
         DeclinationSetting{true, 8, 10}},
        {"Paris in 2024",
         "48.8566",
         "2.3522",
         QDate(2024, 6, 1),
         "° EST",
         {"hors de la période de validité"},
         DeclinationSetting{false, 2, 3}},
        {"caution zone",
         "72",
         "-100",
         today,
         "Appliquer : 2° OUEST, plage 3",
         {"Zone de prudence"},
         DeclinationSetting{true, 2, 3}},
        {"north magnetic pole",
         "85 48 N",
         "139 18 E",
         today,
         "° OUEST",
         {"Zone interdite", "Rien n'est appliqué."},
         std::nullopt},
        {"pole in 2031",
         "85.8",
         "139.3",
         QDate(2031, 1, 1),
         "° OUEST",
         {"Zone interdite", "hors de la période", "Rien n'est appliqué."},
         std::nullopt},
        {"Montreal",
         "45.5",
         "-73.57",
         today,
         "° OUEST",
         {"Elle dépasse 10° : le module ne peut pas la recevoir"},
         std::nullopt},
        {"bad latitude",
         "48°61'",
         "2",
         today,
         "",
         {"Latitude : les minutes et les secondes vont de 0 à 59."},
         std::nullopt},
        {"bad longitude",
         "48",
         "200 E",
         today,
         "",
         {"Longitude : la longitude va de 180° O à 180° E."},
         std::nullopt},
        {"no latitude", "", "2", today, "", {"Latitude : la latitude manque."}, std::nullopt},
    };
    Make();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.place);
        applied.clear();
        Compute(c.latitude, c.longitude, c.date);
        const QString result = frame->ResultLabel->text();
        if (*c.result == '\0') {
            EXPECT_EQ(result, QString());
        } else {
            EXPECT_TRUE(result.startsWith(QStringLiteral("Déclinaison : ")))
                << result.toStdString();
            EXPECT_TRUE(result.contains(QString::fromUtf8(c.result))) << result.toStdString();
        }
        const QString warning = frame->WarningLabel->text();
        qsizetype at = 0;
        for (const char *piece : c.warning) {
            at = warning.indexOf(QString::fromUtf8(piece), at);
            EXPECT_GE(at, 0) << piece << " in " << warning.toStdString();
        }
        if (c.warning.empty()) {
            EXPECT_EQ(warning, QString());
        }
        EXPECT_EQ(frame->ApplyButton->isEnabled(), c.setting.has_value());
        frame->Apply(); // as a click that reached a disabled button would
        EXPECT_EQ(applied, c.setting ? std::vector{*c.setting} : std::vector<DeclinationSetting>{});
    }
}

TEST_F(DeclinationCalculatorTest, RemembersThePlaceInItsOwnFileAndForgetsAStaleResult) {
    Make();
    EXPECT_EQ(frame->DateEdit->date(), QDate(2026, 12, 7)); // today
    EXPECT_EQ(frame->LatitudeEdit->text(), QString());
    Compute("48 51.4", "2 21.1 E", QDate(2027, 5, 1));
    EXPECT_TRUE(frame->ApplyButton->isEnabled());

    // A change of the place or the date takes the result away: it was not worked out for them.
    QTest::keyClicks(frame->LatitudeEdit, " N");
    EXPECT_FALSE(frame->ApplyButton->isEnabled());
    EXPECT_EQ(frame->ResultLabel->text(), QString());
    QTest::keyClick(frame->LatitudeEdit, Qt::Key_Return); // Enter computes again
    EXPECT_TRUE(frame->ApplyButton->isEnabled());
    frame->DateEdit->setDate(QDate(2027, 5, 2));
    EXPECT_FALSE(frame->ApplyButton->isEnabled());

    // The place last worked out comes back in a new frame, from Ventrose.conf.
    Make();
    EXPECT_EQ(frame->LatitudeEdit->text(), QStringLiteral("48 51.4 N"));
    EXPECT_EQ(frame->LongitudeEdit->text(), QStringLiteral("2 21.1 E"));
    EXPECT_TRUE(QFile::exists(settings::OwnSettingsPath()));

    // A place that cannot be stored is said, and the result is still given.
    QFile::remove(settings::OwnSettingsPath());
    ASSERT_TRUE(QDir(installDir.path()).mkdir(QStringLiteral("Ventrose.conf")));
    Compute("48.8566", "2.3522", QDate(2027, 5, 1));
    EXPECT_TRUE(frame->WarningLabel->text().contains(QStringLiteral("n'a pas pu être retenu")));
    EXPECT_TRUE(frame->ApplyButton->isEnabled());

    frame->HelpButton->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, QStringLiteral("declinaison-lieu"));
}

} // namespace
} // namespace app::testing
