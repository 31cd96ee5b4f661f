#include "compass/Reading.h"

#include "compass/Angles.h"

#include <limits>

namespace compass {

int HeadingSumOf(int lastRawAngle, long long centring, long long declination) {
    // Summed in 64 bits: the correction slots may hold any 32-bit integer.
    const long long sum = lastRawAngle + 180LL + centring + declination;
    const bool fits =
        sum >= std::numeric_limits<int>::min() && sum <= std::numeric_limits<int>::max();
    return fits ? static_cast<int>(sum) : Reduce360(sum);
}

Reading WorkOut(int raw, int lastRawAngle, long long centring, long long declination) {
    Reading reading;
    reading.raw = raw;
    reading.lastRawAngle = lastRawAngle;
    reading.centring = centring;
    reading.declination = declination;
    reading.headingSum = HeadingSumOf(lastRawAngle, centring, declination);
    reading.needleAngle = NeedleOfSum(reading.headingSum);
    reading.capAngle = HeadingOfNeedle(reading.needleAngle);
    reading.magneticHeading = HeadingOfNeedle(NeedleOfSum(lastRawAngle + 180LL + centring));
    // A west declination is added to the sum and turns the heading back: it is a negative
    // (west) variation.
    reading.variationEast = Signed180(-declination);
    return reading;
}

} // namespace compass
