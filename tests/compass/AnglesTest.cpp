// The shared angle arithmetic at its edges: negative angles, whole turns, the extremes of
// 64 bits, the half turn that belongs to one side only, halves of a tenth, and the module's
// raw steps.
#include "compass/Angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace compass {
namespace {

constexpr long long kMin = std::numeric_limits<long long>::min();
constexpr long long kMax = std::numeric_limits<long long>::max();

TEST(Angles, WholeDegreesReduceIntoATurnAndIntoEitherSideOfNorth) {
    const struct {
        long long degrees;
        int reduced, signedAngle;
    } cases[] = {
        {0, 0, 0},        {359, 359, -1},   {360, 0, 0},       {720, 0, 0},
        {-360, 0, 0},     {-1, 359, -1},    {-361, 359, -1},   {180, 180, 180},
        {-180, 180, 180}, {181, 181, -179}, {-179, 181, -179}, {540, 180, 180},
        {179, 179, 179},  {kMax, 7, 7},     {kMin, 352, -8},   {3600000000LL, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(Reduce360(c.degrees), c.reduced);
        EXPECT_EQ(Signed180(c.degrees), c.signedAngle);
        // Tenths follow the same rule at ten times the scale.
        if (c.degrees > kMin / 10 && c.degrees < kMax / 10) {
            EXPECT_EQ(Reduce3600(c.degrees * 10), c.reduced * 10);
            EXPECT_EQ(Signed1800(c.degrees * 10), c.signedAngle * 10);
        }
    }
    EXPECT_EQ(Signed1800(1801), -1799);
    EXPECT_EQ(Signed1800(-1800), 1800);
}

TEST(Angles, DifferenceIsTheShorterWayRoundWithTheHalfTurnClockwise) {
    const struct {
        long long to, from;
        int difference;
    } cases[] = {
        {10, 350, 20},  {350, 10, -20},   {0, 180, 180},     {180, 0, 180},
        {90, 270, 180}, {1, 0, 1},        {0, 1, -1},        {-10, 10, -20},
        {725, -5, 10},  {kMax, kMin, 15}, {kMin, kMax, -15},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " to " << c.to);
        EXPECT_EQ(Difference(c.to, c.from), c.difference);
        EXPECT_EQ(DifferenceReal(static_cast<double>(Reduce360(c.to)),
                                 static_cast<double>(Reduce360(c.from))),
                  c.difference);
    }
}

TEST(Angles, RealDegreesKeepEachRangesOwnEnd) {
    const double tiny = -1e-17; // fmod keeps it; adding a turn rounds it to 360
    const struct {
        double degrees, reduced, signedAngle, lowerEnd;
    } cases[] = {
        {0, 0, 0, 0},
        {360, 0, 0, 0},
        {-360, 0, 0, 0},
        {180, 180, 180, -180},
        {-180, 180, 180, -180},
        {-90.5, 269.5, -90.5, -90.5},
        {1e6 + 0.25, 280.25, -79.75, -79.75},
        {tiny, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(Reduce360Real(c.degrees), c.reduced);
        EXPECT_EQ(Signed180Real(c.degrees), c.signedAngle);
        EXPECT_EQ(Signed180LowerEnd(c.degrees), c.lowerEnd);
    }
}

TEST(Angles, TenthsRoundHalvesAwayFromZero) {
    const struct {
        double degrees;
        long long tenths;
    } cases[] = {{0.25, 3}, {-0.25, -3}, {0.24, 2}, {-15.54, -155}, {180, 1800}, {0.05, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(TenthsOf(c.degrees), c.tenths);
        EXPECT_DOUBLE_EQ(RoundedToTenth(c.degrees), c.tenths / 10.0);
        EXPECT_DOUBLE_EQ(DegreesOfTenths(c.tenths), c.tenths / 10.0);
    }
    EXPECT_TRUE(std::isnan(RoundedToTenth(std::nan(""))));
}

TEST(RawToDegrees, EveryReadingMatchesTheExactIntegerRule) {
    for (int v = 0; v <= kMaxRawReading; ++v) {
        // floor(360.5 - 359 v / 254) = floor((91567 - 359 v) / 254), the numerator staying > 0.
        const int exact = (91567 - 359 * v) / 254;
        EXPECT_EQ(RawToDegrees(v), exact) << "v = " << v;
    }
}

TEST(RawToDegrees, KnownValuesIncludingTheHalfThatRoundsUp) {
    const std::vector<std::pair<int, int>> cases = {{0, 360},   {1, 359}, {2, 357}, {127, 181},
                                                    {128, 179}, {253, 2}, {254, 1}};
    for (const auto &[v, degrees] : cases)
        EXPECT_EQ(RawToDegrees(v), degrees) << "v = " << v;
}

} // namespace
} // namespace compass
