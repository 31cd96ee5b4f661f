// The NMEA 0183 sentences that carry one reading's heading to navigation software: HDM (the
// magnetic heading), HDG (the same heading with the declination as variation) and HDT (the
// heading the dial shows). Pure functions, no Qt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nmea {

// One valid reading as the main window worked it out: the module's value in degrees and
// the corrections added to the heading sum, signed as applied (a positive declination is a
// west one).
struct HeadingReading {
    int lastRawAngle = 0;
    long long centring = 0;
    long long declination = 0;
};

// The angles the sentences carry, whole degrees.
struct HeadingAngles {
    int magnetic = 0;      // the user's heading with the zero-centring, without the declination
    int trueHeading = 0;   // the user's heading as the dial shows it ("Votre CAP")
    int variationEast = 0; // the declination as a variation, east positive, -179..180
};

HeadingAngles AnglesOf(const HeadingReading &reading);

// "$" + body + "*" + the two hexadecimal digits of the XOR of the body's bytes + CR LF.
std::string Framed(std::string_view body);

// The longest sentence the standard allows, from "$" to LF.
inline constexpr std::size_t kMaxSentenceLength = 82;

// HDM and HDG, then HDT when `withTrue` (the user vouches that the declination is the
// place's), each framed.
std::vector<std::string> HeadingSentences(const HeadingReading &reading, bool withTrue);

} // namespace nmea
