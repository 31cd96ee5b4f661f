// The shared angle arithmetic at its edges: negative angles, whole turns, the extremes of
// 64 bits, the half turn that belongs to one side only, halves of a tenth, the raw steps.
#include "compass/Angles.h"

#include <gtest/gtest.h>

#include <limits>

namespace compass {
namespace {

constexpr long long kMin = std::numeric_limits<long long>::min();
constexpr long long kMax = std::numeric_limits<long long>::max();

TEST(Angles, WholeDegreesReduceIntoATurnAndEitherSideOfNorth) {
    const struct {
        long long degrees;
        int reduced, signedAngle;
    } cases[] = {{359, 359, -1},   {720, 0, 0},     {-1, 359, -1},
                 {-361, 359, -1},  {180, 180, 180}, {-180, 180, 180},
                 {181, 181, -179}, {kMax, 7, 7},    {kMin, 352, -8}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(Reduce360(c.degrees), c.reduced);
        EXPECT_EQ(Signed180(c.degrees), c.signedAngle);
        if (c.degrees > kMin / 10 && c.degrees < kMax / 10) { // tenths, at ten times the scale
            EXPECT_EQ(Reduce3600(c.degrees * 10), c.reduced * 10);
            EXPECT_EQ(Signed1800(c.degrees * 10), c.signedAngle * 10);
        }
    }
    // From `from` to `to` the shorter way round; the half turn counts as clockwise.
    const struct {
        long long to, from;
        int difference;
    } differences[] = {{10, 350, 20}, {350, 10, -20}, {0, 180, 180},
                       {180, 0, 180}, {725, -5, 10},  {kMax, kMin, 15}};
    for (const auto &d : differences)
        EXPECT_EQ(Difference(d.to, d.from), d.difference) << d.from << " to " << d.to;
}

TEST(Angles, RealDegreesKeepEachRangesOwnEnd) {
    const struct {
        double degrees, reduced, signedAngle, lowerEnd;
    } cases[] = {{360, 0, 0, 0},
                 {180, 180, 180, -180},
                 {-180, 180, 180, -180},
                 {-90.5, 269.5, -90.5, -90.5},
                 {1e6 + 0.25, 280.25, -79.75, -79.75},
                 {-1e-17, 0, 0, 0}}; // a turn added to a tiny negative angle rounds to 360
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(Reduce360Real(c.degrees), c.reduced);
        EXPECT_EQ(Signed180Real(c.degrees), c.signedAngle);
        EXPECT_EQ(Signed180LowerEnd(c.degrees), c.lowerEnd);
        EXPECT_EQ(DifferenceReal(c.degrees, 0), c.signedAngle);
    }
    for (const auto &[degrees, tenths] : {std::pair{0.25, 3LL}, {-0.25, -3LL}, {-15.54, -155LL}}) {
        EXPECT_EQ(TenthsOf(degrees), tenths) << degrees; // halves away from zero
        EXPECT_DOUBLE_EQ(RoundedToTenth(degrees), DegreesOfTenths(tenths)) << degrees;
    }
}

TEST(Angles, RawReadingsInDegreesFollowTheExactIntegerRule) {
    for (int v = 0; v <= kMaxRawReading; ++v) {
        // floor(360.5 - 359 v / 254) = floor((91567 - 359 v) / 254), the numerator staying > 0.
        EXPECT_EQ(RawToDegrees(v), (91567 - 359 * v) / 254) << "v = " << v;
    }
    // 127 lands on a half, which rounds up.
    EXPECT_EQ(RawToDegrees(0), 360);
    EXPECT_EQ(RawToDegrees(127), 181);
    EXPECT_EQ(RawToDegrees(254), 1);
}

} // namespace
} // namespace compass
