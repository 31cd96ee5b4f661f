#include "headinglog/CircularStats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace headinglog {
namespace {

// The deviation of headings whose mean resultant has length r, in degrees.
double DeviationFor(double r) { return std::sqrt(-2 * std::log(r)) * 180 / std::numbers::pi; }
double Cos(double degrees) { return std::cos(degrees * std::numbers::pi / 180); }

std::vector<double> EveryDegree() {
    std::vector<double> all;
    for (int d = 0; d < 360; ++d)
        all.push_back(d);
    return all;
}

struct Case {
    std::string name;
    std::vector<double> headings;
    std::optional<double> mean;      // none: the readings cancel out
    std::optional<double> deviation; // none: the readings cancel out
};

// Angles compared on the circle: 359.9999 and 0 are the same mean.
double CircularGap(double a, double b) { return std::abs(std::remainder(a - b, 360.0)); }

TEST(CircularStatistics, TableOfCases) {
    const Case cases[] = {
        {"none", {}, std::nullopt, std::nullopt},
        {"one heading", {123}, 123, 0},
        {"either side of north", {350, 10}, 0, DeviationFor(Cos(10))},
        {"north written past a full turn", {-10, 370}, 0, DeviationFor(Cos(10))},
        {"north-east quarter", {0, 90}, 45, DeviationFor(Cos(45))},
        {"around south", {170, 180, 190}, 180, DeviationFor((1 + 2 * Cos(10)) / 3)},
        {"two opposite headings", {0, 180}, std::nullopt, std::nullopt},
        {"uniform round the circle", EveryDegree(), std::nullopt, std::nullopt},
        {"four points of the compass", {0, 90, 180, 270}, std::nullopt, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CircularStats stats = CircularStatistics(c.headings);
        EXPECT_EQ(stats.count, c.headings.size());
        ASSERT_EQ(stats.mean.has_value(), c.mean.has_value());
        ASSERT_EQ(stats.deviation.has_value(), c.deviation.has_value());
        if (c.mean) {
            EXPECT_GE(*stats.mean, 0.0);
            EXPECT_LT(*stats.mean, 360.0);
            EXPECT_LT(CircularGap(*stats.mean, *c.mean), 1e-9);
            EXPECT_NEAR(*stats.deviation, *c.deviation, 1e-6);
        }
    }
}

} // namespace
} // namespace headinglog
