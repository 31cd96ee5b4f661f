#include "program/DeviationCommand.h"

#include "base/EscapedText.h"
#include "base/Language.h"
#include "base/RegularFile.h"
#include "compass/Angles.h"
#include "deviation/Fit.h"
#include "deviation/PointsFile.h"
#include "deviation/Text.h"
#include "program/CommandLine.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace app {
namespace {

std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("DeviationCommand", text, args);
}

// Why the file gives no points; empty when `text` holds its bytes.
std::string ReadPointsFile(const std::string &path, std::string &text) {
    const std::string name = platform::QuotedArgument(path);
    const platform::RegularFileRead read = platform::ReadRegularFile(path, kLargestPointsFile);
    switch (read.outcome) {
    case platform::RegularFileRead::Outcome::Read:
        text = read.bytes;
        return {};
    case platform::RegularFileRead::Outcome::Missing:
        return Tr(QT_TRANSLATE_NOOP("DeviationCommand", "le fichier de points %1 n'existe pas"),
                  {name});
    case platform::RegularFileRead::Outcome::NotRegular:
        return Tr(QT_TRANSLATE_NOOP("DeviationCommand",
                                    "%1 n'est pas un fichier ordinaire : un dossier, un "
                                    "périphérique ou un tube n'est pas lu"),
                  {name});
    case platform::RegularFileRead::Outcome::TooLarge:
        return Tr(QT_TRANSLATE_NOOP("DeviationCommand",
                                    "le fichier %1 dépasse 1 Mio : ce n'est pas un fichier de "
                                    "points de régulation"),
                  {name});
    case platform::RegularFileRead::Outcome::Failed:
        break;
    }
    return Tr(QT_TRANSLATE_NOOP("DeviationCommand", "impossible de lire %1 : %2"),
              {name, std::strerror(read.error)});
}

// What is wrong in the file's content, after the file's name.
std::string InFile(const std::string &name, const std::string &reason) {
    return Tr(QT_TRANSLATE_NOOP("DeviationCommand", "%1 : %2"), {name, reason});
}

int Refused(std::FILE *err, const std::string &reason) {
    std::fprintf(err, "%s\n",
                 Tr(QT_TRANSLATE_NOOP("DeviationCommand", "ventrose : %1."), {reason}).c_str());
    return kUsageErrorStatus;
}

} // namespace

int PrintDeviationCard(const std::string &path, std::FILE *out, std::FILE *err) {
    std::string text;
    if (const std::string error = ReadPointsFile(path, text); !error.empty())
        return Refused(err, error);
    const std::string name = platform::QuotedArgument(path);
    const deviation::PointsReading reading = deviation::ReadSwingPoints(text);
    if (!reading.error.empty())
        return Refused(err, InFile(name, reading.error));
    const deviation::FitOutcome outcome = deviation::FitSwing(reading.points);
    if (!outcome.fit)
        return Refused(err, InFile(name, outcome.refusal));

    const deviation::Fit &fit = *outcome.fit;
    const deviation::Coefficients &k = fit.coefficients;
    std::fprintf(out, "%s\nRMS=%s\n", deviation::CoefficientsText(k).c_str(),
                 deviation::Hundredths(fit.rms, false).c_str());
    for (const deviation::CardRow &row : deviation::Card(k)) {
        // The magnetic heading from the deviation as printed, so that each line adds up.
        const double shown = std::round(row.deviation * 100) / 100;
        std::fprintf(
            out, "%03d %s %s\n", int(row.compass), deviation::Hundredths(shown, true).c_str(),
            deviation::Hundredths(compass::Reduce360Real(row.compass + shown), false, 6).c_str());
    }
    for (std::size_t n = 0; n < fit.points.size(); ++n)
        if (fit.points[n].outlier)
            std::fprintf(
                err, "%s\n",
                Tr(QT_TRANSLATE_NOOP("DeviationCommand",
                                     "ventrose : attention : le point %1 (compas %2, magnétique "
                                     "%3) s'écarte de %4° de la courbe, plus de trois fois "
                                     "l'écart quadratique moyen : à vérifier ou à refaire"),
                   {std::to_string(n + 1),
                    deviation::Hundredths(fit.points[n].point.compass, false),
                    deviation::Hundredths(fit.points[n].point.magnetic, false),
                    deviation::Hundredths(fit.points[n].residual, true)})
                    .c_str());
    return 0;
}

} // namespace app
