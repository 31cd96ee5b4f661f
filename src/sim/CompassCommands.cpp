#include "sim/CompassCommands.h"

#include <cctype>

namespace sim {

namespace {

// Reads 1 to maxDigits decimal digits at pos; nothing when there are none.
std::optional<int> Digits(std::string_view text, std::size_t &pos, std::size_t maxDigits) {
    int value = 0;
    std::size_t count = 0;
    while (pos < text.size() && count < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text[pos]))) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++count;
    }
    if (count == 0)
        return std::nullopt;
    return value;
}

bool Expect(std::string_view text, std::size_t &pos, char c) {
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

std::optional<int> SignedField(std::string_view text, std::size_t &pos, int largest) {
    if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-'))
        return std::nullopt;
    const int sign = text[pos++] == '-' ? -1 : 1;
    const auto value = Digits(text, pos, 2);
    if (!value || *value > largest)
        return std::nullopt;
    return sign * *value;
}

} // namespace

std::optional<CompassParameters> ParseParameterMessage(std::string_view message) {
    std::size_t pos = 0;
    if (!Expect(message, pos, '!'))
        return std::nullopt;
    const auto options = Digits(message, pos, 3);
    if (!options || *options > 255 || !Expect(message, pos, 'A'))
        return std::nullopt;
    const auto centring = SignedField(message, pos, 20);
    if (!centring || !Expect(message, pos, 'B'))
        return std::nullopt;
    const auto declination = SignedField(message, pos, 10);
    if (!declination || !Expect(message, pos, 'C') || !Expect(message, pos, '&') ||
        pos != message.size())
        return std::nullopt;
    return CompassParameters{*options, *centring, *declination, std::string(message)};
}

} // namespace sim
