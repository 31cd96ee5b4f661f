#include "program/DeclinationCommand.h"

#include "base/EscapedText.h"
#include "base/Language.h"
#include "geomag/Coordinates.h"
#include "geomag/Declination.h"
#include "geomag/Warnings.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace app {
namespace {

// A text of the declination command in the program's language, its %1, %2... put in.
std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("DeclinationCommand", text, args);
}

// Two decimals whatever the locale; -0.00 is written 0.00.
std::string TwoDecimals(double value) {
    if (std::fabs(value) < 0.005)
        value = 0.0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

std::string ReadCoordinate(const std::string &text, geomag::Axis axis, double &degrees) {
    const geomag::CoordinateReading reading = geomag::ReadCoordinate(text, axis);
    degrees = reading.degrees;
    if (reading.ok())
        return {};
    return Tr(axis == geomag::Axis::Latitude
                  ? QT_TRANSLATE_NOOP("DeclinationCommand", "latitude %1 incorrecte : %2")
                  : QT_TRANSLATE_NOOP("DeclinationCommand", "longitude %1 incorrecte : %2"),
              {platform::QuotedArgument(text), geomag::CoordinateErrorText(reading.error, axis)});
}

} // namespace

std::string ReadDeclinationRequest(const std::vector<std::string> &values,
                                   DeclinationRequest &request) {
    if (std::string error =
            ReadCoordinate(values.at(0), geomag::Axis::Latitude, request.point.latitude);
        !error.empty())
        return error;
    if (std::string error =
            ReadCoordinate(values.at(1), geomag::Axis::Longitude, request.point.longitude);
        !error.empty())
        return error;
    if (values.size() > 2) {
        request.date = geomag::ParseIsoDate(values[2]);
        if (!request.date)
            return Tr(QT_TRANSLATE_NOOP("DeclinationCommand",
                                        "date %1 incorrecte : écrivez AAAA-MM-JJ, par exemple "
                                        "2026-12-07"),
                      {platform::QuotedArgument(values[2])});
    }
    return {};
}

std::string ReadAltitude(const std::string &km, std::optional<double> &metres) {
    std::string text = km;
    if (const std::size_t comma = text.find(','); comma != std::string::npos)
        text[comma] = '.';
    double value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || stop != end || !std::isfinite(value))
        return Tr(QT_TRANSLATE_NOOP("DeclinationCommand",
                                    "altitude %1 incorrecte : un nombre de kilomètres est attendu"),
                  {platform::QuotedArgument(km)});
    if (value * 1000 < geomag::LowestHeight || value * 1000 > geomag::HighestHeight)
        return Tr(QT_TRANSLATE_NOOP("DeclinationCommand",
                                    "altitude %1 hors du domaine du modèle (de -1 à 850 km "
                                    "au-dessus de l'ellipsoïde)"),
                  {platform::QuotedArgument(km)});
    metres = value * 1000;
    return {};
}

std::string ExtrapolationRefusal(std::chrono::year_month_day date) {
    if (geomag::WithinValidity(date))
        return {};
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return Tr(QT_TRANSLATE_NOOP("DeclinationCommand",
                                "le %1 est hors de la période de validité du modèle WMM2025 (2025 "
                                "à 2029) : la déclinaison n'y serait qu'une extrapolation, que "
                                "l'option --extrapolate demande"),
              {iso});
}

void PrintDeclination(const DeclinationRequest &request, std::FILE *out, std::FILE *err,
                      std::chrono::year_month_day today) {
    const geomag::DeclinationEstimate estimate =
        geomag::EstimateDeclination(request.point, request.date.value_or(today));
    std::fprintf(out, "%s ± %s\n", TwoDecimals(estimate.declination).c_str(),
                 TwoDecimals(estimate.uncertainty).c_str());
    for (const std::string &warning : geomag::EstimateWarnings(estimate))
        std::fprintf(
            err, "%s\n",
            Tr(QT_TRANSLATE_NOOP("DeclinationCommand", "ventrose : attention : %1"), {warning})
                .c_str());
}

std::chrono::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {std::chrono::year(local.tm_year + 1900), std::chrono::month(unsigned(local.tm_mon + 1)),
            std::chrono::day(unsigned(local.tm_mday))};
}

} // namespace app
