// The NMEA 0183 sentences that carry one reading's heading to navigation software, as a
// table: HDM (the magnetic heading), HDG (the same heading, with the variation once the user
// vouches for the declination) and HDT (the true heading). A sentence is a row: its address,
// when it goes out and the function that writes its fields from the reading. Pure functions,
// no Qt.
#pragma once

#include "compass/Reading.h"
#include "deviation/Curve.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nmea {

// The declination the user worked out for a place, finer than the whole degrees the settings
// hold and possibly beyond the module's range: the variation in tenths of a degree, east
// positive, and the whole-degree declination the settings were given for it (signed as
// compass::Reading::declination). It stands for the readings that carry that declination; a
// reading with another one (the user changed it since) falls back to the reading's own.
struct PlaceVariation {
    int eastTenths = 0;
    long long declination = 0;

    bool operator==(const PlaceVariation &) const = default;
};

// What goes with the magnetic heading. `vouched`: the user says the declination is the
// place's; without it HDG leaves its variation empty and HDT is not sent, since a variation
// nobody confirmed would be taken for a true one by the software reading it. `card`: the
// deviation card the user applies to the output; with it HDG carries the deviation at the
// reading's compass heading, and HDM and HDT are corrected by it. Without it the deviation
// field stays empty and the headings are the sensor's.
struct SentenceChoice {
    bool vouched = false;
    std::optional<PlaceVariation> place;
    std::optional<deviation::Coefficients> card = std::nullopt;
};

// The deviation that goes with a reading under `choice`, in tenths of a degree east; nothing
// without a card.
std::optional<int> DeviationEastTenths(const compass::Reading &reading,
                                       const SentenceChoice &choice);

// The variation that goes with a reading, in tenths of a degree east, -1799..1800: the
// place's while the reading carries the declination it was applied with, else the reading's.
int VariationEastTenths(const compass::Reading &reading,
                        const std::optional<PlaceVariation> &place);

// One sentence of the table.
struct SentenceRow {
    enum class When { Always, Vouched };
    std::string_view address; // talker and type, "HCHDM"
    When when;
    // The fields after the address, without their leading comma.
    std::string (*fields)(const compass::Reading &reading, const SentenceChoice &choice);
};

// The sentences of a reading, in the order they go out.
std::span<const SentenceRow> HeadingSentenceTable();

// "$" + body + "*" + the two hexadecimal digits of the XOR of the body's bytes + CR LF.
std::string Framed(std::string_view body);

// The longest sentence the standard allows, from "$" to LF.
inline constexpr std::size_t kMaxSentenceLength = 82;

// The rows of `table` that go out under `choice`, each framed, in the table's order.
std::vector<std::string> HeadingSentences(const compass::Reading &reading,
                                          const SentenceChoice &choice,
                                          std::span<const SentenceRow> table);
// HDM and HDG, then HDT when vouched.
inline std::vector<std::string> HeadingSentences(const compass::Reading &reading,
                                                 const SentenceChoice &choice) {
    return HeadingSentences(reading, choice, HeadingSentenceTable());
}
inline std::vector<std::string> HeadingSentences(const compass::Reading &reading, bool vouched) {
    return HeadingSentences(reading, SentenceChoice{vouched, std::nullopt});
}

} // namespace nmea
