#include "deviation/Fit.h"

#include "base/Language.h"
#include "compass/Angles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace deviation {
namespace {

constexpr std::size_t kTerms = 5;
// A residual that shows as 0.00 is never flagged, however small the others are: an exact fit
// leaves only rounding noise.
constexpr double kNegligibleResidual = 0.005;
constexpr double kOutlierFactor = 3;
// Compass headings closer than this count as one heading.
constexpr double kSameHeading = 0.01;

std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("Swing", text, args);
}

// Degrees with at most two decimals, whatever the locale: "100", "112.5".
std::string DegreesText(double value) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
    std::string written(text, end);
    while (written.back() == '0')
        written.pop_back();
    if (written.back() == '.')
        written.pop_back();
    return written == "-0" ? "0" : written;
}

std::array<double, kTerms> Terms(double compassHeading) {
    const double theta = compassHeading * std::numbers::pi / 180;
    return {1.0, std::sin(theta), std::cos(theta), std::sin(2 * theta), std::cos(2 * theta)};
}

// The compass headings in [0, 360), sorted, those that count as one heading merged.
std::vector<double> DistinctHeadings(std::span<const SwingPoint> points) {
    std::vector<double> headings;
    for (const SwingPoint &point : points)
        headings.push_back(compass::Reduce360Real(point.compass));
    std::sort(headings.begin(), headings.end());
    std::vector<double> distinct;
    for (double heading : headings)
        if (distinct.empty() || heading - distinct.back() >= kSameHeading)
            distinct.push_back(heading);
    if (distinct.size() > 1 && distinct.front() + 360 - distinct.back() < kSameHeading)
        distinct.pop_back();
    return distinct;
}

// Why the widest arc between two neighbouring headings is too wide; empty when none is.
std::string GapRefusal(const std::vector<double> &headings) {
    double widest = 0, from = 0;
    for (std::size_t k = 0; k < headings.size(); ++k) {
        const double next = k + 1 < headings.size() ? headings[k + 1] : headings.front() + 360;
        if (next - headings[k] > widest) {
            widest = next - headings[k];
            from = headings[k];
        }
    }
    if (widest <= kWidestGap)
        return {};
    return Tr(QT_TRANSLATE_NOOP("Swing", "aucun point entre les caps compas %1° et %2° : un arc "
                                         "de %3° sans point, plus de 90°, où la courbe serait "
                                         "devinée ; ajoutez des points dans cet arc"),
              {DegreesText(from), DegreesText(compass::Reduce360Real(from + widest)),
               DegreesText(widest)});
}

// Solves the normal equations by Gaussian elimination with partial pivoting; false when they
// are singular.
bool Solve(std::array<std::array<double, kTerms>, kTerms> m, std::array<double, kTerms> v,
           std::array<double, kTerms> &x, double scale) {
    for (std::size_t col = 0; col < kTerms; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < kTerms; ++row)
            if (std::fabs(m[row][col]) > std::fabs(m[pivot][col]))
                pivot = row;
        if (std::fabs(m[pivot][col]) < 1e-9 * scale)
            return false;
        std::swap(m[col], m[pivot]);
        std::swap(v[col], v[pivot]);
        for (std::size_t row = col + 1; row < kTerms; ++row) {
            const double factor = m[row][col] / m[col][col];
            for (std::size_t k = col; k < kTerms; ++k)
                m[row][k] -= factor * m[col][k];
            v[row] -= factor * v[col];
        }
    }
    for (std::size_t col = kTerms; col-- > 0;) {
        double sum = v[col];
        for (std::size_t k = col + 1; k < kTerms; ++k)
            sum -= m[col][k] * x[k];
        x[col] = sum / m[col][col];
    }
    return true;
}

} // namespace

FitOutcome FitSwing(std::span<const SwingPoint> points) {
    if (points.size() < kFewestPoints)
        return {std::nullopt,
                Tr(QT_TRANSLATE_NOOP("Swing", "il faut au moins cinq points à des caps compas "
                                              "différents, et il n'y en a que %1"),
                   {std::to_string(points.size())})};
    const std::vector<double> headings = DistinctHeadings(points);
    if (std::string refusal = GapRefusal(headings); !refusal.empty())
        return {std::nullopt, refusal};
    const std::string tooFewHeadings =
        Tr(QT_TRANSLATE_NOOP("Swing", "les points ne sont qu'à %1 caps compas différents : il en "
                                      "faut au moins cinq"),
           {std::to_string(headings.size())});
    if (headings.size() < kFewestPoints)
        return {std::nullopt, tooFewHeadings};

    std::array<std::array<double, kTerms>, kTerms> normal{};
    std::array<double, kTerms> right{};
    std::vector<double> observed;
    for (const SwingPoint &point : points) {
        observed.push_back(compass::DifferenceReal(point.magnetic, point.compass));
        const auto terms = Terms(point.compass);
        for (std::size_t i = 0; i < kTerms; ++i) {
            for (std::size_t j = 0; j < kTerms; ++j)
                normal[i][j] += terms[i] * terms[j];
            right[i] += terms[i] * observed.back();
        }
    }
    std::array<double, kTerms> x{};
    if (!Solve(normal, right, x, double(points.size())))
        return {std::nullopt, tooFewHeadings};

    Fit fit{{x[0], x[1], x[2], x[3], x[4]}, {}, 0};
    double squares = 0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const double residual = observed[k] - DeviationAt(fit.coefficients, points[k].compass);
        fit.points.push_back({points[k], observed[k], residual, false});
        squares += residual * residual;
    }
    fit.rms = std::sqrt(squares / double(points.size()));
    for (FittedPoint &point : fit.points)
        point.outlier = std::fabs(point.residual) > kOutlierFactor * fit.rms &&
                        std::fabs(point.residual) >= kNegligibleResidual;
    return {fit, {}};
}

} // namespace deviation
