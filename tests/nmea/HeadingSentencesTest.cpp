// The three sentences of a reading: the magnetic and true headings across the wrap at
// 0/360 with both signs of centring and declination, the variation's side, the frame.
#include "nmea/HeadingSentences.h"
#include "NmeaTestSupport.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

struct Case {
    const char *what;
    HeadingReading reading;
    const char *hdm;
    const char *hdg;
    const char *hdt;
};

// Heading = (360 - (LastRawAngle + 180 + centring [+ declination]) mod 360) mod 360; a
// declination added to the sum is a west one.
const Case kCases[] = {
    {"north-east of north, no corrections",
     {181, 0, 0},
     "HCHDM,359.0,M",
     "HCHDG,359.0,,,0.0,E",
     "HCHDT,359.0,T"},
    {"a sum of 360 is north, not 360",
     {180, 0, 0},
     "HCHDM,0.0,M",
     "HCHDG,0.0,,,0.0,E",
     "HCHDT,0.0,T"},
    {"south", {360, 0, 0}, "HCHDM,180.0,M", "HCHDG,180.0,,,0.0,E", "HCHDT,180.0,T"},
    {"centring subtracted", {1, -20, 0}, "HCHDM,199.0,M", "HCHDG,199.0,,,0.0,E", "HCHDT,199.0,T"},
    {"west declination turns the true heading back",
     {181, 0, 3},
     "HCHDM,359.0,M",
     "HCHDG,359.0,,,3.0,W",
     "HCHDT,356.0,T"},
    {"east declination carries it over 360",
     {181, 0, -3},
     "HCHDM,359.0,M",
     "HCHDG,359.0,,,3.0,E",
     "HCHDT,2.0,T"},
    {"west declination takes it under 0",
     {179, 0, 5},
     "HCHDM,1.0,M",
     "HCHDG,1.0,,,5.0,W",
     "HCHDT,356.0,T"},
    {"centring and declination together",
     {200, 5, -3},
     "HCHDM,335.0,M",
     "HCHDG,335.0,,,3.0,E",
     "HCHDT,338.0,T"},
    {"a declination past a half turn is the shorter way round",
     {181, 0, 350},
     "HCHDM,359.0,M",
     "HCHDG,359.0,,,10.0,E",
     "HCHDT,9.0,T"},
    {"a sum below zero", {1, -1000, 0}, "HCHDM,99.0,M", "HCHDG,99.0,,,0.0,E", "HCHDT,99.0,T"},
};

std::string Body(const std::string &sentence) { return sentence.substr(1, sentence.find('*') - 1); }

TEST(HeadingSentences, MagneticGeneralAndTrueHeadingOfEachReading) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> withTrue = HeadingSentences(c.reading, true);
        ASSERT_EQ(withTrue.size(), 3u);
        EXPECT_EQ(Body(withTrue[0]), c.hdm);
        EXPECT_EQ(Body(withTrue[1]), c.hdg);
        EXPECT_EQ(Body(withTrue[2]), c.hdt);
        for (const std::string &sentence : withTrue)
            EXPECT_TRUE(WellFramed(sentence)) << sentence;

        // Without the user's word for the declination, no true heading goes out.
        const std::vector<std::string> magneticOnly = HeadingSentences(c.reading, false);
        ASSERT_EQ(magneticOnly.size(), 2u);
        EXPECT_EQ(magneticOnly[0], withTrue[0]);
        EXPECT_EQ(magneticOnly[1], withTrue[1]);
    }
}

TEST(HeadingSentences, FramedWithTheChecksumOfTheBody) {
    // Checksums worked out by hand from the bytes.
    EXPECT_EQ(Framed("HCHDT,359.0,T"), "$HCHDT,359.0,T*26\r\n");
    EXPECT_EQ(Framed("HCHDM,0.0,M"), "$HCHDM,0.0,M*29\r\n");
    EXPECT_EQ(Framed("HCHDG,335.0,,,3.0,E"), "$HCHDG,335.0,,,3.0,E*2F\r\n");
}

} // namespace
} // namespace nmea::testing
