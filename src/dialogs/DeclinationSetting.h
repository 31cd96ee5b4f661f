// What the declination dialog's controls can hold of a worked-out declination: a side and a
// whole number of degrees, on one of the listed ranges.
#pragma once

#include <optional>

namespace app {

struct DeclinationSetting {
    bool west = false;
    int degrees = 0; // 0 … 10
    int range = 3;   // the smallest of 3, 5, 7, 10 that holds the degrees

    bool operator==(const DeclinationSetting &) const = default;
};

// The largest declination the module's parameter field holds, in degrees.
constexpr int MaxModuleDeclination = 10;

// The setting for a declination in degrees, east positive, rounded to whole degrees (halves
// away from zero); nullopt when the rounded value is beyond what the module holds. A value
// that rounds to 0 keeps its side.
std::optional<DeclinationSetting> SettingFor(double declination);

} // namespace app
