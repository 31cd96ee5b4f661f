// The sentences as a table: a row is all a sentence needs. Its fields see the whole reading,
// its time included, and the choice; rows go out in the table's order, those kept for a
// vouched declination only when it is.
#include "NmeaTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace nmea::testing {
namespace {

using When = SentenceRow::When;

// A row of the test's own that writes the reading's time and what it was told.
std::string TimeFields(const compass::Reading &reading, const SentenceChoice &choice) {
    return std::to_string(reading.MillisecondsSinceEpoch()) + "," +
           std::to_string(reading.magneticHeading) + "," + (choice.vouched ? "V" : "-");
}

TEST(SentenceTable, EachRowWritesItsSentenceFromTheWholeReadingInTheTablesOrder) {
    compass::Reading reading = HeadingReading{181, 0, 3};
    reading.time = compass::ReadingTime(std::chrono::milliseconds(1773480413589));
    const SentenceRow table[] = {
        {"TIMEA", When::Vouched, TimeFields},
        {"TIMEB", When::Always, TimeFields},
    };
    const struct {
        bool vouched;
        std::vector<std::string> bodies;
    } cases[] = {
        {true, {"TIMEA,1773480413589,359,V", "TIMEB,1773480413589,359,V"}},
        {false, {"TIMEB,1773480413589,359,-"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.vouched);
        std::vector<std::string> framed;
        for (const std::string &body : c.bodies)
            framed.push_back(Framed(body));
        EXPECT_EQ(HeadingSentences(reading, {c.vouched, std::nullopt}, table), framed);
    }
    // The program's own table sends what the reading carries, not a heading of its own.
    reading.magneticHeading = 42;
    reading.variationEast = -7;
    EXPECT_EQ(HeadingSentences(reading, true),
              (std::vector<std::string>{Framed("HCHDM,42.0,M"), Framed("HCHDG,42.0,,,7.0,W"),
                                        Framed("HCHDT,35.0,T")}));
}

} // namespace
} // namespace nmea::testing
