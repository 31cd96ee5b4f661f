// The compass swing against a GNSS receiver, on the whole program: a boat turns a full circle
// in straight legs, gpsfake plays its log into a gpsd of its own, and the swing dialog takes
// each leg's course over ground, turned magnetic with our model, as the reference heading of a
// compass heading read by the simulated module with a known deviation. The card it works out
// must be the module's.
#include "AppTestSupport.h"
#include "FitChecks.h"
#include "Gpsfake.h"

#include "compass/Angles.h"
#include "geomag/Declination.h"
#include "gnss/GpsdClient.h"
#include "program/SimulatedDeviation.h"
#include "program/SwingWiring.h"
#include "sim/SimulatedCompass.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace apptest {
namespace {

using namespace std::chrono;
using testsupport::FreeTcpPort;
using testsupport::Gpsfake;
using testsupport::PumpEventsUntil;

// The boat, off Saint-Pierre, where the declination is large enough (about 16° west) that a
// course left true, or turned the wrong way, cannot pass for magnetic.
constexpr double Latitude = 46.75, Longitude = -(56 + 10.0 / 60), Knots = 6;
constexpr const char *RmcPlace = "4645.0000,N,05610.0000,W";
const year_month_day LogDay{2026y / December / 8};
// Twelve legs, each a steady run long enough for the reference to become usable (ten seconds
// of steady fixes) and to stay so for as long again, then a turn of a few seconds to the next.
constexpr int Legs = 12, SteadyFixes = 24, TurningFixes = 2;
// gpsfake's seconds between sentences. It plays the log again and again: a leg the test
// missed on a busy machine comes back a round later.
constexpr double Pace = 0.2;
constexpr auto Round = milliseconds(long(Legs * (SteadyFixes + TurningFixes) * Pace * 1000));

struct Leg {
    int raw;           // the module's own angle of the craft's magnetic heading
    double magnetic;   // that heading, exactly as a module step shows it
    double trueCourse; // the course over ground the receiver gives on it
};

std::ostream &operator<<(std::ostream &out, const Leg &leg) {
    return out << "leg at " << leg.magnetic << " magnetic";
}

std::vector<Leg> LegsRoundTheCircle(double declination) {
    std::vector<Leg> legs;
    for (int k = 0; k < Legs; ++k) {
        const double heading = 360.0 * k / Legs;
        const int raw =
            int(std::lround(compass::Reduce360Real(heading - 180) / compass::kDegreesPerStep)) %
            (compass::kMaxRawReading + 1);
        const double magnetic = compass::Reduce360Real(raw * compass::kDegreesPerStep + 180);
        legs.push_back({raw, magnetic, compass::Reduce360Real(magnetic + declination)});
    }
    return legs;
}

// The leg whose course over ground is nearest to the course.
std::size_t NearestLeg(const std::vector<Leg> &legs, double trueCourse) {
    const auto off = [&](const Leg &leg) {
        return std::abs(compass::DifferenceReal(leg.trueCourse, trueCourse));
    };
    return std::size_t(
        std::min_element(legs.begin(), legs.end(),
                         [&](const Leg &a, const Leg &b) { return off(a) < off(b); }) -
        legs.begin());
}

// The RMC sentence of the log's second, from 10:00:00 UTC that day.
std::string Rmc(int second, double course) {
    char body[112];
    std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.00,A,%s,%.1f,%.4f,081226,,,A",
                  10 + second / 3600, second / 60 % 60, second % 60, RmcPlace, Knots, course);
    return testsupport::NmeaSentence(body);
}

// Each leg's steady run, then the turn to the next leg's course at an even rate.
std::string Log(const std::vector<Leg> &legs) {
    std::string log;
    int second = 0;
    for (std::size_t k = 0; k < legs.size(); ++k) {
        const double from = legs[k].trueCourse, to = legs[(k + 1) % legs.size()].trueCourse;
        for (int n = 0; n < SteadyFixes; ++n)
            log += Rmc(second++, from);
        for (int n = 1; n <= TurningFixes; ++n)
            log += Rmc(second++, compass::Reduce360Real(from + compass::DifferenceReal(to, from) *
                                                                   n / (TurningFixes + 1)));
    }
    return log;
}

