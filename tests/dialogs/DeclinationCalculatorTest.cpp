// The declination dialog's frame "Calculer pour un lieu": what it says for a place and a
// date, when it lets "Appliquer" act, and the place it remembers.
#include "DialogTestSupport.h"

#include "dialogs/DeclinationCalculator.h"
#include "nmea/ShareSettings.h"
#include "platform/app/Translations.h"
#include "settings/OwnSettings.h"
#include "support/Languages.h"

#include <QDateEdit>

#include <cstdlib>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

namespace app::testing {
namespace {

class DeclinationCalculatorTest : public DialogTest {
protected:
    void Make() {
        frame =
            std::make_unique<TDeclinationCalculator>(nullptr, [] { return QDate(2026, 12, 7); });
        frame->onApply = [this](const DeclinationSetting &setting) { applied.push_back(setting); };
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
        const char *latitude, *longitude;
        QDate date;
        const char *result;  // a piece of the result, empty for none
        const char *warning; // the start of the warning text, empty for none
        std::optional<DeclinationSetting> setting;
    } cases[] = {
        {"48.8566", "2.3522", today, "° EST ± 0,4°\nAppliquer : 2° EST, plage 3", "",
         DeclinationSetting{false, 2, 3}},
        // The degrees applied are those of the tenth shown, rounded: 2.46° E shows 2.5° and
        // applies 3°, 10.36° W shows 10.4° and applies 10°.
        {"48.8566", "3.63", QDate(2026, 12, 8), "2,5° EST ± 0,4°\nAppliquer : 3° EST", "",
         DeclinationSetting{false, 3, 3}},
        {"50", "-31", today, "10,4° OUEST ± 0,4°\nAppliquer : 10° OUEST", "",
         DeclinationSetting{true, 10, 10}},
        // Outside the model's years the value is only an extrapolation: no ±, nothing applied.
        {"48.8566", "2.3522", QDate(2024, 12, 31),
         "Déclinaison extrapolée : ", "Date hors de la période", std::nullopt},
        {"72", "-100", today, "Appliquer : 2° OUEST", "Zone de prudence",
         DeclinationSetting{true, 2, 3}},
        {"85 48 N", "139 18 E", today, "° OUEST", "Zone interdite", std::nullopt},
        {"85 48 N", "139 18 E", QDate(2031, 6, 1), "extrapolée", "Zone interdite", std::nullopt},
        {"45.5", "-73.57", today, "Appliquer : 10° OUEST, plage 10",
         "Elle dépasse 10° : le module en reçoit 10°", DeclinationSetting{true, 10, 10}},
        {"48°61'", "2", today, "", "Latitude : les minutes et les secondes vont de 0 à 59.",
         std::nullopt},
    };
    Make();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.latitude);
        applied.clear();
        Compute(c.latitude, c.longitude, c.date);
        const QString result = frame->ResultLabel->text(), warning = frame->WarningLabel->text();
        EXPECT_EQ(result.isEmpty(), *c.result == '\0');
        EXPECT_TRUE(result.contains(QString::fromUtf8(c.result))) << result.toStdString();
        EXPECT_TRUE(*c.warning == '\0' || warning.startsWith(QString::fromUtf8(c.warning)))
            << warning.toStdString();
        EXPECT_EQ(warning.isEmpty(), *c.warning == '\0');
        // Where a result is not applied it says so, the button is off and the action does
        // nothing either.
        EXPECT_EQ(!c.setting && !result.isEmpty(), warning.endsWith("n'est appliqué."));
        // Every warning can be read in full, above the remark at the foot of the frame.
        const QLabel *warnings = frame->WarningLabel, *remark = frame->AssumptionLabel;
        EXPECT_LE(warnings->heightForWidth(warnings->width()), warnings->height());
        EXPECT_LE(warnings->geometry().bottom(), remark->y());
        EXPECT_GE(remark->height(), remark->heightForWidth(remark->width()));
        // An uncertainty is given only where the model holds.
        EXPECT_EQ(result.contains(QStringLiteral("±")),
                  !result.isEmpty() && c.date.year() >= 2025 && c.date.year() <= 2029);
        EXPECT_EQ(frame->ApplyButton->isEnabled(), c.setting.has_value());
        std::optional<nmea::PlaceVariation> signalled;
        const auto connection =
            QObject::connect(frame.get(), &TDeclinationCalculator::PlaceApplied,
                             [&](const nmea::PlaceVariation &place) { signalled = place; });
        frame->Apply();
        QObject::disconnect(connection);
        EXPECT_EQ(applied, c.setting ? std::vector{*c.setting} : std::vector<DeclinationSetting>{});
        // The heading output gets the place's value to a tenth, kept with the declination
        // the settings were given for it, even beyond what the module holds.
        const auto stored =
            nmea::LoadPlaceVariation(QSettings(settings::OwnSettingsPath(), QSettings::IniFormat));
        EXPECT_EQ(signalled.has_value(), c.setting.has_value());
        if (!c.setting)
            continue;
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(signalled, stored);
        EXPECT_EQ(stored->declination, c.setting->west ? c.setting->degrees : -c.setting->degrees);
        const std::optional<DeclinationSetting> exact = SettingFor(stored->eastTenths / 10.0);
        // Within what the module holds (10.4° rounds to 10°), what the module gets is the
        // place's value rounded; beyond it, the module gets its limit.
        EXPECT_EQ(exact, std::abs(stored->eastTenths) < 10 * MaxModuleDeclination + 5
                             ? c.setting
                             : std::nullopt);
        EXPECT_EQ(stored->eastTenths < 0, c.setting->west);
    }
}

