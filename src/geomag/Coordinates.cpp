#include "geomag/Coordinates.h"

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

// Digits, then optionally a point or a comma and more digits; moves past them.
bool TakeNumber(std::string_view &text, Part &part) {
    std::size_t length = 0;
    while (length < text.size() && IsDigit(text[length]))
        ++length;
    if (length == 0)
        return false;
    std::string digits(text.substr(0, length));
    part.hasFraction = false;
    if (length + 1 < text.size() && (text[length] == '.' || text[length] == ',') &&
        IsDigit(text[length + 1])) {
        part.hasFraction = true;
        digits += '.';
        ++length;
        const std::size_t from = length;
        while (length < text.size() && IsDigit(text[length]))
            ++length;
        digits += text.substr(from, length - from);
    }
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

CoordinateReading ReadCoordinate(std::string_view text, Axis axis) {
    const auto fail = [](CoordinateError error) { return CoordinateReading{0, error}; };
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

std::string CoordinateErrorText(CoordinateError error, Axis axis) {
    const bool latitude = axis == Axis::Latitude;
    switch (error) {
    case CoordinateError::None:
        return {};
    case CoordinateError::Empty:
        return latitude ? "la latitude manque" : "la longitude manque";
    case CoordinateError::NotAnAngle:
        return latitude ? "la latitude s'écrit en degrés décimaux (48.8566, -33.86) ou en "
                          "degrés et minutes (48 51.4 N, 48°51'24\" N)"
                        : "la longitude s'écrit en degrés décimaux (2.3522, -0.57) ou en "
                          "degrés et minutes (2 21.1 E, 0°34' O)";
    case CoordinateError::SignAndHemisphere:
        return latitude ? "un signe et une lettre N ou S à la fois : gardez l'un des deux"
                        : "un signe et une lettre E, W ou O à la fois : gardez l'un des deux";
    case CoordinateError::MinutesOrSeconds60:
        return "les minutes et les secondes vont de 0 à 59";
    case CoordinateError::OutOfRange:
        return latitude ? "la latitude va de 90° S à 90° N" : "la longitude va de 180° O à 180° E";
    }
    return {};
}

} // namespace geomag
