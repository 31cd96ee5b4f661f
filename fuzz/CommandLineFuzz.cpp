// The command line as any argument list (the input split at NUL bytes, which no argument
// can hold): read or refused with a message that puts nothing raw on the terminal, and
// every argument escaped so that the escape can be undone.
#include "FuzzCheck.h"

#include "base/EscapedText.h"
#include "program/CommandLine.h"

#include <QString>

#include <algorithm>

namespace {

bool HasControl(const std::string &text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

int HexDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The bytes an escaped text stands for.
std::string Unescaped(const std::string &text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        FUZZ_CHECK(i + 1 < text.size());
        const char kind = text[++i];
        if (kind == 'x') {
            FUZZ_CHECK(i + 2 < text.size());
            const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
            FUZZ_CHECK(high >= 0 && low >= 0);
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            FUZZ_CHECK(kind == 't' || kind == 'n' || kind == 'r' || kind == '\\');
            bytes += kind == 't' ? '\t' : kind == 'n' ? '\n' : kind == 'r' ? '\r' : '\\';
        }
    }
    return bytes;
}

void CheckEscape(const std::string &bytes) {
    const std::string escaped = platform::EscapeUnprintable(bytes);
    FUZZ_CHECK(!HasControl(escaped));
    FUZZ_CHECK(QString::fromUtf8(escaped).toUtf8().toStdString() == escaped); // valid UTF-8
    for (std::size_t at = escaped.find('\xc2'); at != std::string::npos;
         at = escaped.find('\xc2', at + 1))
        FUZZ_CHECK(static_cast<unsigned char>(escaped[at + 1]) >= 0xa0); // no C1 control
    FUZZ_CHECK(Unescaped(escaped) == bytes);
}

// value came from the command line: one argument, or what follows "=" in one.
bool Given(const std::vector<std::string> &arguments, const std::string &value) {
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string &argument) {
        const std::size_t equals = argument.find('=');
        return argument == value || (equals != std::string::npos &&
                                     argument.compare(equals + 1, std::string::npos, value) == 0);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<std::string> arguments = fuzz::Fields(data, size, '\0');
    if (size == 0)
        arguments.clear();
    for (const std::string &argument : arguments)
        CheckEscape(argument);

    const app::CommandLine line = app::ParseCommandLine(arguments);
    if (!line.error.empty()) {
        FUZZ_CHECK(!HasControl(line.error));
        const std::string text = app::UsageErrorText(line.error);
        FUZZ_CHECK(std::count(text.begin(), text.end(), '\n') == 2 && text.back() == '\n');
        return 0;
    }
    const app::Options &options = line.options;
    FUZZ_CHECK(options.dataDir.empty() || Given(arguments, options.dataDir));
    FUZZ_CHECK(options.trace.empty() || Given(arguments, options.trace));
    // Whatever was understood, one more unknown option is refused, by its name (or as an
    // argument after "--").
    arguments.push_back("--zz");
    const std::string error = app::ParseCommandLine(arguments).error;
    FUZZ_CHECK(error == "option inconnue « --zz »" || error == "argument inattendu « --zz »");
    return 0;
}
