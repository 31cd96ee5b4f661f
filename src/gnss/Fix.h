// One report of a GNSS receiver as gpsd gives it: when, where, and how the craft moves over
// the ground. No Qt.
#pragma once

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>

namespace gnss {

// The kind of fix, as the receiver reports it.
enum class FixMode { NotSeen = 0, NoFix = 1, TwoD = 2, ThreeD = 3 };

struct Fix {
    using Time = std::chrono::sys_time<std::chrono::milliseconds>;
    static constexpr double None = std::numeric_limits<double>::quiet_NaN();

    std::optional<Time> time; // UTC
    FixMode mode = FixMode::NotSeen;
    double latitude = None;  // degrees, north positive
    double longitude = None; // degrees, east positive
    double altitude = None;  // metres above the WGS84 ellipsoid
    double course = None;    // true course over ground, degrees from true north
    double speed = None;     // speed over ground, metres per second

    // A position the receiver stands by: a 2D or 3D fix with both coordinates.
    bool HasPosition() const {
        return (mode == FixMode::TwoD || mode == FixMode::ThreeD) && std::isfinite(latitude) &&
               std::isfinite(longitude);
    }
};

constexpr double MetresPerSecondPerKnot = 1852.0 / 3600.0;

} // namespace gnss
