// Text from outside shown on one line: controls, backslashes and bytes that are not UTF-8
// escaped, everything else kept.
#include "base/EscapedText.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(EscapedText, ControlsBackslashesAndInvalidUtf8AreEscapedTheRestKept) {
    struct Case {
        std::string_view in;
        const char *out;
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {"", ""},
        {"FTDI FT232R USB UART", "FTDI FT232R USB UART"},
        {"Café Ünïcödé € 😀 x\xc2\xa0y", "Café Ünïcödé € 😀 x\xc2\xa0y"}, // no-break space kept
        {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
        {"\x1b[31mRed\x1b[0m", "\\x1b[31mRed\\x1b[0m"},
        {"nul\0bel\x07"
         "del\x7f"
         "us\x1f"sv,
         "nul\\x00bel\\x07del\\x7fus\\x1f"},
        {"C:\\x41", "C:\\\\x41"},
        {"csi\xc2\x9b"
         "2J nel\xc2\x85",
         "csi\\xc2\\x9b2J nel\\xc2\\x85"},
        {"Caf\xe9_Cr\xe8me", "Caf\\xe9_Cr\\xe8me"},
        {"stray\x80\xbf", "stray\\x80\\xbf"},
        {"overlong\xc0\xaf\xe0\x80\xaf", "overlong\\xc0\\xaf\\xe0\\x80\\xaf"},
        {"surrogate\xed\xa0\x80", "surrogate\\xed\\xa0\\x80"},
        {"beyond\xf4\x90\x80\x80", "beyond\\xf4\\x90\\x80\\x80"},
        {"cut\xe2\x82", "cut\\xe2\\x82"},
        {"cut\xf0\x9f\x98(", "cut\\xf0\\x9f\\x98("},
        {"\xff\xfe", "\\xff\\xfe"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(platform::EscapeUnprintable(c.in), c.out);
    }
}

} // namespace
