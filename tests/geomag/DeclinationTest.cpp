// The built-in WMM2025 against NOAA's published test values, and what the declination
// estimate says around them: dates, the validity period and the zones near the poles.
#include "geomag/Declination.h"
#include "geomag/EmbeddedModel.h"
#include "geomag/Warnings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace geomag {
namespace {

using namespace std::chrono;

// The twelve rows of the WMM2025 report's test values: decimal year, height above the
// ellipsoid, geodetic latitude and longitude, declination to 0.01°.
TEST(Wmm2025, MatchesNoaasTestValues) {
    const struct {
        double year, heightKm, latitude, longitude, declination;
    } rows[] = {
        {2025.0, 0, 80, 0, 1.28},   {2025.0, 0, 0, 120, -0.16},   {2025.0, 0, -80, 240, 68.78},
        {2025.0, 100, 80, 0, 0.85}, {2025.0, 100, 0, 120, -0.15}, {2025.0, 100, -80, 240, 68.21},
        {2027.5, 0, 80, 0, 2.59},   {2027.5, 0, 0, 120, -0.24},   {2027.5, 0, -80, 240, 68.49},
        {2027.5, 100, 80, 0, 2.16}, {2027.5, 100, 0, 120, -0.23}, {2027.5, 100, -80, 240, 67.93},
    };
    const FieldModel model(Wmm2025());
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.year << " " << row.heightKm << " km " << row.latitude
                                        << " " << row.longitude);
        const FieldComponents field =
            model.At({row.latitude, row.longitude, row.heightKm * 1000}, row.year);
        EXPECT_NEAR(field.Declination(), row.declination, 0.005);
    }
}

TEST(Wmm2025, BuiltInCoefficientsAreTheWholeDegree12Model) {
    const ModelCoefficients &model = Wmm2025();
    EXPECT_EQ(model.name, "WMM-2025");
    EXPECT_EQ(model.epoch, 2025.0);
    EXPECT_EQ(model.maxDegree, 12);
    EXPECT_EQ(model.g.size(), 91u);
    EXPECT_EQ(model.g[ModelCoefficients::Index(1, 0)], -29351.8);
    EXPECT_EQ(model.hDot[ModelCoefficients::Index(12, 12)], -0.1);
}

TEST(DecimalYear, CountsDaysFromTheFirstOfJanuary) {
    const struct {
        year_month_day date;
        double year;
    } cases[] = {
        {2025y / January / 1, 2025.0},
        {2025y / December / 31, 2025.0 + 364.0 / 365.0},
        {2028y / December / 31, 2028.0 + 365.0 / 366.0}, // a leap year has 366 days
        {2027y / July / 2, 2027.0 + 182.0 / 365.0},
        {2028y / March / 1, 2028.0 + 60.0 / 366.0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(DecimalYear(c.date), c.year) << c.year;
}

TEST(IsoDate, ReadsOnlyRealDaysWrittenInFull) {
    const struct {
        const char *text;
        std::optional<year_month_day> date;
    } cases[] = {
        {"2026-12-07", 2026y / December / 7},
        {"2028-02-29", 2028y / February / 29},
        {"2026-02-29", std::nullopt}, // not a leap year
        {"2026-13-01", std::nullopt},
        {"2026-00-10", std::nullopt},
        {"2026-1-5", std::nullopt},
        {"2026-01-05 ", std::nullopt},
        {"2026/01/05", std::nullopt},
        {"0000-01-01", std::nullopt},
        {"-026-01-01", std::nullopt},
        {"2026-+1-01", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseIsoDate(c.text), c.date) << c.text;
}

TEST(Estimate, SaysWhenTheDateOrThePlaceMakesTheValueUnsafe) {
    const struct {
        const char *name;
        GeodeticPoint point;
        year_month_day date;
        bool withinValidity;
        PolarZone zone;
        std::size_t warnings;
    } cases[] = {
        {"Paris", {48.8566, 2.3522, 0}, 2026y / December / 7, true, PolarZone::None, 0},
        {"first day", {48.8566, 2.3522, 0}, 2025y / January / 1, true, PolarZone::None, 0},
        {"last day", {48.8566, 2.3522, 0}, 2029y / December / 31, true, PolarZone::None, 0},
        {"the day after", {48.8566, 2.3522, 0}, 2030y / January / 1, false, PolarZone::None, 1},
        {"the day before", {48.8566, 2.3522, 0}, 2024y / December / 31, false, PolarZone::None, 1},
        {"north magnetic pole", {85.8, 139.3, 0}, 2026y / June / 1, true, PolarZone::Blackout, 1},
        {"pole in 2031", {85.8, 139.3, 0}, 2031y / June / 1, false, PolarZone::Blackout, 2},
        {"Resolute Bay", {74.7, -94.8, 0}, 2026y / June / 1, true, PolarZone::Caution, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const DeclinationEstimate estimate = EstimateDeclination(c.point, c.date);
        EXPECT_EQ(estimate.withinValidity, c.withinValidity);
        EXPECT_EQ(estimate.zone, c.zone);
        EXPECT_EQ(estimate.zone, ZoneOf(estimate.horizontal));
        EXPECT_EQ(EstimateWarnings(estimate).size(), c.warnings);
        // Never below the model's own 0.26°; where the blackout starts, already over 2.7°.
        EXPECT_GE(estimate.uncertainty, 0.26);
        EXPECT_EQ(estimate.uncertainty > 2.7, estimate.zone == PolarZone::Blackout);
    }
    // Paris is a little east of true north these years, with an error near 0.3°.
    const DeclinationEstimate paris =
        EstimateDeclination({48.8566, 2.3522, 0}, 2026y / December / 7);
    EXPECT_GT(paris.declination, 1.5);
    EXPECT_LT(paris.declination, 2.5);
    EXPECT_LT(paris.uncertainty, 0.5);
}

} // namespace
} // namespace geomag
