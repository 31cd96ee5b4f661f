#include "gnss/CourseReference.h"

#include "geomag/Declination.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gnss {
namespace {

constexpr double Radians = std::numbers::pi / 180.0;

double Normalised(double degrees) {
    const double turned = std::fmod(degrees, 360.0);
    return turned < 0 ? turned + 360.0 : (turned >= 360.0 ? 0.0 : turned);
}

// The signed smallest angle from b to a, in (-180, 180].
double Difference(double a, double b) {
    const double d = Normalised(a - b);
    return d > 180.0 ? d - 360.0 : d;
}

bool Usable(double value) { return std::isfinite(value); }

} // namespace

QString ReasonText(Refusal refusal, std::chrono::seconds steadyFor) {
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::NoPosition:
        return QCoreApplication::translate("gnss::CourseReference", "Pas de position");
    case Refusal::TooSlow:
        return QCoreApplication::translate("gnss::CourseReference", "Vitesse trop faible");
    case Refusal::NoCourse:
        return QCoreApplication::translate("gnss::CourseReference", "Pas de route sur le fond");
    case Refusal::CourseUnsteady:
        return QCoreApplication::translate("gnss::CourseReference", "Cap instable");
    case Refusal::SpeedUnsteady:
        return QCoreApplication::translate("gnss::CourseReference", "Vitesse instable");
    case Refusal::Settling:
        return QCoreApplication::translate("gnss::CourseReference",
                                           "Route stable depuis %1 s sur %2 s")
            .arg(steadyFor.count())
            .arg(SteadyWindow.count());
    case Refusal::NearMagneticPole:
        return QCoreApplication::translate("gnss::CourseReference",
                                           "Déclinaison inutilisable si près du pôle magnétique");
    }
    return {};
}

void CourseReference::Reset() {
    window_.clear();
    last_ = CourseVerdict{};
}

CourseVerdict CourseReference::Add(const Fix &fix) {
    last_ = Judge(fix);
    last_.reason = ReasonText(last_.refusal, [this] {
        if (window_.empty())
            return std::chrono::seconds{};
        return std::chrono::floor<std::chrono::seconds>(*window_.back().time -
                                                        *window_.front().time);
    }());
    last_.usable = last_.refusal == Refusal::None;
    last_.fix = fix;
    if (onVerdict)
        onVerdict(last_);
    return last_;
}

CourseVerdict CourseReference::Judge(const Fix &fix) {
    CourseVerdict verdict;
    // A fix that cannot belong to a steady run ends the one under way.
    const auto refuse = [&](Refusal why) {
        window_.clear();
        verdict.refusal = why;
        return verdict;
    };
    if (!fix.HasPosition() || !fix.time)
        return refuse(Refusal::NoPosition);
    if (!Usable(fix.speed) || fix.speed < MinimumSpeedKnots * MetresPerSecondPerKnot)
        return refuse(Refusal::TooSlow);
    if (!Usable(fix.course))
        return refuse(Refusal::NoCourse);

    // The run is the fixes of the last SteadyWindow, with no silence longer than LongestGap.
    // A fix of the same time replaces the one before (a receiver may report a cycle twice);
    // an earlier one (a replay started again) starts a new run.
    if (!window_.empty()) {
        const Fix::Time last = *window_.back().time;
        if (*fix.time == last)
            window_.pop_back();
        else if (*fix.time < last || *fix.time - last > LongestGap)
            window_.clear();
    }
    window_.push_back(fix);
    while (*window_.back().time - *window_.front().time > SteadyWindow)
        window_.pop_front();

    // The courses' circular mean (the direction of the sum of their unit vectors), so that a
    // run across north is as steady as any other, and the speeds' plain mean.
    double east = 0, north = 0, speeds = 0;
    for (const Fix &f : window_) {
        east += std::sin(f.course * Radians);
        north += std::cos(f.course * Radians);
        speeds += f.speed;
    }
    const double count = static_cast<double>(window_.size());
    verdict.trueCourse = Normalised(std::atan2(east, north) / Radians);
    verdict.speedKnots = speeds / count / MetresPerSecondPerKnot;
    verdict.courseSpread = 0;
    verdict.speedSpread = 0;
    for (const Fix &f : window_) {
        verdict.courseSpread =
            std::max(verdict.courseSpread, std::abs(Difference(f.course, verdict.trueCourse)));
        verdict.speedSpread = std::max(
            verdict.speedSpread, std::abs(f.speed / MetresPerSecondPerKnot - verdict.speedKnots));
    }
    // Courses spread evenly round the circle have no mean direction at all.
    if (std::hypot(east, north) < 1e-9 * count)
        verdict.courseSpread = 180.0;

    if (verdict.courseSpread > CourseToleranceDegrees) {
        verdict.refusal = Refusal::CourseUnsteady;
        return verdict;
    }
    if (verdict.speedSpread > SpeedToleranceKnots) {
        verdict.refusal = Refusal::SpeedUnsteady;
        return verdict;
    }
    if (*window_.back().time - *window_.front().time < SteadyWindow) {
        verdict.refusal = Refusal::Settling;
        return verdict;
    }

    // The declination at the latest position on the day of the fix (UTC).
    const geomag::GeodeticPoint point{fix.latitude, fix.longitude,
                                      Usable(fix.altitude) ? fix.altitude : 0.0};
    const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(*fix.time)};
    const geomag::DeclinationEstimate estimate = geomag::EstimateDeclination(point, date);
    if (estimate.zone == geomag::PolarZone::Blackout) {
        verdict.refusal = Refusal::NearMagneticPole;
        return verdict;
    }
    verdict.refusal = Refusal::None;
    verdict.declination = estimate.declination;
    // East declination puts magnetic north east of true north: magnetic = true - declination.
    verdict.magneticCourse = Normalised(verdict.trueCourse - estimate.declination);
    return verdict;
}

} // namespace gnss
