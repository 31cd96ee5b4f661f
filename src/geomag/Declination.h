// The magnetic declination that WMM2025 gives for a place and a date, with the model's own
// error estimate and the warnings a compass user needs.
#pragma once

#include "geomag/FieldModel.h"

#include <chrono>
#include <optional>
#include <string_view>

namespace geomag {

// Where the horizontal field is weak the compass wanders: below 6000 nT the declination
// must be used with caution, below 2000 nT it means nothing.
enum class PolarZone { None, Caution, Blackout };
constexpr double CautionBelow = 6000.0;  // nT
constexpr double BlackoutBelow = 2000.0; // nT

// The heights for which the model is made, in metres above the ellipsoid.
constexpr double LowestHeight = -1000.0;
constexpr double HighestHeight = 850000.0;

struct DeclinationEstimate {
    double declination = 0; // degrees, east positive
    double uncertainty = 0; // degrees, the model's error estimate for this place
    double horizontal = 0;  // nT
    double year = 0;        // the decimal year it was worked out for
    bool withinValidity = false;
    PolarZone zone = PolarZone::None;
};

// The model's declination error, σD = √(0.26² + (5417 / H)²) degrees, for a horizontal
// intensity H in nT: the fixed part is the model's own error, the other the crustal and
// disturbance field, which matters the more the weaker H is.
double DeclinationUncertainty(double horizontal);
PolarZone ZoneOf(double horizontal);

// The decimal year of a valid date as WMM counts it: 1 January is the year itself, each day
// adds 1/365 or 1/366.
double DecimalYear(std::chrono::year_month_day date);
// A date written YYYY-MM-DD (year 1 to 9999); nullopt for anything else or no such day.
std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text);

// The first decimal year after the model's validity (which starts at its epoch).
double ValidUntil();
// Whether the model holds on that date: from its epoch to the end of its fifth year. Outside,
// its value is only the secular change carried on, which nothing vouches for.
bool WithinValidity(std::chrono::year_month_day date);

// The declination of WMM2025 at `point` on `date`. Dates outside the validity period are
// worked out all the same (the secular change carried on) and say so.
DeclinationEstimate EstimateDeclination(const GeodeticPoint &point,
                                        std::chrono::year_month_day date);

} // namespace geomag
