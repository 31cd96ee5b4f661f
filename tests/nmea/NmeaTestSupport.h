// What the heading output's tests share: an independent check of a sentence's frame and
// checksum, and the collection of the outputs' notices.
#pragma once

#include "nmea/HeadingSentences.h"
#include "nmea/ShareOutput.h"

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace nmea::testing {

// True when the text is "$", a body, "*", two upper-case hexadecimal digits equal to the
// XOR of the body's bytes, then CR LF, and at most 82 characters in all.
inline bool WellFramed(std::string_view sentence) {
    if (sentence.size() < 6 || sentence.size() > kMaxSentenceLength || sentence.front() != '$' ||
        !sentence.ends_with("\r\n"))
        return false;
    const std::string_view inner = sentence.substr(1, sentence.size() - 3);
    const auto star = inner.rfind('*');
    if (star == std::string_view::npos || inner.size() - star != 3)
        return false;
    unsigned sum = 0;
    for (const char c : inner.substr(0, star))
        sum ^= static_cast<unsigned char>(c);
    static const char digits[] = "0123456789ABCDEF";
    return inner[star + 1] == digits[sum >> 4] && inner[star + 2] == digits[sum & 15];
}

// Splits a stream into its lines, each with its CR LF; a tail without one is a line too.
inline std::vector<std::string> Lines(std::string_view stream) {
    std::vector<std::string> lines;
    while (!stream.empty()) {
        const auto end = stream.find("\r\n");
        const auto length = end == std::string_view::npos ? stream.size() : end + 2;
        lines.emplace_back(stream.substr(0, length));
        stream.remove_prefix(length);
    }
    return lines;
}

struct Notices {
    NoticeSink Sink() {
        return [this](const ShareNotice &notice) {
            (notice.kind == ShareNotice::Kind::Problem ? problems : notes) << notice.text;
        };
    }
    int ProblemsWith(const QString &part) const {
        return static_cast<int>(problems.filter(part).size());
    }
    QStringList problems;
    QStringList notes;
};

} // namespace nmea::testing
