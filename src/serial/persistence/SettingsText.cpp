#include "serial/persistence/SettingsText.h"

#include <array>
#include <limits>

namespace serial {

namespace {

constexpr std::array<const char *, 16> kBaudRates = {
    "Custom", "110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",
    "14400",  "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
constexpr std::array<const char *, 3> kStopBits = {"1", "1.5", "2"};
constexpr std::array<const char *, 4> kDataBits = {"5", "6", "7", "8"};
constexpr std::array<const char *, 5> kParities = {"None", "Odd", "Even", "Mark", "Space"};
constexpr std::array<const char *, 4> kFlowControls = {"Hardware", "Software", "None", "Custom"};
constexpr std::array<const char *, 3> kDtrModes = {"Disable", "Enable", "Handshake"};
constexpr std::array<const char *, 4> kRtsModes = {"Disable", "Enable", "Handshake", "Toggle"};

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// The value whose text matches, the first in enumeration order; the fallback otherwise.
template <typename Enum, std::size_t N>
Enum FromText(const std::array<const char *, N> &texts, std::string_view text, Enum fallback) {
    for (std::size_t i = 0; i < N; ++i)
        if (SameTextIgnoringCase(texts[i], text))
            return static_cast<Enum>(i);
    return fallback;
}

// The text of a value; one out of the enumeration (a corrupted field) has none.
template <std::size_t N> std::string ToText(const std::array<const char *, N> &texts, int value) {
    return value >= 0 && std::size_t(value) < N ? texts[std::size_t(value)] : "";
}

} // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string BaudRateText(TBaudRate value) { return ToText(kBaudRates, value); }
std::string StopBitsText(TStopBits value) { return ToText(kStopBits, value); }
std::string DataBitsText(TDataBits value) { return ToText(kDataBits, value); }
std::string ParityText(TParityBits value) { return ToText(kParities, value); }
std::string FlowControlText(TFlowControl value) { return ToText(kFlowControls, value); }
std::string DTRText(TDTRFlowControl value) { return ToText(kDtrModes, value); }
std::string RTSText(TRTSFlowControl value) { return ToText(kRtsModes, value); }
std::string BoolText(bool value) { return value ? "Yes" : "No"; }

std::string CharText(char value) {
    const auto byte = static_cast<unsigned char>(value);
    if (byte >= 33 && byte <= 127)
        return std::string(1, value);
    return "#" + std::to_string(byte);
}

TBaudRate TextToBaudRate(std::string_view text) { return FromText(kBaudRates, text, br9600); }
TStopBits TextToStopBits(std::string_view text) { return FromText(kStopBits, text, sbOneStopBit); }
TDataBits TextToDataBits(std::string_view text) { return FromText(kDataBits, text, dbEight); }
TParityBits TextToParity(std::string_view text) { return FromText(kParities, text, prNone); }
TFlowControl TextToFlowControl(std::string_view text) {
    return FromText(kFlowControls, text, fcCustom);
}
TDTRFlowControl TextToDTR(std::string_view text) { return FromText(kDtrModes, text, dtrDisable); }
TRTSFlowControl TextToRTS(std::string_view text) { return FromText(kRtsModes, text, rtsDisable); }
bool TextToBool(std::string_view text) { return SameTextIgnoringCase(text, "YES"); }

char TextToChar(std::string_view text) {
    if (text.empty())
        return 0;
    if (text[0] != '#' || text.size() == 1)
        return text[0];
    const auto code = ParseInt32(text.substr(1));
    return code ? static_cast<char>(static_cast<std::uint32_t>(*code) & 0xFF) : 0;
}

} // namespace serial
