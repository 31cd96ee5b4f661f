// The deviation fit: agreement with the classic eight-point analysis, recovery of a known curve
// from points at any headings, the refusals, and the flag on a point far off the curve.
#include "deviation/Fit.h"
#include "compass/Angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using deviation::Coefficients;
using deviation::SwingPoint;

// Points on the curve k plus a third harmonic (which the five terms cannot follow) and a
// scatter, alternately up and down.
std::vector<SwingPoint> PointsOn(const Coefficients &k, const std::vector<double> &headings,
                                 double sin3 = 0, double scatter = 0) {
    std::vector<SwingPoint> points;
    for (double compass : headings) {
        const double deviation = deviation::DeviationAt(k, compass) +
                                 sin3 * std::sin(3 * compass * M_PI / 180) +
                                 (points.size() % 2 ? scatter : -scatter);
        points.push_back({compass, ::compass::Reduce360Real(compass + deviation)});
    }
    return points;
}

TEST(Fit, EightCardinalPointsAgreeWithTheClassicAnalysis) {
    const struct {
        Coefficients k;
        double sin3, scatter;
        bool smooth; // B and C then stay within a tenth of a degree of the classic ones
    } cases[] = {
        {{1.0, -2.25, 0.0, 0.5, -0.75}, 0, 0, true},
        {{-0.4, 3.1, -1.7, 0.9, 0.3}, 0.06, 0, true},
        {{0.8, 1.5, 2.5, -1.2, 0.6}, 0.7, 0.9, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sin3 + c.scatter);
        const auto points = PointsOn(c.k, {0, 45, 90, 135, 180, 225, 270, 315}, c.sin3, c.scatter);
        double d[8];
        for (std::size_t i = 0; i < 8; ++i)
            d[i] = ::compass::DifferenceReal(points[i].magnetic, points[i].compass);
        const auto [n, ne, e, se, s, sw, w, nw] = d;
        const deviation::FitOutcome fit = deviation::FitSwing(points);
        ASSERT_TRUE(fit.fit) << fit.refusal;
        EXPECT_NEAR(fit.fit->coefficients.a, (n + ne + e + se + s + sw + w + nw) / 8, 1e-9);
        EXPECT_NEAR(fit.fit->coefficients.d, (ne - se + sw - nw) / 4, 1e-9);
        EXPECT_NEAR(fit.fit->coefficients.e, (n - e + s - w) / 4, 1e-9);
        if (c.smooth) {
            EXPECT_NEAR(fit.fit->coefficients.b, (e - w) / 2, 0.1);
            EXPECT_NEAR(fit.fit->coefficients.c, (n - s) / 2, 0.1);
        }
    }
}

TEST(Fit, RecoversKnownCoefficientsFromPointsAtAnyHeadings) {
    const struct {
        Coefficients k;
        std::vector<double> headings;
    } cases[] = {
        {{1.0, -2.25, 0.0, 0.5, -0.75}, {10, 95, 180, 265, 350}},          // the fewest
        {{-3.2, 4.4, 1.1, -0.6, 2.0}, {161, 3, 97, 333, 50, 260, 200}},    // unordered
        {{6.0, 2.0, 3.0, 0.0, 0.0}, {355, 40, 120, 200, 280, 300, 359.5}}, // magnetic past north
        {{0.3, -0.2, 0.1, 0.4, -0.5}, {0, 0, 80, 80, 160, 240, 240, 320}}, // repeated headings
        {{2.0, 1.0, -1.0, 0.5, 0.25}, {360, 72, 144, 216, 288}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.headings.size());
        const deviation::FitOutcome outcome = deviation::FitSwing(PointsOn(c.k, c.headings));
        ASSERT_TRUE(outcome.fit) << outcome.refusal;
        const Coefficients &fit = outcome.fit->coefficients;
        for (const auto &[got, want] : {std::pair{fit.a, c.k.a},
                                        {fit.b, c.k.b},
                                        {fit.c, c.k.c},
                                        {fit.d, c.k.d},
                                        {fit.e, c.k.e}})
            EXPECT_NEAR(got, want, 1e-9);
        EXPECT_NEAR(outcome.fit->rms, 0, 1e-9);
    }
}

TEST(Fit, RefusesPointsThatCannotGiveTheCurveAndSaysWhatIsMissing) {
    const struct {
        std::vector<double> headings;
        const char *refusal;
    } cases[] = {
        {{0, 90, 180, 270}, "il faut au moins cinq points"},
        {{0, 45, 90, 135, 180, 225, 260}, "entre les caps compas 260° et 0° : un arc de 100°"},
        {{30, 90, 150, 210, 250}, "entre les caps compas 250° et 30° : un arc de 140°"},
        {{300.25, 330, 10.75, 45, 90, 120, 180, 210}, "210° et 300.25° : un arc de 90.25°"},
        {{0, 90, 180, 270, 90, 0, 359.999}, "qu'à 4 caps compas différents"},
        {{0, 90, 180, 270, 45}, nullptr}, // an arc of exactly 90° is taken
    };
    for (const auto &c : cases) {
        const deviation::FitOutcome outcome = deviation::FitSwing(PointsOn({1, 2, 3}, c.headings));
        EXPECT_EQ(outcome.fit.has_value(), c.refusal == nullptr) << outcome.refusal;
        if (c.refusal) {
            EXPECT_NE(outcome.refusal.find(c.refusal), std::string::npos) << outcome.refusal;
        }
    }
}

TEST(Fit, FlagsAPointMoreThanThreeTimesTheRmsOffTheCurve) {
    std::vector<double> headings;
    for (int compass = 0; compass < 360; compass += 15)
        headings.push_back(compass);
    const struct {
        std::size_t bad;
        double offset, scatter;
        bool flagged;
    } cases[] = {
        {0, 4, 0.1, true},
        {23, -4, 0.1, true},  // about 4 RMS off
        {7, 0.2, 0.1, false}, // 2.3 RMS off
        {7, 0.004, 0, false}, // 4 RMS off an exact curve, but below the last decimal shown
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offset);
        std::vector<SwingPoint> points = PointsOn({0.5, -1.5, 2, 0.3}, headings, 0, c.scatter);
        points[c.bad].magnetic += c.offset;
        const deviation::FitOutcome outcome = deviation::FitSwing(points);
        ASSERT_TRUE(outcome.fit) << outcome.refusal;
        double squares = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const deviation::FittedPoint &point = outcome.fit->points[i];
            squares += point.residual * point.residual;
            EXPECT_NEAR(point.residual,
                        point.deviation -
                            deviation::DeviationAt(outcome.fit->coefficients, point.point.compass),
                        1e-12);
            EXPECT_EQ(point.outlier, c.flagged && i == c.bad) << i;
        }
        EXPECT_NEAR(outcome.fit->rms, std::sqrt(squares / double(points.size())), 1e-12);
    }
}

} // namespace
