#include "nmea/HeadingSentences.h"

#include <cstdio>
#include <cstdlib>

namespace nmea {

namespace {

int Reduce360(long long angle) {
    const long long reduced = angle % 360;
    return static_cast<int>(reduced < 0 ? reduced + 360 : reduced);
}

// The user's heading for a heading sum: the dial's needle points at the sum, and the
// heading is the needle's angle counted the other way round.
int HeadingOfSum(long long sum) { return Reduce360(360 - Reduce360(sum)); }

std::string Degrees(int angle) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.0", angle);
    return text;
}

} // namespace

HeadingAngles AnglesOf(const HeadingReading &reading) {
    const long long magneticSum = reading.lastRawAngle + 180LL + reading.centring;
    HeadingAngles angles;
    angles.magnetic = HeadingOfSum(magneticSum);
    angles.trueHeading = HeadingOfSum(magneticSum + reading.declination);
    // A west declination is added to the sum and turns the heading back: it is a
    // negative (west) variation. Reduced so that 350 degrees west reads as 10 east.
    const int east = Reduce360(-reading.declination);
    angles.variationEast = east > 180 ? east - 360 : east;
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

std::vector<std::string> HeadingSentences(const HeadingReading &reading, bool withTrue) {
    const HeadingAngles angles = AnglesOf(reading);
    const std::string magnetic = Degrees(angles.magnetic);
    std::vector<std::string> sentences;
    sentences.push_back(Framed("HCHDM," + magnetic + ",M"));
    sentences.push_back(Framed("HCHDG," + magnetic + ",,," +
                               Degrees(std::abs(angles.variationEast)) + "," +
                               (angles.variationEast < 0 ? "W" : "E")));
    if (withTrue)
        sentences.push_back(Framed("HCHDT," + Degrees(angles.trueHeading) + ",T"));
    return sentences;
}

} // namespace nmea
