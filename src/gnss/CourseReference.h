// When the course over ground can stand for the craft's magnetic heading. A craft that runs
// straight at a steady speed, with no current and no leeway, heads where it goes: its course
// over ground, turned from true to magnetic with the declination of the place and the date,
// is then a reference heading to compare the compass with. The rules below decide when the
// fixes say so; each refusal comes with its reason. No input or output here.
#pragma once

#include "gnss/Fix.h"

#include <QString>

#include <chrono>
#include <deque>
#include <functional>

namespace gnss {

// The rules, shown to the user as they are.
constexpr double MinimumSpeedKnots = 2.0;        // slower, the course over ground wanders
constexpr double SpeedToleranceKnots = 0.5;      // every speed of the window this near its mean
constexpr double CourseToleranceDegrees = 2.0;   // every course this near their circular mean
constexpr std::chrono::seconds SteadyWindow{10}; // how long the run must have been steady
// A longer silence between two fixes means nothing is known of what the craft did meanwhile:
// the steady run starts again.
constexpr std::chrono::seconds LongestGap{3};

enum class Refusal {
    None,
    NoPosition,       // no 2D/3D fix, or no time to date the declination
    TooSlow,          // below MinimumSpeedKnots, or no speed
    NoCourse,         // the receiver gave no course
    CourseUnsteady,   // a course of the window beyond CourseToleranceDegrees
    SpeedUnsteady,    // a speed of the window beyond SpeedToleranceKnots
    Settling,         // steady, but not yet for SteadyWindow
    NearMagneticPole, // the declination means nothing there
};

struct CourseVerdict {
    bool usable = false;
    Refusal refusal = Refusal::NoPosition;
    QString reason; // why it is refused, for the user; empty when usable
    // The window's circular mean of the true courses and their largest departure from it,
    // the mean speed and its largest departure: known once the window holds a fix.
    double trueCourse = Fix::None;     // degrees [0, 360)
    double courseSpread = Fix::None;   // degrees
    double speedKnots = Fix::None;     // knots
    double speedSpread = Fix::None;    // knots
    double declination = Fix::None;    // degrees, east positive; known when usable
    double magneticCourse = Fix::None; // trueCourse - declination in [0, 360) when usable
    Fix fix;                           // the fix that led to this verdict
};

class CourseReference {
public:
    // Takes the next fix and gives the verdict it leads to (also handed to onVerdict).
    CourseVerdict Add(const Fix &fix);
    // Forgets the run so far (the source changed, or the user starts again).
    void Reset();
    const CourseVerdict &Last() const { return last_; }

    std::function<void(const CourseVerdict &)> onVerdict;

private:
    CourseVerdict Judge(const Fix &fix);

    std::deque<Fix> window_; // the steady run's fixes, oldest first, within SteadyWindow
    CourseVerdict last_;
};

// The reason's text for the user (translated).
QString ReasonText(Refusal refusal, std::chrono::seconds steadyFor = {});

} // namespace gnss
