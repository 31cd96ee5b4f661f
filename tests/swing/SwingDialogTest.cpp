// The swing dialog on a stepped clock: points taken from the readings against typed or GNSS
// references, the fit and card after every change, refusals said in the dialog, and the swing
// kept in Ventrose.conf (a failed save said, the swing whole when it next saves).
#include "swing/SwingDialog.h"
#include "deviation/Curve.h"
#include "dialogs/DialogTestSupport.h"
#include "settings/OwnSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace swing {
namespace {

using std::chrono::milliseconds;

const deviation::Coefficients kKnown{1.0, -2.25, 3.5, 0.5, -0.75};

class FakeInputs : public SwingInputs {
public:
    Millis Now() const override { return now; }
    QDateTime WallClock() const override { return QDateTime(QDate(2026, 5, 1), QTime(9, 30)); }
    std::optional<GnssReference> Reference() const override { return gnss; }
    double SettingsDeclination() const override { return settingsEast; }
    std::optional<double> PlaceDeclination() const override { return placeEast; }

    Millis now{1000000};
    std::optional<GnssReference> gnss;
    double settingsEast = 0;
    std::optional<double> placeEast;
};

class SwingDialogTest : public app::testing::DialogTest {
protected:
    // "Relever", then the readings every 250 ms of the take's time, each `around` plus the
    // next of `wobble` in turn; then the clock steps past the end.
    void Take(TSwingForm &form, double around, std::vector<double> wobble = {0}) {
        form.TakeButton->click();
        const Millis end = inputs.now + kTakeDuration;
        for (std::size_t n = 0; inputs.now < end; ++n, inputs.now += milliseconds(250))
            form.Reading(deviation::Heading360(around + wobble[n % wobble.size()]), inputs.now);
        form.Tick();
    }
    // Types the magnetic bearing of the known curve at that compass heading, and takes it.
    void TakeOnTheCurve(TSwingForm &form, double compass) {
        form.MagneticButton->click();
        form.BearingEdit->setText(
            QString::number(compass + deviation::DeviationAt(kKnown, compass), 'f', 3));
        Take(form, compass, {-0.3, 0.3});
    }
    static QString Cell(QTableWidget *table, int row, int column) {
        return table->item(row, column) ? table->item(row, column)->text() : QString();
    }

