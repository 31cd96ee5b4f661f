#include "geomag/Coordinates.h"

#include "base/Language.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace geomag {
namespace {

enum class Unit { None, Degree, Minute, Second };

// The symbols that may follow each part (UTF-8); two apostrophes make a seconds sign.
struct Symbol {
    std::string_view text;
    Unit unit;
};
constexpr std::array<Symbol, 10> Symbols = {{
    {"\xC2\xB0", Unit::Degree},     // °
    {"\xC2\xBA", Unit::Degree},     // º, often typed for °
    {"''", Unit::Second},           // before the single apostrophe
    {"\"", Unit::Second},           //
    {"\xE2\x80\xB3", Unit::Second}, // ″
    {"\xE2\x80\x9D", Unit::Second}, // ”
    {"'", Unit::Minute},            //
    {"\xE2\x80\xB2", Unit::Minute}, // ′
    {"\xE2\x80\x99", Unit::Minute}, // ’
    {":", Unit::None},              // 48:51:24
}};

struct Part {
    double value;
    bool hasFraction;
    Unit unit;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The spaces that word processors and French typography put where a plain space is meant;
// pasted into a coordinate ("48\u00A0N") they read as one.
constexpr std::array<std::string_view, 4> WideSpaces = {
    "\xC2\xA0",     // no-break space
    "\xE2\x80\xAF", // narrow no-break space
    "\xE2\x80\x87", // figure space
    "\xE2\x80\x89", // thin space
};

// The text with every wide space made a plain one.
std::string PlainSpaces(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    while (!text.empty()) {
        const auto wide =
            std::find_if(WideSpaces.begin(), WideSpaces.end(),
                         [&](std::string_view space) { return text.starts_with(space); });
        if (wide != WideSpaces.end()) {
            plain += ' ';
            text.remove_prefix(wide->size());
        } else {
            plain += text.front();
            text.remove_prefix(1);
        }
    }
    return plain;
}

void SkipBlanks(std::string_view &text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A hemisphere letter of the axis, +1 or -1; 0 for any other character.
int Hemisphere(char c, Axis axis) {
    const char upper = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    if (axis == Axis::Latitude)
        return upper == 'N' ? 1 : upper == 'S' ? -1 : 0;
    return upper == 'E' ? 1 : (upper == 'W' || upper == 'O') ? -1 : 0;
}

// Digits, a point or a comma, more digits; either side of the separator may be left out
// ("48.", ".5") but not both. Moves past them.
bool TakeNumber(std::string_view &text, Part &part) {
    std::size_t length = 0;
    while (length < text.size() && IsDigit(text[length]))
        ++length;
    std::string digits = length > 0 ? std::string(text.substr(0, length)) : std::string("0");
    const std::size_t whole = length;
    part.hasFraction = false;
    if (length < text.size() && (text[length] == '.' || text[length] == ',')) {
        part.hasFraction = true;
        digits += '.';
        ++length;
        const std::size_t from = length;
        while (length < text.size() && IsDigit(text[length]))
            ++length;
        if (whole == 0 && length == from)
            return false; // a separator alone
        digits += text.substr(from, length - from);
    }
    if (length == 0)
        return false;
    if (digits.back() == '.')
        digits += '0';
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), part.value);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return false;
    text.remove_prefix(length);
    return true;
}

Unit TakeSymbol(std::string_view &text) {
    for (const Symbol &symbol : Symbols) {
        if (text.starts_with(symbol.text)) {
            text.remove_prefix(symbol.text.size());
            return symbol.unit;
        }
    }
    return Unit::None;
}

} // namespace

