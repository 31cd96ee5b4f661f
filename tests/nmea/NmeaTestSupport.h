// What the heading output's tests share: readings given by what the sentences depend on, an
// independent check of a sentence's frame, and the outputs' notices collected.
#pragma once

#include "compass/Reading.h"
#include "nmea/HeadingSentences.h"
#include "nmea/ShareOutput.h"

#include <QStringList>

#include <cstdio>
#include <string>

namespace nmea::testing {

// A reading given by the module's angle in degrees and the corrections applied to it, turned
// into the program's reading the one way the main window does (its raw value and time left
// at zero).
struct HeadingReading {
    int lastRawAngle = 0;
    long long centring = 0;
    long long declination = 0;

    operator compass::Reading() const {
        return compass::WorkOut(0, lastRawAngle, centring, declination);
    }
};

// "$", a body, "*", the XOR of the body's bytes in two upper-case digits, CR LF, at most
// 82 characters.
inline bool WellFramed(const std::string &sentence) {
    const auto star = sentence.rfind('*');
    if (sentence.size() > kMaxSentenceLength || sentence[0] != '$' || star == std::string::npos ||
        sentence.size() != star + 5 || !sentence.ends_with("\r\n"))
        return false;
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum);
    return sentence.compare(star + 1, 2, digits) == 0;
}

// The outputs' time, stepped by the test.
struct SteppedClock {
    ShareClock Clock() {
        return [this] { return now; };
    }
    std::chrono::steady_clock::time_point now{};
};

struct Notices {
    NoticeSink Sink() {
        return [this](const ShareNotice &notice) {
            if (notice.kind == ShareNotice::Kind::Problem)
                problems << notice.text;
        };
    }
    int With(const QString &part) const { return static_cast<int>(problems.filter(part).size()); }
    QStringList problems;
};

} // namespace nmea::testing