    FakeInputs inputs;
};

TEST_F(SwingDialogTest, ASwingOnTypedBearingsGivesTheCardAndIsKept) {
    {
        TSwingForm form(main, inputs);
        form.ShowOnTop();
        EXPECT_FALSE(form.PdfButton->isEnabled());
        const double headings[] = {0, 45, 90, 135, 180, 225, 270, 315};
        for (int n = 0; n < 8; ++n) {
            TakeOnTheCurve(form, headings[n]);
            ASSERT_EQ(form.Record().entries.size(), std::size_t(n + 1))
                << form.MessageLabel->text().toStdString();
            // Until the fifth point, the fit is refused and says how many there are.
            EXPECT_EQ(
                form.FitLabel->text().contains(QStringLiteral("il n'y en a que %1").arg(n + 1)),
                n < 4)
                << form.FitLabel->text().toStdString();
        }
        ASSERT_TRUE(form.PdfButton->isEnabled());
        const SwingEntry &last = form.Record().entries.back();
        EXPECT_NEAR(last.compass, 315, 1e-6); // the mean of the wobble
        EXPECT_EQ(last.kind, ReferenceKind::TypedMagnetic);
        EXPECT_EQ(Cell(form.PointsTable, 7, 0), "315.0");
        EXPECT_EQ(Cell(form.PointsTable, 7, 2), "relèvement magnétique");
        EXPECT_EQ(Cell(form.PointsTable, 7, 3), "09:30:00");
        EXPECT_EQ(form.CardTable->rowCount(), 24);
        const auto fit = form.Record().Fit().fit;
        ASSERT_TRUE(fit);
        EXPECT_NEAR(fit->coefficients.a, kKnown.a, 0.01);
        EXPECT_NEAR(fit->coefficients.b, kKnown.b, 0.01);
        EXPECT_NEAR(fit->coefficients.c, kKnown.c, 0.01);
        EXPECT_NEAR(fit->coefficients.d, kKnown.d, 0.01);
        EXPECT_NEAR(fit->coefficients.e, kKnown.e, 0.01);
        EXPECT_TRUE(form.FitLabel->text().startsWith("A=+1.00 B=-2.25 C=+3.50 D=+0.50 E=-0.75"))
            << form.FitLabel->text().toStdString();

        form.PlaceEdit->setText(QStringLiteral("Lorient, ponton C"));
        emit form.PlaceEdit->editingFinished();
        form.DisplayBox->click();
        // Without 315°, no arc is wider than 90°: the fit stands on seven points.
        form.PointsTable->selectRow(7);
        form.RemoveButton->click();
        EXPECT_EQ(form.Record().entries.size(), 7u);
        EXPECT_TRUE(form.PdfButton->isEnabled());
        form.PointsTable->selectRow(6);
        form.RemoveButton->click(); // without 270° either, 225° to 0° is too wide an arc
        EXPECT_TRUE(form.FitLabel->text().contains("aucun point entre les caps compas 225° et 0°"))
            << form.FitLabel->text().toStdString();
        EXPECT_FALSE(form.PdfButton->isEnabled());
        TakeOnTheCurve(form, 270);
        TakeOnTheCurve(form, 315);
        EXPECT_FALSE(form.SaveLabel->isVisible());
    }
    // A dialog made anew shows the swing that was kept, and the rest of the program reads its
    // card.
    TSwingForm again(main, inputs);
    EXPECT_EQ(again.Record().entries.size(), 8u);
    EXPECT_EQ(again.PlaceEdit->text(), "Lorient, ponton C");
    EXPECT_TRUE(again.DisplayBox->isChecked());
    EXPECT_FALSE(again.OutputBox->isChecked());
    EXPECT_EQ(again.CardTable->rowCount(), 24);
    const CardSettings card = CardSettings::LoadOwn();
    ASSERT_TRUE(card.Card());
    EXPECT_TRUE(card.ToDisplay());
    EXPECT_FALSE(card.ToHeadingLog());
    EXPECT_NEAR(card.DeviationFor(true, 200), deviation::DeviationAt(kKnown, 200), 0.02);
}

TEST_F(SwingDialogTest, EachReferenceAndEachRefusal) {
    TSwingForm form(main, inputs);
    form.ShowOnTop();
    inputs.settingsEast = -3;
    inputs.placeEast = 2.5;
    form.InputsChanged();
    struct Case {
        const char *name;
        std::function<void()> choose; // the reference and what the inputs say
        std::vector<double> wobble;
        bool silent;                    // no reading comes
        std::optional<double> magnetic; // of the point; none: refused
        ReferenceKind kind;
        const char *refusalMentions;
    };
    const Case cases[] = {
        {"magnetic bearing, a comma for the point",
         [&] {
             form.MagneticButton->click();
             form.BearingEdit->setText(" 12,5 ");
         },
         {0},
         false,
         12.5,
         ReferenceKind::TypedMagnetic,
         ""},
        {"true bearing with the settings' declination",
         [&] {
             form.TrueButton->click();
             form.BearingEdit->setText("1");
             form.DeclinationChoice->setCurrentIndex(0);
         },
         {0},
         false,
         4,
         ReferenceKind::TypedTrue,
         ""},
        {"true bearing with the place's declination",
         [&] {
             form.TrueButton->click();
             form.BearingEdit->setText("1");
             form.DeclinationChoice->setCurrentIndex(1);
         },
         {0},
         false,
         358.5,
         ReferenceKind::TypedTrue,
         ""},
        {"GNSS course, steady",
         [&] {
             inputs.gnss = GnssReference{true, 359.75, {}};
             form.InputsChanged();
             form.GnssButton->click();
         },
         {0},
         false,
         359.75,
         ReferenceKind::Gnss,
         ""},
        {"GNSS course while turning",
         [&] {
             inputs.gnss = GnssReference{false, 80, QStringLiteral("la route varie")};
             form.InputsChanged();
             form.GnssButton->click();
         },
         {0},
         false,
         {},
         ReferenceKind::Gnss,
         "la route GNSS ne convient pas : la route varie"},
        {"a bearing that is no heading",
         [&] {
             form.MagneticButton->click();
             form.BearingEdit->setText("361");
         },
         {0},
         false,
         {},
         ReferenceKind::TypedMagnetic,
         "relèvement « 361 »"},
        {"the heading wanders",
         [&] {
             form.MagneticButton->click();
             form.BearingEdit->setText("40");
         },
         {-4, 0, 4},
         false,
         {},
         ReferenceKind::TypedMagnetic,
         "gardez le cap"},
        {"no reading comes",
         [&] {
             form.MagneticButton->click();
             form.BearingEdit->setText("40");
         },
         {0},
         true,
         {},
         ReferenceKind::TypedMagnetic,
         "aucune mesure du compas"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = form.Record().entries.size();
        c.choose();
        if (c.silent) {
            form.TakeButton->click();
            EXPECT_FALSE(form.TakeButton->isEnabled()); // a take is under way
            inputs.now += kTakeDuration - milliseconds(1);
            form.Tick();
            EXPECT_FALSE(form.TakeButton->isEnabled());
            inputs.now += milliseconds(1);
            form.Tick();
        } else {
            Take(form, 2, c.wobble);
        }
        EXPECT_TRUE(form.TakeButton->isEnabled());
        if (!c.magnetic) {
            EXPECT_EQ(form.Record().entries.size(), before);
            EXPECT_TRUE(form.MessageLabel->text().contains(QString::fromUtf8(c.refusalMentions)))
                << form.MessageLabel->text().toStdString();
            continue;
        }
        ASSERT_EQ(form.Record().entries.size(), before + 1)
            << form.MessageLabel->text().toStdString();
        const SwingEntry &entry = form.Record().entries.back();
        EXPECT_NEAR(entry.magnetic, *c.magnetic, 1e-9);
        EXPECT_EQ(entry.kind, c.kind);
        EXPECT_NEAR(entry.compass, 2, 1e-6);
    }
    // Without a receiver, the GNSS choice is not offered.
    inputs.gnss.reset();
    form.HideDialog();
    form.ShowOnTop();
    EXPECT_FALSE(form.GnssButton->isEnabled());
    EXPECT_EQ(form.GnssLabel->text(), "pas de récepteur GNSS");
}

TEST_F(SwingDialogTest, AFailedSaveIsSaidAndTheNextOneKeepsTheWholeSwing) {
    const QString folder = installDir.filePath("gone");
    ASSERT_TRUE(QDir().mkdir(folder));
    platform::InstallDir::Select(folder);
    TSwingForm form(main, inputs);
    form.ShowOnTop();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    form.BearingEdit->setText("10");
    Take(form, 8);
    form.BearingEdit->setText("100");
    Take(form, 95);
    ASSERT_EQ(form.Record().entries.size(), 2u);
    EXPECT_TRUE(form.SaveLabel->isVisible());
    EXPECT_TRUE(form.SaveLabel->text().startsWith(
        QStringLiteral("Impossible d'enregistrer la régulation dans %1 : ")
            .arg(settings::OwnSettingsPath())))
        << form.SaveLabel->text().toStdString();
    EXPECT_FALSE(QFile::exists(settings::OwnSettingsPath()));

    ASSERT_TRUE(QDir().mkdir(folder)); // the folder is back: the next change saves it all
    form.LogBox->click();
    EXPECT_FALSE(form.SaveLabel->isVisible());
    settings::OwnSettings file(settings::OwnSettingsPath());
    const SwingRecord saved = LoadSwing(file);
    EXPECT_EQ(saved, form.Record());
    EXPECT_EQ(saved.entries.size(), 2u);
    EXPECT_TRUE(saved.apply.headingLog);
}

} // namespace
} // namespace swing
