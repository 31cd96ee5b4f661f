// `ventrose --declination LAT LON [AAAA-MM-JJ] [--altitude KM] [--extrapolate]`: the magnetic
// declination of WMM2025 for a place and a date, printed without any display.
#pragma once

#include "geomag/FieldModel.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct DeclinationRequest {
    geomag::GeodeticPoint point{};                     // the height comes from --altitude
    std::optional<std::chrono::year_month_day> date{}; // nullopt: today

    bool operator==(const DeclinationRequest &) const = default;
};

// Reads the values of --declination: a latitude, a longitude (decimal degrees, or degrees
// and minutes with their hemisphere) and an optional date written YYYY-MM-DD. Returns why
// they are refused (French, without a final full stop, the argument escaped for the
// terminal), empty when they are taken.
std::string ReadDeclinationRequest(const std::vector<std::string> &values,
                                   DeclinationRequest &request);
// Reads the value of --altitude, kilometres above the ellipsoid (a point or a comma), into
// metres; the same kind of answer.
std::string ReadAltitude(const std::string &km, std::optional<double> &metres);

// Why the declination on `date` is not given without being asked for explicitly: the model
// does not hold then, so its value is only an extrapolation (French, without a final full
// stop). Empty within the model's validity.
std::string ExtrapolationRefusal(std::chrono::year_month_day date);

// Prints "D ± σ" on `out` (degrees with two decimals whatever the locale, east positive,
// then the model's error estimate) and the warnings that hold on `err` (validity period,
// zones near the magnetic poles). The date defaults to `today`.
void PrintDeclination(const DeclinationRequest &request, std::FILE *out, std::FILE *err,
                      std::chrono::year_month_day today);

// The local date.
std::chrono::year_month_day LocalToday();

} // namespace app
