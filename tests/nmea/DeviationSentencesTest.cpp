// The sentences with a deviation card applied to the output: HDG carries the sensor's heading
// and the deviation at the reading's compass heading with its side, HDM the sensor's heading
// corrected by it, HDT that corrected heading plus the variation; across north both ways, the
// deviation rounded to a tenth. Without a card every sentence is what it is without one.
#include "NmeaTestSupport.h"

#include "compass/Angles.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

// A reading of the module's raw value with the corrections, as the main window works it out.
compass::Reading ReadingOf(int raw, long long centring, long long declination) {
    return compass::WorkOut(raw, compass::RawToDegrees(raw), centring, declination);
}

std::string Body(const std::string &sentence) { return sentence.substr(1, sentence.find('*') - 1); }

TEST(DeviationSentences, HdgCarriesTheDeviationAndHdmHdtAreCorrectedByIt) {
    // Raw 0 is the compass heading 180 (the module's angle turned by the half turn), where
    // sin θ = 0, cos θ = -1 and cos 2θ = 1: C gives -C and E gives +E there. Raw 127 is the
    // compass heading 359.5, where cos θ is all but 1 (its sensor heading is 359: the
    // module's angle is rounded to the degree).
    const struct {
        const char *what;
        int raw;
        long long centring, declination;
        std::optional<deviation::Coefficients> card;
        const char *hdm, *hdg, *hdt;
    } cases[] = {
        {"no card: the fields stay empty", 0, 0, 3, std::nullopt, "HCHDM,180.0,M",
         "HCHDG,180.0,,,3.0,W", "HCHDT,177.0,T"},
        {"C at the compass heading 180 is a west deviation", 0, 0, 0,
         deviation::Coefficients{0, 0, 4}, "HCHDM,176.0,M", "HCHDG,180.0,4.0,W,0.0,E",
         "HCHDT,176.0,T"},
        {"C at the compass heading 359.5 is an east one", 127, 0, 0,
         deviation::Coefficients{0, 0, 4}, "HCHDM,3.0,M", "HCHDG,359.0,4.0,E,0.0,E", "HCHDT,3.0,T"},
        {"the compass heading is the module's, before the centring", 0, 90, 0,
         deviation::Coefficients{0, 0, 4}, "HCHDM,86.0,M", "HCHDG,90.0,4.0,W,0.0,E",
         "HCHDT,86.0,T"},
        {"E at 180 adds, a half tenth rounds away from zero", 0, 0, 0,
         deviation::Coefficients{0.5, 0, 0, 0, 1.75}, "HCHDM,182.3,M", "HCHDG,180.0,2.3,E,0.0,E",
         "HCHDT,182.3,T"},
        {"an east deviation past 360, an east variation further on", 0, -179, -3,
         deviation::Coefficients{1.5}, "HCHDM,0.5,M", "HCHDG,359.0,1.5,E,3.0,E", "HCHDT,3.5,T"},
        {"a west deviation under 0, a west variation further back", 0, 179, 5,
         deviation::Coefficients{-2}, "HCHDM,359.0,M", "HCHDG,1.0,2.0,W,5.0,W", "HCHDT,354.0,T"},
        {"a card of zero still says its deviation", 0, 0, 0, deviation::Coefficients{},
         "HCHDM,180.0,M", "HCHDG,180.0,0.0,E,0.0,E", "HCHDT,180.0,T"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const compass::Reading reading = ReadingOf(c.raw, c.centring, c.declination);
        const std::vector<std::string> all =
            HeadingSentences(reading, {.vouched = true, .place = std::nullopt, .card = c.card});
        ASSERT_EQ(all.size(), 3u);
        EXPECT_EQ(Body(all[0]), c.hdm);
        EXPECT_EQ(Body(all[1]), c.hdg);
        EXPECT_EQ(Body(all[2]), c.hdt);
        for (const std::string &sentence : all)
            EXPECT_TRUE(WellFramed(sentence)) << sentence;
        // Without the user's word for the declination: the same deviation, no variation, no
        // HDT.
        const std::string hdg = c.hdg;
        const std::string withoutVariation = hdg.substr(0, hdg.rfind(',', hdg.rfind(',') - 1));
        EXPECT_EQ(
            HeadingSentences(reading, {.vouched = false, .place = std::nullopt, .card = c.card}),
            (std::vector<std::string>{all[0], Framed(withoutVariation + ",,")}));
    }
    // Without a card the sentences are those of the table without one.
    const compass::Reading reading = ReadingOf(60, 12, -4);
    EXPECT_EQ(HeadingSentences(reading, {.vouched = true, .place = std::nullopt, .card = {}}),
              HeadingSentences(reading, true));
}

} // namespace
} // namespace nmea::testing
