#include "nmea/HeadingSentences.h"

#include <cstdio>
#include <cstdlib>

namespace nmea {

namespace {

long long Reduce(long long angle, long long turn) {
    const long long reduced = angle % turn;
    return reduced < 0 ? reduced + turn : reduced;
}

int Reduce360(long long angle) { return static_cast<int>(Reduce(angle, 360)); }

// The user's heading for a heading sum: the dial's needle points at the sum, and the
// heading is the needle's angle counted the other way round.
int HeadingOfSum(long long sum) { return Reduce360(360 - Reduce360(sum)); }

std::string Tenths(int tenths) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", std::abs(tenths) / 10, std::abs(tenths) % 10);
    return text;
}

} // namespace

HeadingAngles AnglesOf(const HeadingReading &reading, const std::optional<PlaceVariation> &place) {
    HeadingAngles angles;
    angles.magnetic = HeadingOfSum(reading.lastRawAngle + 180LL + reading.centring);
    if (place && place->declination == reading.declination) {
        angles.variationEastTenths = static_cast<int>(Reduce(place->eastTenths, 3600));
    } else {
        // A west declination is added to the sum and turns the heading back: it is a
        // negative (west) variation.
        angles.variationEastTenths = Reduce360(-reading.declination) * 10;
    }
    // Reduced so that 350 degrees west reads as 10 east.
    if (angles.variationEastTenths > 1800)
        angles.variationEastTenths -= 3600;
    angles.trueTenths =
        static_cast<int>(Reduce(angles.magnetic * 10LL + angles.variationEastTenths, 3600));
    return angles;
}

std::string Framed(std::string_view body) {
    unsigned char sum = 0;
    for (const char byte : body)
        sum ^= static_cast<unsigned char>(byte);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    std::string sentence = "$";
    sentence += body;
    sentence += tail;
    return sentence;
}

std::vector<std::string> HeadingSentences(const HeadingReading &reading,
                                          const SentenceChoice &choice) {
    const HeadingAngles angles = AnglesOf(reading, choice.place);
    const std::string magnetic = Tenths(angles.magnetic * 10);
    std::string variation = ",";
    if (choice.vouched)
        variation =
            Tenths(angles.variationEastTenths) + (angles.variationEastTenths < 0 ? ",W" : ",E");
    std::vector<std::string> sentences;
    sentences.push_back(Framed("HCHDM," + magnetic + ",M"));
    sentences.push_back(Framed("HCHDG," + magnetic + ",,," + variation));
    if (choice.vouched)
        sentences.push_back(Framed("HCHDT," + Tenths(angles.trueTenths) + ",T"));
    return sentences;
}

} // namespace nmea