CoordinateReading ReadCoordinate(std::string_view typed, Axis axis) {
    const auto fail = [](CoordinateError error) { return CoordinateReading{0, error}; };
    const std::string plain = PlainSpaces(typed);
    std::string_view text = plain;
    SkipBlanks(text);
    if (text.empty())
        return fail(CoordinateError::Empty);

    int hemisphere = 0;
    if (const int h = Hemisphere(text.front(), axis)) {
        hemisphere = h;
        text.remove_prefix(1);
    } else if (const int h = Hemisphere(text.back(), axis)) {
        hemisphere = h;
        text.remove_suffix(1);
    }
    SkipBlanks(text);
    int sign = 1;
    const std::string_view minusSign = "\xE2\x88\x92"; // −, as pasted from documents
    const std::size_t signLength = text.starts_with(minusSign)                      ? 3
                                   : text.starts_with('-') || text.starts_with('+') ? 1
                                                                                    : 0;
    if (signLength > 0) {
        sign = text.front() == '+' ? 1 : -1;
        if (hemisphere != 0)
            return fail(CoordinateError::SignAndHemisphere);
        text.remove_prefix(signLength);
        SkipBlanks(text);
    }

    std::vector<Part> parts;
    while (!text.empty()) {
        Part part{};
        if (parts.size() == 3 || !TakeNumber(text, part))
            return fail(CoordinateError::NotAnAngle);
        SkipBlanks(text);
        part.unit = TakeSymbol(text);
        SkipBlanks(text);
        parts.push_back(part);
    }
    if (parts.empty())
        return fail(CoordinateError::NotAnAngle);
    const Unit inOrder[] = {Unit::Degree, Unit::Minute, Unit::Second};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].unit != Unit::None && parts[i].unit != inOrder[i])
            return fail(CoordinateError::NotAnAngle);
        if (parts[i].hasFraction && i + 1 < parts.size())
            return fail(CoordinateError::NotAnAngle);
        if (i > 0 && parts[i].value >= 60)
            return fail(CoordinateError::MinutesOrSeconds60);
    }

    double degrees = parts[0].value;
    if (parts.size() > 1)
        degrees += parts[1].value / 60.0;
    if (parts.size() > 2)
        degrees += parts[2].value / 3600.0;
    if (degrees > (axis == Axis::Latitude ? 90.0 : 180.0))
        return fail(CoordinateError::OutOfRange);
    return {degrees * (hemisphere != 0 ? hemisphere : sign), CoordinateError::None};
}

namespace {

// The French text of an error, marked for translation; none for no error.
const char *CoordinateErrorSource(CoordinateError error, Axis axis) {
    const bool latitude = axis == Axis::Latitude;
    switch (error) {
    case CoordinateError::None:
        return nullptr;
    case CoordinateError::Empty:
        return latitude ? QT_TRANSLATE_NOOP("Coordinates", "la latitude manque")
                        : QT_TRANSLATE_NOOP("Coordinates", "la longitude manque");
    case CoordinateError::NotAnAngle:
        return latitude ? QT_TRANSLATE_NOOP(
                              "Coordinates",
                              "la latitude s'écrit en degrés décimaux (48.8566, -33.86) ou en "
                              "degrés et minutes (48 51.4 N, 48°51'24\" N)")
                        : QT_TRANSLATE_NOOP(
                              "Coordinates",
                              "la longitude s'écrit en degrés décimaux (2.3522, -0.57) ou en "
                              "degrés et minutes (2 21.1 E, 0°34' O)");
    case CoordinateError::SignAndHemisphere:
        return latitude ? QT_TRANSLATE_NOOP(
                              "Coordinates",
                              "un signe et une lettre N ou S à la fois : gardez l'un des deux")
                        : QT_TRANSLATE_NOOP(
                              "Coordinates",
                              "un signe et une lettre E, W ou O à la fois : gardez l'un des deux");
    case CoordinateError::MinutesOrSeconds60:
        return QT_TRANSLATE_NOOP("Coordinates", "les minutes et les secondes vont de 0 à 59");
    case CoordinateError::OutOfRange:
        return latitude ? QT_TRANSLATE_NOOP("Coordinates", "la latitude va de 90° S à 90° N")
                        : QT_TRANSLATE_NOOP("Coordinates", "la longitude va de 180° O à 180° E");
    }
    return nullptr;
}

} // namespace

std::string CoordinateErrorText(CoordinateError error, Axis axis) {
    const char *text = CoordinateErrorSource(error, axis);
    return text != nullptr ? platform::Translated("Coordinates", text) : std::string();
}

} // namespace geomag
