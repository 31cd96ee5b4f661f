// The three sentences of a reading: the magnetic and true headings across the wrap at
// 0/360 with both signs of centring and declination, the variation's side, the frame.
#include "NmeaTestSupport.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

TEST(HeadingSentences, MagneticGeneralAndTrueHeadingOfEachReading) {
    // Heading = (360 - (LastRawAngle + 180 + centring [+ declination]) mod 360) mod 360; a
    // declination added to the sum is a west one.
    const struct {
        HeadingReading reading;
        const char *hdm, *hdg, *hdt;
    } cases[] = {
        {{181, 0, 0}, "HCHDM,359.0,M", "HCHDG,359.0,,,0.0,E", "HCHDT,359.0,T"},
        {{180, 0, 0}, "HCHDM,0.0,M", "HCHDG,0.0,,,0.0,E", "HCHDT,0.0,T"}, // 360 is north
        {{1, -20, 0}, "HCHDM,199.0,M", "HCHDG,199.0,,,0.0,E", "HCHDT,199.0,T"},
        {{181, 0, 3}, "HCHDM,359.0,M", "HCHDG,359.0,,,3.0,W", "HCHDT,356.0,T"},
        {{181, 0, -3}, "HCHDM,359.0,M", "HCHDG,359.0,,,3.0,E", "HCHDT,2.0,T"}, // over 360
        {{179, 0, 5}, "HCHDM,1.0,M", "HCHDG,1.0,,,5.0,W", "HCHDT,356.0,T"},    // under 0
        {{200, 5, -3}, "HCHDM,335.0,M", "HCHDG,335.0,,,3.0,E", "HCHDT,338.0,T"},
        // Past a half turn, the variation goes the shorter way round.
        {{181, 0, 350}, "HCHDM,359.0,M", "HCHDG,359.0,,,10.0,E", "HCHDT,9.0,T"},
        {{1, -1000, 0}, "HCHDM,99.0,M", "HCHDG,99.0,,,0.0,E", "HCHDT,99.0,T"}, // sum below 0
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hdt);
        const std::vector<std::string> all = HeadingSentences(c.reading, true);
        ASSERT_EQ(all.size(), 3u);
        const char *bodies[] = {c.hdm, c.hdg, c.hdt};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(all[i].substr(1, all[i].find('*') - 1), bodies[i]);
            EXPECT_TRUE(WellFramed(all[i])) << all[i];
        }
        // Without the user's word for the declination, no true heading goes out.
        EXPECT_EQ(HeadingSentences(c.reading, false),
                  std::vector<std::string>(all.begin(), all.begin() + 2));
    }
    // Checksums worked out by hand from the bytes.
    EXPECT_EQ(Framed("HCHDT,359.0,T"), "$HCHDT,359.0,T*26\r\n");
    EXPECT_EQ(Framed("HCHDG,335.0,,,3.0,E"), "$HCHDG,335.0,,,3.0,E*2F\r\n");
}

} // namespace
} // namespace nmea::testing
