// The deviation fit: agreement with the classic eight-point analysis, recovery of a known curve
// from points at any headings, the refusals, and the flag on a point far off the curve.
#include "deviation/Fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using deviation::Coefficients;
using deviation::SwingPoint;

// A curve with a third harmonic as well, which the five coefficients cannot follow.
struct Curve {
    Coefficients k;
    double sin3 = 0, cos3 = 0;

    double At(double compass) const {
        const double theta = compass * M_PI / 180;
        return deviation::DeviationAt(k, compass) + sin3 * std::sin(3 * theta) +
               cos3 * std::cos(3 * theta);
    }
};

std::vector<SwingPoint> PointsOn(const Curve &curve, const std::vector<double> &headings) {
    std::vector<SwingPoint> points;
    for (double compass : headings)
        points.push_back({compass, deviation::Heading360(compass + curve.At(compass))});
    return points;
}

Coefficients Fitted(const std::vector<SwingPoint> &points) {
    const deviation::FitOutcome outcome = deviation::FitSwing(points);
    EXPECT_TRUE(outcome.fit) << outcome.refusal;
    return outcome.fit ? outcome.fit->coefficients : Coefficients{};
}

TEST(Fit, EightCardinalPointsAgreeWithTheClassicAnalysis) {
    const struct {
        const char *name;
        Curve curve;
        double scatter; // added to the deviations, alternately up and down
        bool smooth;    // B and C then stay within a tenth of a degree of the classic ones
    } cases[] = {
        {"five terms", {{1.0, -2.25, 0.0, 0.5, -0.75}}, 0, true},
        {"smooth with a third harmonic", {{-0.4, 3.1, -1.7, 0.9, 0.3}, 0.04, -0.05}, 0, true},
        {"scattered", {{0.8, 1.5, 2.5, -1.2, 0.6}, 0.7, 0.4}, 0.9, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // N, NE, E, SE, S, SW, W, NW.
        std::vector<SwingPoint> points = PointsOn(c.curve, {0, 45, 90, 135, 180, 225, 270, 315});
        for (std::size_t k = 0; k < points.size(); ++k)
            points[k].magnetic += k % 2 ? c.scatter : -c.scatter;
        double d[8];
        for (std::size_t k = 0; k < 8; ++k)
            d[k] = deviation::Signed180(points[k].magnetic - points[k].compass);
        const auto [n, ne, e, se, s, sw, w, nw] = d;
        const Coefficients fit = Fitted(points);
        EXPECT_NEAR(fit.a, (n + ne + e + se + s + sw + w + nw) / 8, 1e-9);
        EXPECT_NEAR(fit.d, (ne - se + sw - nw) / 4, 1e-9);
        EXPECT_NEAR(fit.e, (n - e + s - w) / 4, 1e-9);
        if (c.smooth) {
            EXPECT_NEAR(fit.b, (e - w) / 2, 0.1);
            EXPECT_NEAR(fit.c, (n - s) / 2, 0.1);
        }
    }
}

TEST(Fit, RecoversKnownCoefficientsFromPointsAtAnyHeadings) {
    const struct {
        const char *name;
        Coefficients k;
        std::vector<double> headings;
    } cases[] = {
        {"five points, the fewest", {1.0, -2.25, 0.0, 0.5, -0.75}, {10, 95, 180, 265, 350}},
        {"irregular, unordered", {-3.2, 4.4, 1.1, -0.6, 2.0}, {161, 3, 97, 333, 50, 260, 200}},
        {"magnetic past north", {6.0, 2.0, 3.0, 0.0, 0.0}, {355, 40, 120, 200, 280, 300, 359.5}},
        {"repeated headings", {0.3, -0.2, 0.1, 0.4, -0.5}, {0, 0, 80, 80, 160, 240, 240, 320}},
        {"headings of 360", {2.0, 1.0, -1.0, 0.5, 0.25}, {360, 72, 144, 216, 288}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const deviation::FitOutcome outcome = deviation::FitSwing(PointsOn({c.k}, c.headings));
        ASSERT_TRUE(outcome.fit) << outcome.refusal;
        const deviation::Fit &fit = *outcome.fit;
        EXPECT_NEAR(fit.coefficients.a, c.k.a, 1e-9);
        EXPECT_NEAR(fit.coefficients.b, c.k.b, 1e-9);
        EXPECT_NEAR(fit.coefficients.c, c.k.c, 1e-9);
        EXPECT_NEAR(fit.coefficients.d, c.k.d, 1e-9);
        EXPECT_NEAR(fit.coefficients.e, c.k.e, 1e-9);
        EXPECT_NEAR(fit.rms, 0, 1e-9);
        ASSERT_EQ(fit.points.size(), c.headings.size());
        for (const deviation::FittedPoint &point : fit.points) {
            EXPECT_NEAR(point.deviation, deviation::DeviationAt(c.k, point.point.compass), 1e-9);
            EXPECT_FALSE(point.outlier) << point.point.compass;
        }
    }
}

TEST(Fit, RefusesPointsThatCannotGiveTheCurveAndSaysWhatIsMissing) {
    const Curve curve{{1, 2, 3, 0.5, 0.25}};
    const struct {
        const char *name;
        std::vector<double> headings;
        const char *refusal;
    } cases[] = {
        {"four points", {0, 90, 180, 270}, "il faut au moins cinq points"},
        {"none", {}, "il n'y en a que 0"},
        {"an arc of 100°",
         {0, 45, 90, 135, 180, 225, 260},
         "aucun point entre les caps compas 260° et 0° : un arc de 100°"},
        {"an arc across north",
         {30, 90, 150, 210, 250},
         "entre les caps compas 250° et 30° : un arc de 140°"},
        {"an arc just over 90°",
         {300.25, 330, 10.75, 45, 90, 120, 180, 210},
         "entre les caps compas 210° et 300.25° : un arc de 90.25°"},
        {"four headings only", {0, 90, 180, 270, 90, 0, 359.999}, "qu'à 4 caps compas différents"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const deviation::FitOutcome outcome = deviation::FitSwing(PointsOn(curve, c.headings));
        EXPECT_FALSE(outcome.fit);
        EXPECT_NE(outcome.refusal.find(c.refusal), std::string::npos) << outcome.refusal;
    }
    // An arc of exactly 90° is still taken.
    EXPECT_TRUE(deviation::FitSwing(PointsOn(curve, {0, 90, 180, 270, 45})).fit);
}

TEST(Fit, FlagsAPointMoreThanThreeTimesTheRmsOffTheCurve) {
    const Coefficients k{0.5, -1.5, 2.0, 0.3, -0.4};
    const struct {
        std::size_t bad;
        double offset;  // added to that point's magnetic heading
        double scatter; // of all the readings, alternately up and down
        bool flagged;   // far enough to stand out: about 4 RMS for 4°, 2.3 RMS for 0.2°
    } cases[] = {
        {0, 4, 0.1, true},
        {7, 4, 0.1, true},
        {23, -4, 0.1, true},
        {7, 0.2, 0.1, false},
        {0, 0, 0.1, false},
        // 4 RMS off, but on an otherwise exact curve and by less than the last decimal shown.
        {7, 0.004, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "point " << c.bad << " off by " << c.offset);
        std::vector<double> headings;
        for (int compass = 0; compass < 360; compass += 15)
            headings.push_back(compass);
        std::vector<SwingPoint> points = PointsOn({k}, headings);
        for (std::size_t i = 0; i < points.size(); ++i)
            points[i].magnetic += i % 2 ? c.scatter : -c.scatter;
        points[c.bad].magnetic += c.offset;
        const deviation::FitOutcome outcome = deviation::FitSwing(points);
        ASSERT_TRUE(outcome.fit) << outcome.refusal;
        double squares = 0;
        for (const deviation::FittedPoint &point : outcome.fit->points)
            squares += point.residual * point.residual;
        EXPECT_NEAR(outcome.fit->rms, std::sqrt(squares / double(points.size())), 1e-12);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const deviation::FittedPoint &point = outcome.fit->points[i];
            EXPECT_NEAR(point.residual,
                        point.deviation -
                            deviation::DeviationAt(outcome.fit->coefficients, point.point.compass),
                        1e-12);
            EXPECT_EQ(point.outlier, c.flagged && i == c.bad)
                << i << ": " << point.residual / outcome.fit->rms << " RMS";
        }
    }
    // An exact fit leaves only rounding noise, which is never flagged.
    std::vector<double> many;
    for (int compass = 0; compass < 360; compass += 5)
        many.push_back(compass);
    const deviation::FitOutcome exact = deviation::FitSwing(PointsOn({k}, many));
    ASSERT_TRUE(exact.fit) << exact.refusal;
    for (const deviation::FittedPoint &point : exact.fit->points)
        EXPECT_FALSE(point.outlier) << point.point.compass << ": " << point.residual;
}

TEST(Card, OneRowEveryFifteenDegreesWithItsMagneticHeading) {
    const Coefficients k{-2.0, 1.5, 0.5, 0.0, 1.0};
    const std::vector<deviation::CardRow> card = deviation::Card(k);
    ASSERT_EQ(card.size(), 24u);
    for (std::size_t i = 0; i < card.size(); ++i) {
        EXPECT_EQ(card[i].compass, 15.0 * double(i));
        EXPECT_NEAR(card[i].deviation, deviation::DeviationAt(k, card[i].compass), 1e-12);
        EXPECT_GE(card[i].magnetic, 0);
        EXPECT_LT(card[i].magnetic, 360);
        EXPECT_NEAR(deviation::Signed180(card[i].magnetic - card[i].compass), card[i].deviation,
                    1e-9);
    }
    // North reads west of north here: the magnetic heading wraps below 360.
    EXPECT_GT(card[0].magnetic, 350);
}

TEST(Card, TheCompassHeadingOfAMagneticHeadingIsTheCurveInverted) {
    const struct {
        Coefficients k;
        bool turns; // the compass follows the craft one to one
    } cases[] = {
        {{1.0, -2.25, 0.0, 0.5, -0.75}, true},
        {{-179, 10, -8, 2.5, 2.5}, true}, // |B| + |C| + 2|D| + 2|E| = 28, under 28.65
        {{0, 14.3, 0, 0, 7.16}, true},    // 28.62
        {{0, 14.3, 0, 0, 7.2}, false},    // 28.7: the slope could pass half a degree per degree
        {{181, 0, 0, 0, 0}, false},
        {{0, 0, 0, -20, 0}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.k.a << ' ' << c.k.b << ' ' << c.k.e);
        EXPECT_EQ(deviation::TurnsWithTheCraft(c.k), c.turns);
        if (!c.turns)
            continue;
        for (double magnetic = 0; magnetic < 360; magnetic += 7.5) {
            const double compass = deviation::CompassHeadingFor(c.k, magnetic);
            EXPECT_GE(compass, 0);
            EXPECT_LT(compass, 360);
            EXPECT_NEAR(
                deviation::Signed180(compass + deviation::DeviationAt(c.k, compass) - magnetic), 0,
                1e-9)
                << magnetic;
        }
    }
}

} // namespace
