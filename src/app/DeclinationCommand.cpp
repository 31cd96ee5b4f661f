#include "app/DeclinationCommand.h"

#include "geomag/Coordinates.h"
#include "geomag/Declination.h"
#include "geomag/Warnings.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <optional>
#include <string_view>

namespace app {
namespace {

const std::string DeclinationOption = "--declination";
const std::string AltitudeOption = "--altitude";
const char Usage[] = "usage : ventrose --declination LAT LON [AAAA-MM-JJ] [--altitude KM]";

struct Request {
    geomag::GeodeticPoint point;
    std::optional<std::chrono::year_month_day> date;
};

// A decimal number with a point or a comma, nothing around it.
std::optional<double> ReadNumber(std::string text) {
    if (const std::size_t comma = text.find(','); comma != std::string::npos)
        text[comma] = '.';
    double value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Two decimals whatever the locale; -0.00 is written 0.00.
std::string TwoDecimals(double value) {
    if (std::fabs(value) < 0.005)
        value = 0.0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

class BadArgument {
public:
    explicit BadArgument(std::string reason) : reason(std::move(reason)) {}
    std::string reason;
};

double Coordinate(const std::string &text, geomag::Axis axis) {
    const geomag::CoordinateReading reading = geomag::ReadCoordinate(text, axis);
    if (!reading.ok())
        throw BadArgument((axis == geomag::Axis::Latitude ? "latitude « " : "longitude « ") + text +
                          " » incorrecte : " + geomag::CoordinateErrorText(reading.error, axis));
    return reading.degrees;
}

double Altitude(const std::string &text) {
    const std::optional<double> km = ReadNumber(text);
    if (!km)
        throw BadArgument("altitude « " + text +
                          " » incorrecte : un nombre de kilomètres est attendu");
    if (*km * 1000 < geomag::LowestHeight || *km * 1000 > geomag::HighestHeight)
        throw BadArgument("altitude « " + text +
                          " » hors du domaine du modèle (de -1 à 850 km au-dessus de "
                          "l'ellipsoïde)");
    return *km * 1000;
}

Request Parse(const std::vector<std::string> &arguments) {
    std::vector<std::string> values;
    std::optional<std::string> altitude;
    bool asked = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == DeclinationOption && !asked) {
            asked = true;
        } else if (argument == AltitudeOption || argument.starts_with(AltitudeOption + "=")) {
            if (altitude)
                throw BadArgument("--altitude est donnée deux fois");
            if (argument != AltitudeOption)
                altitude = argument.substr(AltitudeOption.size() + 1);
            else if (i + 1 < arguments.size())
                altitude = arguments[++i];
            else
                throw BadArgument("--altitude attend un nombre de kilomètres");
        } else if (argument.starts_with("--")) {
            throw BadArgument("option « " + argument + " » inattendue avec --declination");
        } else {
            values.push_back(argument);
        }
    }
    if (!asked)
        throw BadArgument("--altitude ne sert qu'avec --declination");
    if (values.size() < 2 || values.size() > 3)
        throw BadArgument("il faut une latitude, une longitude et, si l'on veut, une date");

    Request request;
    request.point.latitude = Coordinate(values[0], geomag::Axis::Latitude);
    request.point.longitude = Coordinate(values[1], geomag::Axis::Longitude);
    if (values.size() == 3) {
        request.date = geomag::ParseIsoDate(values[2]);
        if (!request.date)
            throw BadArgument("date « " + values[2] +
                              " » incorrecte : écrivez AAAA-MM-JJ, par exemple 2026-12-07");
    }
    if (altitude)
        request.point.height = Altitude(*altitude);
    return request;
}

} // namespace

bool AsksForDeclination(const std::vector<std::string> &arguments) {
    bool asked = false;
    for (const std::string &argument : arguments) {
        // The help and the version win, as they do over every other option.
        for (const char *first : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (argument == first)
                return false;
        asked = asked || argument == DeclinationOption || argument == AltitudeOption ||
                argument.starts_with(AltitudeOption + "=");
    }
    return asked;
}

int RunDeclinationCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err,
                          std::chrono::year_month_day today) {
    Request request;
    try {
        request = Parse(arguments);
    } catch (const BadArgument &bad) {
        std::fprintf(err, "ventrose : %s\n%s\n", bad.reason.c_str(), Usage);
        return 2;
    }
    const geomag::DeclinationEstimate estimate =
        geomag::EstimateDeclination(request.point, request.date.value_or(today));
    std::fprintf(out, "%s ± %s\n", TwoDecimals(estimate.declination).c_str(),
                 TwoDecimals(estimate.uncertainty).c_str());
    for (const std::string &warning : geomag::EstimateWarnings(estimate))
        std::fprintf(err, "ventrose : attention : %s\n", warning.c_str());
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fprintf(err, "ventrose : le résultat n'a pas pu être écrit\n");
        return 1;
    }
    return 0;
}

int RunDeclinationCommand(const std::vector<std::string> &arguments, std::FILE *out,
                          std::FILE *err) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::chrono::year_month_day today{std::chrono::year(local.tm_year + 1900),
                                            std::chrono::month(unsigned(local.tm_mon + 1)),
                                            std::chrono::day(unsigned(local.tm_mday))};
    return RunDeclinationCommand(arguments, out, err, today);
}

} // namespace app
