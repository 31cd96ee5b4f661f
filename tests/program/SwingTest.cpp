// The compass swing on the whole program: the simulated module reads with a known deviation,
// the user steers round the circle and types the magnetic bearing of each heading, and the
// card the dialog works out from the live readings is the module's.
#include "AppTestSupport.h"
#include "FitChecks.h"

#include "compass/Angles.h"
#include "program/SimulatedDeviation.h"
#include "program/SwingWiring.h"
#include "sim/SimulatedCompass.h"

#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace apptest {
namespace {

class SwingTest : public ProgramFixture {};

TEST_F(SwingTest, TypedBearingsRoundTheCircleGiveTheModulesDeviation) {
    const deviation::Coefficients known{1, -2.25, 0.5, 0.5, -0.75};
    Start();
    LinkUp();
    // The readings' time steps with the module's, so a take's seconds pass in stepped time.
    QDateTime now = QDateTime::currentDateTimeUtc();
    Main().Readings().SetClock([&] { return now; });
    swing::TSwingForm &form = forms->Swing()->Form();
    Main().Rgulationducompas1->Click();
    ASSERT_TRUE(form.isVisible());

    for (int heading = 0; heading < 360; heading += 15) {
        // The craft on a magnetic heading the module's steps can show exactly, the module
        // reading it through the curve.
        const int raw =
            int(std::lround(compass::Reduce360Real(heading - 180.0) / compass::kDegreesPerStep)) %
            (compass::kMaxRawReading + 1);
        Module().SetCourse(app::DeviatedCourse(sim::FixedCourse(raw), known));
        const double magnetic = compass::Reduce360Real(raw * compass::kDegreesPerStep + 180);
        NextReading(); // the last reading of the previous heading is behind
        form.BearingEdit->setText(QString::number(magnetic, 'f', 3));
        form.TakeButton->click();
        for (int n = 0; n < 40 && !form.TakeButton->isEnabled(); ++n) {
            now = now.addMSecs(moduleOptions.readingPeriod.count());
            NextReading();
        }
        ASSERT_TRUE(form.TakeButton->isEnabled()) << heading;
    }

    ASSERT_EQ(form.Record().entries.size(), 24u);
    ExpectTheModulesCurve(form.Record(), known);
}

} // namespace
} // namespace apptest
