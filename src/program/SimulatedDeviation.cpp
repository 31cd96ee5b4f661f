#include "program/SimulatedDeviation.h"

#include "base/EscapedText.h"
#include "base/Language.h"
#include "compass/Angles.h"

#include <charconv>
#include <cmath>

namespace app {
namespace {

constexpr int kRawSteps = compass::kMaxRawReading + 1;

std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("SimulatedDeviation", text, args);
}

} // namespace

std::string ReadSimulatedDeviation(const std::string &text,
                                   std::optional<deviation::Coefficients> &coefficients) {
    double values[5] = {};
    std::size_t count = 0, start = 0;
    bool numbers = true;
    for (;;) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const char *first = text.data() + start, *last = text.data() + comma;
        double value = 0;
        const auto [stop, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
        numbers =
            numbers && first != last && ec == std::errc() && stop == last && std::isfinite(value);
        if (count < 5)
            values[count] = value;
        ++count;
        if (comma == text.size())
            break;
        start = comma + 1;
    }
    if (count != 5 || !numbers)
        return Tr(QT_TRANSLATE_NOOP("SimulatedDeviation",
                                    "la déviation %1 ne convient pas : cinq nombres A,B,C,D,E "
                                    "en degrés, séparés par des virgules, sont attendus"),
                  {platform::QuotedArgument(text)});
    const deviation::Coefficients read{values[0], values[1], values[2], values[3], values[4]};
    if (!deviation::TurnsWithTheCraft(read))
        return Tr(QT_TRANSLATE_NOOP("SimulatedDeviation",
                                    "la déviation %1 est trop forte : la boussole ne tournerait "
                                    "plus avec le bateau (A de -180 à 180, |B| + |C| + 2|D| + "
                                    "2|E| au plus 28.6)"),
                  {platform::QuotedArgument(text)});
    coefficients = read;
    return {};
}

sim::Course DeviatedCourse(sim::Course course, const deviation::Coefficients &coefficients) {
    return [course = std::move(course), coefficients](std::chrono::milliseconds sinceStart) {
        // The curve is a function of the heading the user reads, the module's own angle
        // turned by the display's half turn.
        const double magnetic = course(sinceStart) * ::compass::kDegreesPerStep + 180;
        const double compass = deviation::CompassHeadingFor(coefficients, magnetic);
        const double ownAngle = ::compass::Reduce360Real(compass - 180);
        return int(std::lround(ownAngle / ::compass::kDegreesPerStep)) % kRawSteps;
    };
}

} // namespace app