class GnssSwingTest : public ProgramFixture {
protected:
    // The program's gpsd is gpsfake's, on a port of its own.
    void WriteOwnSettings(const QString &port) {
        QFile file(InstallFile(QStringLiteral("Ventrose.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[gnss]\nhost=127.0.0.1\nport=" + port.toLatin1() + "\n");
    }

    QTemporaryDir scratch;
};

TEST_F(GnssSwingTest, CourseOverGroundRoundTheCircleGivesTheModulesDeviation) {
    const deviation::Coefficients known{1, -2.25, 0.5, 0.5, -0.75};
    const double declination =
        geomag::EstimateDeclination({Latitude, Longitude, 0}, LogDay).declination;
    ASSERT_LT(declination, -10); // the place was chosen for it
    const std::vector<Leg> legs = LegsRoundTheCircle(declination);
    ASSERT_TRUE(scratch.isValid());
    const QString log = scratch.filePath("circles.nmea");
    std::ofstream(log.toStdString(), std::ios::binary) << Log(legs);
    const QString port = FreeTcpPort();
    WriteOwnSettings(port);

    Start();
    LinkUp();
    // The readings' time steps with the module's, so a take's seconds pass in stepped time.
    QDateTime now = QDateTime::currentDateTimeUtc();
    Main().Readings().SetClock([&] { return now; });
    app::SwingWiring &wiring = *forms->Swing();
    swing::TSwingForm &form = wiring.Form();
    std::vector<double> courses; // of the fixes the client received
    QObject::connect(&wiring.Gpsd(), &gnss::GpsdClient::fixReceived,
                     [&](const gnss::Fix &fix) { courses.push_back(fix.course); });
    Main().Rgulationducompas1->Click();
    ASSERT_TRUE(form.isVisible());

    // The client tried before gpsd listened: its next attempt comes after the retry interval.
    std::unique_ptr<Gpsfake> gpsfake;
    ASSERT_TRUE(testsupport::StartGpsfakeUntilFed(
        gpsfake, {GPSFAKE, log, port, scratch.filePath("gpsfake.out"), Pace, false},
        [&] { return !courses.empty(); }, gnss::GpsdClient::RetryInterval + seconds(10)))
        << wiring.Gpsd().Message().toStdString();
    form.GnssButton->click();
    ASSERT_TRUE(form.GnssButton->isChecked()) << form.GnssLabel->text().toStdString();

    // gpsd took up the log somewhere in its round: the legs from the next one on, each at its
    // turn, the one under way last.
    const std::size_t first = (NearestLeg(legs, courses.front()) + 1) % legs.size();
    for (std::size_t k = 0; k < legs.size(); ++k) {
        const Leg &leg = legs[(first + k) % legs.size()];
        // The craft on the leg's heading, the module reading it through the curve.
        Module().SetCourse(app::DeviatedCourse(sim::FixedCourse(leg.raw), known));
        NextReading(); // the last reading of the previous leg is behind
        // Until the receiver has run steady on this leg: the nearest leg, not its exact course,
        // so that a reference a few degrees wrong shows in the points and the card.
        const auto onLeg = [&] {
            const std::optional<swing::GnssReference> reference = wiring.Reference();
            return reference && reference->usable &&
                   std::abs(compass::DifferenceReal(reference->magneticCourse, leg.magnetic)) <
                       180.0 / Legs;
        };
        ASSERT_TRUE(PumpEventsUntil(onLeg, 2 * Round))
            << leg << ": " << form.GnssLabel->text().toStdString();
        const std::size_t before = form.Record().entries.size();
        form.TakeButton->click();
        for (int n = 0; n < 40 && !form.TakeButton->isEnabled(); ++n) {
            now = now.addMSecs(moduleOptions.readingPeriod.count());
            NextReading();
        }
        ASSERT_EQ(form.Record().entries.size(), before + 1)
            << leg << ": " << form.MessageLabel->text().toStdString();
        const swing::SwingEntry &point = form.Record().entries.back();
        EXPECT_EQ(point.kind, swing::ReferenceKind::Gnss);
        EXPECT_NEAR(compass::DifferenceReal(point.magnetic, leg.magnetic), 0, 0.01) << leg;
    }

    ExpectTheModulesCurve(form.Record(), known);
}

} // namespace
} // namespace apptest
