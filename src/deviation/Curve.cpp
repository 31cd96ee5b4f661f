#include "deviation/Curve.h"

#include "compass/Angles.h"

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

bool TurnsWithTheCraft(const Coefficients &k) {
    // |δ'| <= (|B| + |C| + 2|D| + 2|E|) per radian; half a degree per degree at most.
    const double steepest =
        (std::fabs(k.b) + std::fabs(k.c) + 2 * std::fabs(k.d) + 2 * std::fabs(k.e)) *
        kRadiansPerDegree;
    return std::isfinite(k.a) && std::fabs(k.a) <= 180 && steepest <= 0.5;
}

double CompassHeadingFor(const Coefficients &k, double magnetic) {
    // Newton's method on c + δ(c) - magnetic, whose slope stays between 1/2 and 3/2.
    double compass = magnetic - DeviationAt(k, magnetic);
    for (int step = 0; step < 50; ++step) {
        const double theta = compass * kRadiansPerDegree;
        const double slope = 1 + (k.b * std::cos(theta) - k.c * std::sin(theta) +
                                  2 * k.d * std::cos(2 * theta) - 2 * k.e * std::sin(2 * theta)) *
                                     kRadiansPerDegree;
        const double error = ::compass::DifferenceReal(compass + DeviationAt(k, compass), magnetic);
        compass -= error / slope;
        if (std::fabs(error) < 1e-12)
            break;
    }
    return ::compass::Reduce360Real(compass);
}

double CompassHeadingOfRaw(int raw) {
    return ::compass::Reduce360Real(raw * ::compass::kDegreesPerStep + 180);
}

int DeviationTenthsOfRaw(const Coefficients &coefficients, int raw) {
    return static_cast<int>(std::lround(DeviationAt(coefficients, CompassHeadingOfRaw(raw)) * 10));
}

std::vector<CardRow> Card(const Coefficients &coefficients) {
    std::vector<CardRow> rows;
    for (int compass = 0; compass < 360; compass += kCardStep) {
        const double deviation = DeviationAt(coefficients, compass);
        rows.push_back({double(compass), deviation, ::compass::Reduce360Real(compass + deviation)});
    }
    return rows;
}

} // namespace deviation
