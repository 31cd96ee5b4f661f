// The sentences as a table: a row's fields see the whole reading, its time included, and the
// choice; rows go out in the table's order, those for a vouched declination only then.
#include "NmeaTestSupport.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

std::string TimeFields(const compass::Reading &reading, const SentenceChoice &choice) {
    return std::to_string(reading.MillisecondsSinceEpoch()) + "," +
           std::to_string(reading.magneticHeading) + (choice.vouched ? ",V" : ",-");
}

TEST(SentenceTable, EachRowWritesItsSentenceFromTheWholeReadingInTheTablesOrder) {
    compass::Reading reading = HeadingReading{181, 0, 3};
    reading.time = compass::ReadingTime(std::chrono::milliseconds(1773480413589));
    const SentenceRow table[] = {{"TIMEA", SentenceRow::When::Vouched, TimeFields},
                                 {"TIMEB", SentenceRow::When::Always, TimeFields}};
    EXPECT_EQ(HeadingSentences(reading, {true, std::nullopt}, table),
              (std::vector<std::string>{Framed("TIMEA,1773480413589,359,V"),
                                        Framed("TIMEB,1773480413589,359,V")}));
    EXPECT_EQ(HeadingSentences(reading, {false, std::nullopt}, table),
              std::vector<std::string>{Framed("TIMEB,1773480413589,359,-")});
    // The program's own table sends what the reading carries, not a heading of its own.
    reading.magneticHeading = 42;
    reading.variationEast = -7;
    EXPECT_EQ(HeadingSentences(reading, true),
              (std::vector<std::string>{Framed("HCHDM,42.0,M"), Framed("HCHDG,42.0,,,7.0,W"),
                                        Framed("HCHDT,35.0,T")}));
}

} // namespace
} // namespace nmea::testing
