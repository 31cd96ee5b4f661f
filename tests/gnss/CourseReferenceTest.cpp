// When the course over ground is taken as the magnetic reference: runs of fixes at one a
// second, straight or turning, fast or slow, with or without a fix, across north, and the
// declination's sign at places where it is strongly east or west.
#include "gnss/CourseReference.h"

#include "geomag/Declination.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace gnss {
namespace {

using namespace std::chrono;

struct Place {
    double latitude, longitude;
    int side = 0; // the declination is large east (1), large west (-1)
};
// Where the declination is large east, large west, and where it is unusable.
constexpr Place Brittany{47.2, -3.2}, Seattle{47.6, -122.3, 1}, StJohns{47.5, -52.7, -1},
    NearPole{85.8, 139.3};

const Fix::Time Noon = sys_days{2026y / December / 8} + 12h;

// A stretch of seconds run the same way: `seconds` fixes, the course turning by `turn`
// degrees a fix (from where the last stretch left it when `course` is NaN), the speed
// alternating `knots` ± `jitter`.
struct Stretch {
    int seconds;
    double course = Fix::None;
    double turn = 0;
    double knots = 6;
    double jitter = 0;
    double yaw = 0; // the courses alternate ± this
    FixMode mode = FixMode::TwoD;
    int skipBefore = 0; // seconds without a fix before the stretch
    int backBefore = 0; // the clock goes back this many seconds before the stretch
};

std::vector<Fix> Fixes(const Place &place, const std::vector<Stretch> &stretches) {
    std::vector<Fix> fixes;
    Fix::Time at = Noon;
    double course = 0;
    for (const Stretch &s : stretches) {
        at += seconds(s.skipBefore) - seconds(s.backBefore);
        if (std::isfinite(s.course))
            course = s.course;
        for (int i = 0; i < s.seconds; ++i, at += 1s, course += s.turn) {
            const double sign = i % 2 == 0 ? 1 : -1;
            Fix fix;
            fix.time = at;
            fix.mode = s.mode;
            fix.latitude = place.latitude;
            fix.longitude = place.longitude;
            fix.course = std::fmod(course + sign * s.yaw + 720.0, 360.0);
            fix.speed = (s.knots + sign * s.jitter) * MetresPerSecondPerKnot;
            fixes.push_back(fix);
        }
    }
    return fixes;
}

double Declination(const Place &place) {
    return geomag::EstimateDeclination({place.latitude, place.longitude, 0},
                                       year_month_day{floor<days>(Noon)})
        .declination;
}

TEST(CourseReference, AcceptsOnlyASteadyRunLongEnough) {
    const struct {
        const char *name;
        Place place;
        std::vector<Stretch> run;
        Refusal expected;
        double trueCourse = 0; // the mean course expected when usable
    } cases[] = {
        {"ten seconds straight", Brittany, {{11, 45}}, Refusal::None, 45},
        {"one second short", Brittany, {{10, 45}}, Refusal::Settling, 0},
        {"turning circles", Brittany, {{120, 0, 3}}, Refusal::CourseUnsteady, 0},
        {"slow turn just within", Brittany, {{11, 40, 0.39}}, Refusal::None, 41.95},
        {"slow turn just beyond", Brittany, {{11, 40, 0.41}}, Refusal::CourseUnsteady, 0},
        {"circles, then straight", Brittany, {{60, 0, 6}, {11, 200}}, Refusal::None, 200},
        {"circles, straight too short", Brittany, {{60, 0, 6}, {9, 200}}, Refusal::CourseUnsteady},
        {"across north", Brittany, {{.seconds = 11, .course = 0, .yaw = 1.5}}, Refusal::None, 0},
        {"across north, yawing",
         Brittany,
         {{.seconds = 11, .course = 0, .yaw = 2.5}},
         Refusal::CourseUnsteady},
        {"across south",
         Brittany,
         {{.seconds = 11, .course = 180, .yaw = 1.5}},
         Refusal::None,
         180},
        {"too slow", Brittany, {{.seconds = 30, .course = 90, .knots = 1.9}}, Refusal::TooSlow},
        {"just fast enough",
         Brittany,
         {{.seconds = 11, .course = 90, .knots = 2.05}},
         Refusal::None,
         90},
        {"speed steady enough",
         Brittany,
         {{.seconds = 11, .course = 90, .jitter = 0.45}},
         Refusal::None,
         90},
        {"speed unsteady",
         Brittany,
         {{.seconds = 11, .course = 90, .jitter = 0.6}},
         Refusal::SpeedUnsteady},
        {"no fix",
         Brittany,
         {{.seconds = 30, .course = 90, .mode = FixMode::NoFix}},
         Refusal::NoPosition},
        {"fix lost a moment",
         Brittany,
         {{8, 90}, {.seconds = 1, .mode = FixMode::NoFix}, {8, 90}},
         Refusal::Settling},
        {"slowed a moment",
         Brittany,
         {{8, 90}, {.seconds = 1, .knots = 1}, {8, 90}},
         Refusal::Settling},
        {"a gap in the fixes",
         Brittany,
         {{6, 90}, {.seconds = 6, .skipBefore = 4}},
         Refusal::Settling},
        {"a short gap", Brittany, {{6, 90}, {.seconds = 6, .skipBefore = 2}}, Refusal::None, 90},
        {"the clock goes back",
         Brittany,
         {{8, 90}, {.seconds = 8, .backBefore = 5}},
         Refusal::Settling},
        {"near the magnetic pole", NearPole, {{11, 90}}, Refusal::NearMagneticPole},
        {"east declination", Seattle, {{11, 90}}, Refusal::None, 90},
        {"east declination, across north", Seattle, {{11, 5}}, Refusal::None, 5},
        {"west declination", StJohns, {{11, 90}}, Refusal::None, 90},
        {"west declination, across north", StJohns, {{11, 355}}, Refusal::None, 355},
    };
    for (const auto &c : cases) {
        CourseReference reference;
        int told = 0;
        reference.onVerdict = [&](const CourseVerdict &) { ++told; };
        const std::vector<Fix> fixes = Fixes(c.place, c.run);
        CourseVerdict verdict;
        for (const Fix &fix : fixes)
            verdict = reference.Add(fix);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(told, static_cast<int>(fixes.size()));
        EXPECT_EQ(verdict.refusal, c.expected) << verdict.reason.toStdString();
        EXPECT_EQ(verdict.usable, c.expected == Refusal::None);
        EXPECT_EQ(verdict.reason.isEmpty(), c.expected == Refusal::None);
        EXPECT_EQ(verdict.fix.time, fixes.back().time);
        EXPECT_EQ(reference.Last().refusal, c.expected);
        if (verdict.usable) {
            // The circular difference, so that 359.9 and 0 agree; a run yawing by turns
            // leans a little towards its first side.
            EXPECT_NEAR(std::remainder(verdict.trueCourse - c.trueCourse, 360.0), 0, 0.2);
            // East declination puts magnetic north east of true north: a course reads less
            // in magnetic degrees than in true ones; west, more.
            EXPECT_DOUBLE_EQ(verdict.declination, Declination(c.place));
            const double turned = verdict.magneticCourse - verdict.trueCourse;
            EXPECT_NEAR(std::remainder(turned + verdict.declination, 360.0), 0, 1e-9);
            if (c.place.side != 0) {
                EXPECT_GT(verdict.declination * c.place.side, 10);
            }
            EXPECT_GE(verdict.magneticCourse, 0);
            EXPECT_LT(verdict.magneticCourse, 360);
        }
    }
}

} // namespace
} // namespace gnss
