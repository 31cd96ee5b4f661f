// The NMEA 0183 sentences that carry one reading's heading to navigation software: HDM (the
// magnetic heading), HDG (the same heading, with the variation once the user vouches for the
// declination) and HDT (the true heading). Pure functions, no Qt.
#pragma once

#include <optional>
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

// The declination the user worked out for a place, finer than the whole degrees the settings
// hold and possibly beyond the module's range: the variation in tenths of a degree, east
// positive, and the whole-degree declination the settings were given for it (signed as
// HeadingReading::declination). It stands for the readings that carry that declination; a
// reading with another one (the user changed it since) falls back to the settings' value.
struct PlaceVariation {
    int eastTenths = 0;
    long long declination = 0;

    bool operator==(const PlaceVariation &) const = default;
};

// What goes with the magnetic heading. `vouched`: the user says the declination is the
// place's; without it HDG leaves its variation empty and HDT is not sent, since a variation
// nobody confirmed would be taken for a true one by the software reading it.
struct SentenceChoice {
    bool vouched = false;
    std::optional<PlaceVariation> place;
};

// The angles the sentences carry.
struct HeadingAngles {
    int magnetic = 0; // whole degrees: the user's heading with the zero-centring, no declination
    int variationEastTenths = 0; // -1799..1800
    int trueTenths = 0;          // 0..3599: the magnetic heading plus the variation
};

HeadingAngles AnglesOf(const HeadingReading &reading,
                       const std::optional<PlaceVariation> &place = std::nullopt);

// "$" + body + "*" + the two hexadecimal digits of the XOR of the body's bytes + CR LF.
std::string Framed(std::string_view body);

// The longest sentence the standard allows, from "$" to LF.
inline constexpr std::size_t kMaxSentenceLength = 82;

// HDM and HDG, then HDT when vouched, each framed.
std::vector<std::string> HeadingSentences(const HeadingReading &reading,
                                          const SentenceChoice &choice);
inline std::vector<std::string> HeadingSentences(const HeadingReading &reading, bool vouched) {
    return HeadingSentences(reading, SentenceChoice{vouched, std::nullopt});
}

} // namespace nmea
