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
        {181, 0, 3, 364, 4, 356, 359, -3},              // west: the heading turns back
        {200, 5, -3, 382, 22, 338, 335, 3},             // east, with a centring
        {181, 0, 350, 711, 351, 9, 359, 10},            // 350 west is 10 east
        {181, 0, -180, 181, 181, 179, 359, 180},        // the half turn counts as east
        {1, -1000, 0, -819, 261, 99, 99, 0},            // a sum below 0
        {360, kIntMax, kIntMax, 74, 74, 286, 53, -127}, // beyond the int range
        {1, kIntMin, kIntMin, 285, 285, 75, 307, 128},
    };
    for (const auto &c : cases) {
        const Reading reading = WorkOut(64, c.lastRawAngle, c.centring, c.declination);
        const Reading expected{.raw = 64,
                               .lastRawAngle = c.lastRawAngle,
                               .centring = c.centring,
                               .declination = c.declination,
                               .headingSum = c.sum,
                               .needleAngle = c.needle,
                               .capAngle = c.cap,
                               .magneticHeading = c.magnetic,
                               .variationEast = c.variation};
        EXPECT_EQ(reading, expected) << c.lastRawAngle << " " << c.centring << " " << c.declination;
    }
}

} // namespace
} // namespace compass
