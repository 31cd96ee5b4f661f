// The three sentences of a reading: the magnetic and true headings across the wrap at
// 0/360 with both signs of centring and declination, the variation's side and the place's
// value to a tenth, nothing of them unless vouched for, the frame.
#include "NmeaTestSupport.h"

#include "compass/Angles.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

TEST(HeadingSentences, MagneticGeneralAndTrueHeadingOfEachReading) {
    // Heading = (360 - (LastRawAngle + 180 + centring) mod 360) mod 360; a declination added to
    // the sum is a west one; the true heading is the magnetic one plus the variation.
    const PlaceVariation martinique{-155, 10}; // worked out to a tenth, the module holding 10 W
    const struct {
        HeadingReading reading;
        std::optional<PlaceVariation> place;
        const char *hdm, *hdg, *hdt;
    } cases[] = {
        {{181, 0, 0}, {}, "HCHDM,359.0,M", "HCHDG,359.0,,,0.0,E", "HCHDT,359.0,T"},
        {{180, 0, 0}, {}, "HCHDM,0.0,M", "HCHDG,0.0,,,0.0,E", "HCHDT,0.0,T"}, // 360 is north
        {{1, -20, 0}, {}, "HCHDM,199.0,M", "HCHDG,199.0,,,0.0,E", "HCHDT,199.0,T"},
        {{181, 0, 3}, {}, "HCHDM,359.0,M", "HCHDG,359.0,,,3.0,W", "HCHDT,356.0,T"},
        {{181, 0, -3}, {}, "HCHDM,359.0,M", "HCHDG,359.0,,,3.0,E", "HCHDT,2.0,T"}, // over 360
        {{179, 0, 5}, {}, "HCHDM,1.0,M", "HCHDG,1.0,,,5.0,W", "HCHDT,356.0,T"},    // under 0
        {{200, 5, -3}, {}, "HCHDM,335.0,M", "HCHDG,335.0,,,3.0,E", "HCHDT,338.0,T"},
        // Past a half turn, the variation goes the shorter way round.
        {{181, 0, 350}, {}, "HCHDM,359.0,M", "HCHDG,359.0,,,10.0,E", "HCHDT,9.0,T"},
        {{1, -1000, 0}, {}, "HCHDM,99.0,M", "HCHDG,99.0,,,0.0,E", "HCHDT,99.0,T"}, // sum below 0
        // The place's value, beyond the module's range, while the readings carry the
        // declination it was applied with; across north both ways.
        {{181, 0, 10}, martinique, "HCHDM,359.0,M", "HCHDG,359.0,,,15.5,W", "HCHDT,343.5,T"},
        {{190, 0, -10},
         PlaceVariation{148, -10},
         "HCHDM,350.0,M",
         "HCHDG,350.0,,,14.8,E",
         "HCHDT,4.8,T"},
        {{181, 0, -2},
         PlaceVariation{16, -2},
         "HCHDM,359.0,M",
         "HCHDG,359.0,,,1.6,E",
         "HCHDT,0.6,T"},
        // Once the declination is changed, the place's value no longer holds.
        {{181, 0, 3}, martinique, "HCHDM,359.0,M", "HCHDG,359.0,,,3.0,W", "HCHDT,356.0,T"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hdg);
        const std::vector<std::string> all = HeadingSentences(c.reading, {true, c.place});
        ASSERT_EQ(all.size(), 3u);
        const char *bodies[] = {c.hdm, c.hdg, c.hdt};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(all[i].substr(1, all[i].find('*') - 1), bodies[i]);
            EXPECT_TRUE(WellFramed(all[i])) << all[i];
        }
        // Without the user's word for the declination, no variation and no true heading go
        // out: an empty field, not a zero that readers would take as true.
        const std::string hdm = c.hdm;
        const std::string magnetic = hdm.substr(6, hdm.size() - 8);
        EXPECT_EQ(HeadingSentences(c.reading, {false, c.place}),
                  (std::vector<std::string>{all[0], Framed("HCHDG," + magnetic + ",,,,")}));
    }
    // Checksums worked out by hand from the bytes.
    EXPECT_EQ(Framed("HCHDT,359.0,T"), "$HCHDT,359.0,T*26\r\n");
    EXPECT_EQ(Framed("HCHDG,335.0,,,3.0,E"), "$HCHDG,335.0,,,3.0,E*2F\r\n");
}

// With a card applied to the output HDG carries the sensor's heading and the deviation at the
// reading's compass heading, HDM the heading corrected by it, HDT that plus the variation.
TEST(DeviationSentences, HdgCarriesTheDeviationAndHdmHdtAreCorrectedByIt) {
    // Raw 0 is the compass heading 180 (cos θ = -1, cos 2θ = 1) whatever the centring; raw
    // 127 is 359.5 (cos θ all but 1), its sensor heading 359.
    using K = deviation::Coefficients;
    const struct {
        int raw;
        long long centring, declination;
        std::optional<K> card;
        const char *hdm, *hdg, *hdt;
    } cases[] = {
        {0, 0, 3, {}, "HCHDM,180.0,M", "HCHDG,180.0,,,3.0,W", "HCHDT,177.0,T"},
        {0, 0, 0, K{0, 0, 4}, "HCHDM,176.0,M", "HCHDG,180.0,4.0,W,0.0,E", "HCHDT,176.0,T"},
        {0, 90, 0, K{0, 0, 4}, "HCHDM,86.0,M", "HCHDG,90.0,4.0,W,0.0,E", "HCHDT,86.0,T"},
        {127, 0, 0, K{0, 0, 4}, "HCHDM,3.0,M", "HCHDG,359.0,4.0,E,0.0,E", "HCHDT,3.0,T"},
        {0, 0, 0, K{0.5, 0, 0, 0, 1.75}, "HCHDM,182.3,M", "HCHDG,180.0,2.3,E,0.0,E",
         "HCHDT,182.3,T"}, // a half tenth rounds away from zero
        {0, -179, -3, K{1.5}, "HCHDM,0.5,M", "HCHDG,359.0,1.5,E,3.0,E", "HCHDT,3.5,T"},
        {0, 179, 5, K{-2}, "HCHDM,359.0,M", "HCHDG,1.0,2.0,W,5.0,W", "HCHDT,354.0,T"},
        {0, 0, 0, K{}, "HCHDM,180.0,M", "HCHDG,180.0,0.0,E,0.0,E", "HCHDT,180.0,T"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hdg);
        const compass::Reading reading =
            compass::WorkOut(c.raw, compass::RawToDegrees(c.raw), c.centring, c.declination);
        EXPECT_EQ(HeadingSentences(reading, {.vouched = true, .place = {}, .card = c.card}),
                  (std::vector<std::string>{Framed(c.hdm), Framed(c.hdg), Framed(c.hdt)}));
    }
}

} // namespace
} // namespace nmea::testing
