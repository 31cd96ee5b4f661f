// With a card applied to the output HDG carries the sensor's heading and the deviation at the
// reading's compass heading, HDM the heading corrected by it, HDT that plus the variation.
#include "NmeaTestSupport.h"

#include "compass/Angles.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

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
        // Unvouched: the same deviation, no variation, no HDT.
        const std::string hdg = c.hdg;
        EXPECT_EQ(HeadingSentences(reading, {.vouched = false, .place = {}, .card = c.card})[1],
                  Framed(hdg.substr(0, hdg.rfind(',', hdg.rfind(',') - 1)) + ",,"));
    }
}

} // namespace
} // namespace nmea::testing