// Whole degrees, halves away from zero, on the smallest range that holds them; the module
// takes nothing beyond 10°.
TEST(DeclinationSetting, RoundsAndTakesTheSmallestRangeThatHoldsTheValue) {
    const struct {
        double declination;
        std::optional<DeclinationSetting> setting;
    } cases[] = {
        {-0.3, DeclinationSetting{true, 0, 3}},     {2.5, DeclinationSetting{false, 3, 3}},
        {3.5, DeclinationSetting{false, 4, 5}},     {-7.2, DeclinationSetting{true, 7, 7}},
        {10.49, DeclinationSetting{false, 10, 10}}, {-10.5, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SettingFor(c.declination), c.setting) << c.declination;
}

TEST_F(DeclinationCalculatorTest, RemembersThePlaceInItsOwnFileAndForgetsAStaleResult) {
    Make();
    EXPECT_EQ(frame->DateEdit->date(), QDate(2026, 12, 7)); // today
    Compute("48 51.4", "2 21.1 E", QDate(2027, 5, 1));
    EXPECT_TRUE(frame->ApplyButton->isEnabled());
    // A change of the place or the date takes the result away: it was not worked out for them.
    QTest::keyClicks(frame->LatitudeEdit, " N");
    EXPECT_FALSE(frame->ApplyButton->isEnabled());
    QTest::keyClick(frame->LatitudeEdit, Qt::Key_Return); // Enter computes again
    EXPECT_TRUE(frame->ApplyButton->isEnabled());
    frame->DateEdit->setDate(QDate(2027, 5, 2));
    EXPECT_FALSE(frame->ApplyButton->isEnabled());

    Make(); // the place last worked out comes back, from Ventrose.conf
    EXPECT_EQ(frame->LatitudeEdit->text(), QStringLiteral("48 51.4 N"));
    EXPECT_EQ(frame->LongitudeEdit->text(), QStringLiteral("2 21.1 E"));

    // A place that cannot be stored is said, and the result is still given.
    QFile::remove(settings::OwnSettingsPath());
    ASSERT_TRUE(QDir(installDir.path()).mkdir(QStringLiteral("Ventrose.conf")));
    frame->ComputeButton->click();
    EXPECT_TRUE(frame->WarningLabel->text().contains(QStringLiteral("n'a pas pu être retenu")));
    EXPECT_TRUE(frame->ApplyButton->isEnabled());

    frame->HelpButton->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, QStringLiteral("declinaison-lieu"));
}

// Numbers and dates as the user's locale writes them when it is of the program's language,
// otherwise as that language's own locale does; the texts' punctuation is the language's.
TEST_F(DeclinationCalculatorTest, WritesNumbersAndDatesAsTheLocaleOfItsLanguage) {
    using platform::Language;
    const struct {
        Language language;
        QLocale user;
        const char *declination; // the start of the result
        const char *date;        // the date field's text for 8 December 2026
        const char *badLatitude; // the start of the warning for a latitude that is no angle
    } cases[] = {
        {testsupport::French(), QLocale(QLocale::French, QLocale::France),
         "Déclinaison : 2,5° EST ± 0,", "08/12/2026", "Latitude : la latitude"},
        {testsupport::French(), QLocale(QLocale::English, QLocale::UnitedStates),
         "Déclinaison : 2,5° EST ± 0,", "08/12/2026", "Latitude : "},
        {testsupport::English(), QLocale(QLocale::English, QLocale::UnitedStates),
         "Declination: 2.5° EAST ± 0.", "12/8/2026", "Latitude: "},
        {testsupport::English(), QLocale(QLocale::English, QLocale::UnitedKingdom),
         "Declination: 2.5° EAST ± 0.", "08/12/2026", "Latitude: "},
        {testsupport::English(), QLocale(QLocale::French, QLocale::France),
         "Declination: 2.5° EAST", "12/8/2026", "Latitude: "},
    };
    const QLocale before;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user.name().toStdString());
        platform::SelectLanguage(c.language);
        QLocale::setDefault(c.user);
        Make();
        QLocale::setDefault(before);
        Compute("48.8566", "3.63", QDate(2026, 12, 8));
        const QString result = frame->ResultLabel->text(), date = frame->DateEdit->text();
        Compute("north", "3.63", QDate(2026, 12, 8));
        const QString warning = frame->WarningLabel->text();
        platform::SelectLanguage(testsupport::French());
        EXPECT_TRUE(result.startsWith(QString::fromUtf8(c.declination))) << result.toStdString();
        EXPECT_EQ(date, QString::fromUtf8(c.date));
        EXPECT_TRUE(warning.startsWith(QString::fromUtf8(c.badLatitude))) << warning.toStdString();
    }
}

} // namespace
} // namespace app::testing
