// The built-in WMM2025 against NOAA's published test values, and what the declination
// estimate says around them: dates, the validity period and the zones near the poles.
#include "geomag/Declination.h"
#include "geomag/EmbeddedModel.h"
#include "geomag/Warnings.h"

#include <gtest/gtest.h>

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
    for (const auto &r : rows) {
        const FieldComponents field =
            model.At({r.latitude, r.longitude, r.heightKm * 1000}, r.year);
        EXPECT_NEAR(field.Declination(), r.declination, 0.005)
            << r.year << " " << r.heightKm << " km " << r.latitude << " " << r.longitude;
    }
}

// WMM counts 1 January as the year itself and each day as 1/365 or 1/366 of it.
TEST(Dates, OnlyRealDaysWrittenInFullAndTheirDecimalYear) {
    const std::pair<const char *, double> days[] = {{"2025-01-01", 2025.0},
                                                    {"2027-07-02", 2027 + 182 / 365.0},
                                                    {"2028-12-31", 2028 + 365 / 366.0},
                                                    {"2028-02-29", 2028 + 59 / 366.0}};
    for (const auto &[text, year] : days) {
        const std::optional<year_month_day> date = ParseIsoDate(text);
        ASSERT_TRUE(date) << text;
        EXPECT_DOUBLE_EQ(DecimalYear(*date), year) << text;
    }
    for (const char *refused :
         {"2026-02-29", "2026-13-01", "2026-1-5", "2026-01-05 ", "0000-01-01", "2026-+1-01"})
        EXPECT_FALSE(ParseIsoDate(refused)) << refused;
}

TEST(Estimate, SaysWhenTheDateOrThePlaceMakesTheValueUnsafe) {
    const GeodeticPoint paris{48.8566, 2.3522, 0}, pole{85.8, 139.3, 0}, arctic{72, -100, 0};
    const struct {
        GeodeticPoint point;
        year_month_day date;
        bool valid;
        PolarZone zone;
        std::size_t warnings;
    } cases[] = {
        {paris, 2025y / January / 1, true, PolarZone::None, 0},
        {paris, 2024y / December / 31, false, PolarZone::None, 1},
        {paris, 2029y / December / 31, true, PolarZone::None, 0},
        {paris, 2030y / January / 1, false, PolarZone::None, 1},
        {arctic, 2026y / June / 1, true, PolarZone::Caution, 1},
        {pole, 2026y / June / 1, true, PolarZone::Blackout, 1},
        {pole, 2031y / June / 1, false, PolarZone::Blackout, 2},
    };
    for (const auto &c : cases) {
        const DeclinationEstimate estimate = EstimateDeclination(c.point, c.date);
        EXPECT_EQ(estimate.withinValidity, c.valid) << estimate.year;
        EXPECT_EQ(WithinValidity(c.date), c.valid) << estimate.year;
        EXPECT_EQ(estimate.zone, c.zone) << estimate.horizontal;
        EXPECT_EQ(EstimateWarnings(estimate).size(), c.warnings);
        // Where the blackout starts, the error estimate is already over 2.7°.
        EXPECT_EQ(estimate.uncertainty > 2.7, c.zone == PolarZone::Blackout);
    }
}

} // namespace
} // namespace geomag
