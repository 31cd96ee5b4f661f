#include "nmea/HeadingSentences.h"

#include "compass/Angles.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace nmea {

namespace {

// Tenths of a degree as "d.t", without a sign: the side is a field of its own.
std::string Tenths(long long tenths) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld.%lld", std::llabs(tenths) / 10, std::llabs(tenths) % 10);
    return text;
}

std::string Signed(int tenths) { return Tenths(tenths) + (tenths < 0 ? ",W" : ",E"); }

// The sensor's magnetic heading in tenths: the heading with the centring, as the module gives it.
long long SensorTenths(const compass::Reading &reading) { return reading.magneticHeading * 10LL; }

// The magnetic heading in tenths, corrected by the card when one goes with the output.
int CorrectedTenths(const compass::Reading &reading, const SentenceChoice &choice) {
    return compass::Reduce3600(SensorTenths(reading) +
                               DeviationEastTenths(reading, choice).value_or(0));
}

std::string HdmFields(const compass::Reading &reading, const SentenceChoice &choice) {
    return Tenths(CorrectedTenths(reading, choice)) + ",M";
}

// The sensor's heading, the deviation and its side (empty without a card), the variation
// and its side (empty unless vouched).
std::string HdgFields(const compass::Reading &reading, const SentenceChoice &choice) {
    const std::optional<int> deviation = DeviationEastTenths(reading, choice);
    const std::string deviationFields = deviation ? Signed(*deviation) : ",";
    const std::string variation =
        choice.vouched ? Signed(VariationEastTenths(reading, choice.place)) : ",";
    return Tenths(SensorTenths(reading)) + "," + deviationFields + "," + variation;
}

std::string HdtFields(const compass::Reading &reading, const SentenceChoice &choice) {
    const int trueTenths = compass::Reduce3600(CorrectedTenths(reading, choice) +
                                               VariationEastTenths(reading, choice.place));
    return Tenths(trueTenths) + ",T";
}

constexpr std::array kTable{
    SentenceRow{"HCHDM", SentenceRow::When::Always, HdmFields},
    SentenceRow{"HCHDG", SentenceRow::When::Always, HdgFields},
    SentenceRow{"HCHDT", SentenceRow::When::Vouched, HdtFields},
};

} // namespace

int VariationEastTenths(const compass::Reading &reading,
                        const std::optional<PlaceVariation> &place) {
    // Reduced so that 350 degrees west reads as 10 east.
    if (place && place->declination == reading.declination)
        return compass::Signed1800(place->eastTenths);
    return reading.variationEast * 10;
}

std::optional<int> DeviationEastTenths(const compass::Reading &reading,
                                       const SentenceChoice &choice) {
    if (!choice.card)
        return std::nullopt;
    return deviation::DeviationTenthsOfRaw(*choice.card, reading.raw);
}

std::span<const SentenceRow> HeadingSentenceTable() { return kTable; }

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

std::vector<std::string> HeadingSentences(const compass::Reading &reading,
                                          const SentenceChoice &choice,
                                          std::span<const SentenceRow> table) {
    std::vector<std::string> sentences;
    for (const SentenceRow &row : table) {
        if (row.when == SentenceRow::When::Vouched && !choice.vouched)
            continue;
        std::string body(row.address);
        body += ',';
        body += row.fields(reading, choice);
        sentences.push_back(Framed(body));
    }
    return sentences;
}

} // namespace nmea
