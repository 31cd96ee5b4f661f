#include "base/EscapedText.h"

#include "base/Language.h"

namespace platform {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xc0) == 0x80; }

// The length of the valid UTF-8 sequence at the start of bytes, 0 when it is not one. The
// second byte's range excludes overlong forms, surrogates and code points above U+10FFFF.
std::size_t SequenceLength(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf; // the allowed range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(at(i)))
            return 0;
    return length;
}

void AppendHex(std::string &out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xf];
}

} // namespace

std::string EscapeUnprintable(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto byte = static_cast<unsigned char>(bytes.front());
        const std::size_t length = SequenceLength(bytes);
        if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\\') {
            out += "\\\\";
        } else if (length == 0 || byte < 0x20 || byte == 0x7f) {
            AppendHex(out, byte);
        } else if (byte == 0xc2 && static_cast<unsigned char>(bytes[1]) < 0xa0) {
            AppendHex(out, byte); // a C1 control: both bytes escaped
            AppendHex(out, static_cast<unsigned char>(bytes[1]));
        } else {
            out.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

std::string QuotedArgument(std::string_view argument) {
    return Translated("EscapedText", QT_TRANSLATE_NOOP("EscapedText", "« %1 »"),
                      {EscapeUnprintable(argument)});
}

} // namespace platform
