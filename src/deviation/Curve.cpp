#include "deviation/Curve.h"

#include <cmath>
#include <numbers>

namespace deviation {

namespace {
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr int kCardStep = 15; // degrees of compass heading between two rows of the card
} // namespace

double DeviationAt(const Coefficients &k, double compassHeading) {
    const double theta = compassHeading * kRadiansPerDegree;
    return k.a + k.b * std::sin(theta) + k.c * std::cos(theta) + k.d * std::sin(2 * theta) +
           k.e * std::cos(2 * theta);
}

double Heading360(double degrees) {
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    // fmod of a tiny negative number plus 360 rounds to 360 itself.
    return reduced >= 360.0 ? 0.0 : reduced;
}

double Signed180(double degrees) {
    const double reduced = Heading360(degrees);
    return reduced > 180.0 ? reduced - 360.0 : reduced;
}

std::vector<CardRow> Card(const Coefficients &coefficients) {
    std::vector<CardRow> rows;
    for (int compass = 0; compass < 360; compass += kCardStep) {
        const double deviation = DeviationAt(coefficients, compass);
        rows.push_back({double(compass), deviation, Heading360(compass + deviation)});
    }
    return rows;
}

} // namespace deviation
