// The swing dialog on a stepped clock: points taken from the readings against typed or GNSS
// references, the fit after every change, refusals said in the dialog, and the swing kept in
// Ventrose.conf (a failed save said, the whole swing saved by the next one).
#include "swing/SwingDialog.h"
#include "deviation/Curve.h"
#include "dialogs/DialogTestSupport.h"
#include "settings/OwnSettings.h"

#include "compass/Angles.h"

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
    std::optional<GnssReference> Reference() const override { return gnss; }
    std::optional<double> SettingsDeclination() const override { return settingsEast; }
    std::optional<double> PlaceDeclination() const override { return placeEast; }

    Millis now{1000000};
    std::optional<GnssReference> gnss;
    double settingsEast = 0;
    std::optional<double> placeEast;
};

class SwingDialogTest : public app::testing::DialogTest {
protected:
    // "Relever" with the bearing typed, then readings every 250 ms of the take's time,
    // `around` ± 0.3° in turn, then a tick past the end.
    void Take(TSwingForm &form, const QString &bearing, double around) {
        form.BearingEdit->setText(bearing);
        form.TakeButton->click();
        for (int n = 0; !form.TakeButton->isEnabled() && n < 12; ++n) {
            form.Reading(compass::Reduce360Real(around + (n % 2 ? 0.3 : -0.3)), inputs.now);
            inputs.now += milliseconds(250);
        }
        form.Tick();
    }
    void TakeOnTheCurve(TSwingForm &form, double compass) {
        Take(form, QString::number(compass + deviation::DeviationAt(kKnown, compass), 'f', 3),
             compass);
    }

    FakeInputs inputs;
};

TEST_F(SwingDialogTest, ASwingOnTypedBearingsGivesTheCardAndIsKept) {
    {
        TSwingForm form(main, inputs);
        form.ShowOnTop();
        for (int n = 0; n < 8; ++n) {
            TakeOnTheCurve(form, 45 * n);
            ASSERT_EQ(form.Record().entries.size(), std::size_t(n + 1));
            // Until the fifth point, the fit is refused, saying how many there are.
            EXPECT_EQ(form.FitLabel->text().contains(QString("il n'y en a que %1").arg(n + 1)),
                      n < 4);
            EXPECT_EQ(form.PdfButton->isEnabled(), n >= 6); // from 0° to 270°
        }
        EXPECT_NEAR(form.Record().entries.back().compass, 315, 1e-6); // the wobble's mean
        EXPECT_EQ(form.CardTable->rowCount(), 24);
        EXPECT_TRUE(form.FitLabel->text().startsWith("A=+1.00 B=-2.25 C=+3.50 D=+0.50 E=-0.75"))
            << form.FitLabel->text().toStdString();

        form.PlaceEdit->setText(QStringLiteral("Lorient, ponton C"));
        emit form.PlaceEdit->editingFinished();
        form.DisplayBox->click();
        form.PointsTable->selectRow(7);
        form.RemoveButton->click(); // without 315°, no arc is wider than 90°
        EXPECT_TRUE(form.PdfButton->isEnabled());
        form.PointsTable->selectRow(6);
        form.RemoveButton->click(); // without 270° either, 225° to 0° is
        EXPECT_TRUE(form.FitLabel->text().contains("aucun point entre les caps compas 225° et 0°"))
            << form.FitLabel->text().toStdString();
        EXPECT_FALSE(form.PdfButton->isEnabled());
        TakeOnTheCurve(form, 270);
        EXPECT_FALSE(form.SaveLabel->isVisible());
    }
    // A dialog made anew shows the swing kept, and the rest of the program reads its card.
    TSwingForm again(main, inputs);
    EXPECT_EQ(again.Record().entries.size(), 7u);
    EXPECT_EQ(again.PlaceEdit->text(), "Lorient, ponton C");
    EXPECT_TRUE(again.DisplayBox->isChecked());
    EXPECT_FALSE(again.OutputBox->isChecked());
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
    struct Case {
        const char *name;
        QRadioButton *reference;
        const char *bearing;
        int declination; // the choice's index
        std::optional<GnssReference> gnss;
        bool silent;                    // no reading comes
        std::optional<double> magnetic; // of the point; none: refused, saying
        const char *refusal;
    };
    const Case cases[] = {
        {"magnetic, a comma for the point", form.MagneticButton, " 12,5 ", 0, {}, false, 12.5, ""},
        {"true, the settings' declination", form.TrueButton, "1", 0, {}, false, 4, ""},
        {"true, the place's declination", form.TrueButton, "1", 1, {}, false, 358.5, ""},
        {"GNSS, steady", form.GnssButton, "", 0, GnssReference{true, 359.75, {}}, false, 359.75,
         ""},
        {"GNSS, turning",
         form.GnssButton,
         "",
         0,
         GnssReference{false, 80, QStringLiteral("la route varie")},
         false,
         {},
         "la route GNSS ne convient pas : la route varie"},
        {"no heading", form.MagneticButton, "361", 0, {}, false, {}, "relèvement « 361 »"},
        {"no reading", form.MagneticButton, "40", 0, {}, true, {}, "aucune mesure du compas"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = form.Record().entries.size();
        inputs.gnss = c.gnss;
        form.InputsChanged();
        c.reference->click();
        form.DeclinationChoice->setCurrentIndex(c.declination);
        if (c.silent) {
            form.BearingEdit->setText(c.bearing);
            form.TakeButton->click();
            inputs.now += kTakeDuration - milliseconds(1);
            form.Tick();
            EXPECT_FALSE(form.TakeButton->isEnabled()); // still under way
            inputs.now += milliseconds(1);
            form.Tick();
        } else {
            Take(form, c.bearing, 2);
        }
        EXPECT_TRUE(form.TakeButton->isEnabled());
        ASSERT_EQ(form.Record().entries.size(), before + (c.magnetic ? 1 : 0))
            << form.MessageLabel->text().toStdString();
        EXPECT_TRUE(form.MessageLabel->text().contains(QString::fromUtf8(c.refusal)))
            << form.MessageLabel->text().toStdString();
        if (c.magnetic) {
            EXPECT_NEAR(form.Record().entries.back().magnetic, *c.magnetic, 1e-9);
        }
    }
    inputs.gnss.reset(); // without a receiver, the GNSS choice is not offered
    form.InputsChanged();
    EXPECT_FALSE(form.GnssButton->isEnabled());
}

TEST_F(SwingDialogTest, AFailedSaveIsSaidAndTheNextOneKeepsTheWholeSwing) {
    const QString folder = installDir.filePath("gone");
    ASSERT_TRUE(QDir().mkdir(folder));
    platform::InstallDir::Select(folder);
    TSwingForm form(main, inputs);
    form.ShowOnTop();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    Take(form, "10", 8);
    Take(form, "100", 95);
    ASSERT_EQ(form.Record().entries.size(), 2u);
    EXPECT_TRUE(form.SaveLabel->isVisible());
    EXPECT_TRUE(form.SaveLabel->text().startsWith(
        QString("Impossible d'enregistrer la régulation dans %1 : ")
            .arg(settings::OwnSettingsPath())));
    EXPECT_FALSE(QFile::exists(settings::OwnSettingsPath()));

    ASSERT_TRUE(QDir().mkdir(folder)); // the folder is back: the next change saves it all
    form.LogBox->click();
    EXPECT_FALSE(form.SaveLabel->isVisible());
    settings::OwnSettings file(settings::OwnSettingsPath());
    EXPECT_EQ(LoadSwing(file), form.Record());
}

} // namespace
} // namespace swing
