#include "geomag/Declination.h"

#include "geomag/EmbeddedModel.h"

#include <charconv>
#include <cmath>

namespace geomag {
namespace {

constexpr double ModelLifetime = 5.0;        // years: a WMM is valid for five
constexpr double ModelError = 0.26;          // degrees
constexpr double CrustalFieldEffect = 5417.; // nT·degrees

const FieldModel &Wmm2025Field() {
    static const FieldModel model(Wmm2025());
    return model;
}

std::optional<int> Digits(std::string_view text, std::size_t count) {
    int value = 0;
    if (text.size() != count)
        return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + count, value);
    if (ec != std::errc() || end != text.data() + count || text.front() == '-' ||
        text.front() == '+')
        return std::nullopt;
    return value;
}

} // namespace

double DeclinationUncertainty(double horizontal) {
    const double crustal = CrustalFieldEffect / horizontal;
    return std::sqrt(ModelError * ModelError + crustal * crustal);
}

PolarZone ZoneOf(double horizontal) {
    if (horizontal < BlackoutBelow)
        return PolarZone::Blackout;
    if (horizontal < CautionBelow)
        return PolarZone::Caution;
    return PolarZone::None;
}

double DecimalYear(std::chrono::year_month_day date) {
    using namespace std::chrono;
    const sys_days start{date.year() / January / 1};
    const sys_days next{(date.year() + years(1)) / January / 1};
    return int(date.year()) +
           double((sys_days(date) - start).count()) / double((next - start).count());
}

std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4), 4);
    const auto month = Digits(text.substr(5, 2), 2);
    const auto day = Digits(text.substr(8, 2), 2);
    if (!year || !month || !day || *year < 1)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(*year),
                                           std::chrono::month(unsigned(*month)),
                                           std::chrono::day(unsigned(*day))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

double ValidUntil() { return Wmm2025Field().Epoch() + ModelLifetime; }

bool WithinValidity(std::chrono::year_month_day date) {
    const double year = DecimalYear(date);
    return year >= Wmm2025Field().Epoch() && year < ValidUntil();
}

DeclinationEstimate EstimateDeclination(const GeodeticPoint &point,
                                        std::chrono::year_month_day date) {
    const FieldModel &model = Wmm2025Field();
    DeclinationEstimate estimate;
    estimate.year = DecimalYear(date);
    const FieldComponents field = model.At(point, estimate.year);
    estimate.declination = field.Declination();
    estimate.horizontal = field.Horizontal();
    estimate.uncertainty = DeclinationUncertainty(estimate.horizontal);
    estimate.zone = ZoneOf(estimate.horizontal);
    estimate.withinValidity = WithinValidity(date);
    return estimate;
}

} // namespace geomag
