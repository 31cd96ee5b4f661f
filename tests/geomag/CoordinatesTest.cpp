// Latitudes and longitudes as users type them.
#include "geomag/Coordinates.h"

#include <gtest/gtest.h>

namespace geomag {
namespace {

TEST(Coordinates, DecimalDegreesOrDegreesMinutesSecondsWithTheirHemisphere) {
    constexpr auto Lat = Axis::Latitude, Lon = Axis::Longitude;
    using E = CoordinateError;
    const struct {
        const char *text;
        Axis axis;
        double degrees;
        CoordinateError error;
    } cases[] = {
        {" 48,8566 ", Lat, 48.8566, E::None},
        {"-33.86", Lat, -33.86, E::None},
        {"−0.57", Lon, -0.57, E::None}, // a typographic minus
        {"48 51.4 s", Lat, -(48 + 51.4 / 60), E::None},
        {"48° 51′ 24,5″N", Lat, 48 + 51 / 60.0 + 24.5 / 3600.0, E::None},
        {"0°34' O", Lon, -(34 / 60.0), E::None},
        // A separator with digits on one side only; a separator alone is no number.
        {"48.", Lat, 48, E::None},
        {".5", Lon, 0.5, E::None},
        {".", Lat, 0, E::NotAnAngle},
        {"48. 30", Lat, 0, E::NotAnAngle}, // a decimal point before the last part
        // No-break, narrow no-break and thin spaces, as pasted from a document, are blanks.
        {"48\u00A0N", Lat, 48, E::None},
        {"48\u202F51,4\u2009N", Lat, 48 + 51.4 / 60, E::None},
        {"48\u200BN", Lat, 0, E::NotAnAngle}, // a zero-width space is no blank
        {"   ", Lon, 0, E::Empty},
        {"N", Lat, 0, E::NotAnAngle},
        {"2.35 E", Lat, 0, E::NotAnAngle},  // E is no latitude's hemisphere
        {"48.5 30", Lat, 0, E::NotAnAngle}, // decimals before the last part
        {"51' 48°", Lat, 0, E::NotAnAngle}, // symbols out of order
        {"-48 N", Lat, 0, E::SignAndHemisphere},
        {"48 59 60", Lat, 0, E::MinutesOrSeconds60},
        {"90 0.1", Lat, 0, E::OutOfRange},
        {"240", Lon, 0, E::OutOfRange},
    };
    for (const auto &c : cases) {
        const CoordinateReading reading = ReadCoordinate(c.text, c.axis);
        EXPECT_EQ(reading.error, c.error) << c.text;
        EXPECT_NEAR(reading.degrees, c.degrees, 1e-12) << c.text;
        EXPECT_EQ(CoordinateErrorText(reading.error, c.axis).empty(), reading.ok()) << c.text;
    }
}

} // namespace
} // namespace geomag
