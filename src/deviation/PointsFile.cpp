#include "deviation/PointsFile.h"

#include "base/EscapedText.h"
#include "base/Language.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace deviation {
namespace {

constexpr std::string_view kHeader = "compass,magnetic";
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("Swing", text, args);
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A heading in degrees from 0 to 360; nothing for anything else.
std::optional<double> Heading(std::string_view text) {
    double value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || stop != end || !std::isfinite(value) || value < 0 ||
        value > 360)
        return std::nullopt;
    return value;
}

} // namespace

PointsReading ReadSwingPoints(std::string_view text) {
    PointsReading reading;
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    bool headerSeen = false;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty())
            continue;
        const std::string lineNumber = std::to_string(number);
        if (!headerSeen) {
            if (line != kHeader)
                return {{},
                        Tr(QT_TRANSLATE_NOOP("Swing", "ligne %1 : l'en-tête « compass,magnetic » "
                                                      "est attendu, et non %2"),
                           {lineNumber, platform::QuotedArgument(line)})};
            headerSeen = true;
            continue;
        }
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos)
            return {{},
                    Tr(QT_TRANSLATE_NOOP("Swing", "ligne %1 : deux valeurs séparées par une "
                                                  "virgule sont attendues (cap compas, cap "
                                                  "magnétique), et non %2"),
                       {lineNumber, platform::QuotedArgument(line)})};
        const std::string_view fields[] = {Trimmed(line.substr(0, comma)),
                                           Trimmed(line.substr(comma + 1))};
        double headings[2] = {};
        for (int k = 0; k < 2; ++k) {
            const std::optional<double> heading = Heading(fields[k]);
            if (!heading)
                return {{},
                        Tr(QT_TRANSLATE_NOOP("Swing", "ligne %1 : %2 n'est pas un cap en degrés "
                                                      "de 0 à 360 (le séparateur décimal est le "
                                                      "point)"),
                           {lineNumber, platform::QuotedArgument(fields[k])})};
            headings[k] = *heading;
        }
        reading.points.push_back({headings[0], headings[1]});
    }
    if (!headerSeen)
        reading.error = Tr(QT_TRANSLATE_NOOP(
            "Swing", "le fichier est vide : l'en-tête « compass,magnetic » est attendu"));
    return reading;
}

} // namespace deviation
