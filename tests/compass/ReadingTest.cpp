// A reading's headings worked out once: the sum that outgrows an int keeps its direction,
// the magnetic heading leaves the declination out, the variation takes the shorter side.
#include "compass/Reading.h"

#include <gtest/gtest.h>

#include <limits>

namespace compass {
namespace {

constexpr long long kIntMax = std::numeric_limits<int>::max();
constexpr long long kIntMin = std::numeric_limits<int>::min();

TEST(Reading, EveryHeadingOfAReadingFromItsAngleAndCorrections) {
    const struct {
        int lastRawAngle;
        long long centring, declination;
        int sum, needle, cap, magnetic, variation;
    } cases[] = {
        {181, 0, 0, 361, 1, 359, 359, 0},
        {360, 0, 0, 540, 180, 180, 180, 0},
        {181, 0, 3, 364, 4, 356, 359, -3}, // west: the heading turns back
        {181, 0, -3, 358, 358, 2, 359, 3}, // east
        {200, 5, -3, 382, 22, 338, 335, 3},
        {181, 0, 350, 711, 351, 9, 359, 10},    // 350 west is 10 east
        {181, 0, 180, 541, 181, 179, 359, 180}, // the half turn counts as east
        {181, 0, -180, 181, 181, 179, 359, 180},
        {1, -1000, 0, -819, 261, 99, 99, 0},            // a sum below 0
        {360, kIntMax, kIntMax, 74, 74, 286, 53, -127}, // beyond the int range
        {1, kIntMin, kIntMin, 285, 285, 75, 307, 128},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.lastRawAngle << " " << c.centring << " " << c.declination);
        const Reading reading = WorkOut(64, c.lastRawAngle, c.centring, c.declination);
        EXPECT_EQ(reading.raw, 64);
        EXPECT_EQ(reading.lastRawAngle, c.lastRawAngle);
        EXPECT_EQ(reading.centring, c.centring);
        EXPECT_EQ(reading.declination, c.declination);
        EXPECT_EQ(reading.headingSum, c.sum);
        EXPECT_EQ(reading.needleAngle, c.needle);
        EXPECT_EQ(reading.capAngle, c.cap);
        EXPECT_EQ(reading.magneticHeading, c.magnetic);
        EXPECT_EQ(reading.variationEast, c.variation);
    }
}

} // namespace
} // namespace compass
