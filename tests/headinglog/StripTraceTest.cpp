#include "headinglog/StripTrace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace headinglog {
namespace {

// The pieces of a trace as lists of axis values.
std::vector<std::vector<double>> Pieces(const StripTrace &trace) {
    std::vector<std::vector<double>> pieces;
    for (std::size_t p = 0; p < trace.starts.size(); ++p) {
        const std::size_t end =
            p + 1 < trace.starts.size() ? trace.starts[p + 1] : trace.points.size();
        pieces.emplace_back();
        for (std::size_t i = trace.starts[p]; i < end; ++i)
            pieces.back().push_back(trace.points[i].value);
    }
    return pieces;
}

struct Reading {
    std::int64_t at;
    int heading;
};

struct Case {
    std::string name;
    std::vector<Reading> readings;
    double centre;
    std::vector<std::vector<double>> pieces;
};

TEST(StripTrace, PiecesNeverCrossTheChart) {
    const Case cases[] = {
        {"north on the 0..360 axis is cut",
         {{0, 358}, {200, 359}, {400, 0}, {600, 1}},
         180,
         {{358, 359}, {0, 1}}},
        {"north on the axis centred on north is one line",
         {{0, 358}, {200, 359}, {400, 0}, {600, 1}},
         0,
         {{-2, -1, 0, 1}}},
        {"south on the axis centred on north is cut",
         {{0, 179}, {200, 181}, {400, 179}},
         0,
         {{179}, {-179}, {179}}},
        {"a pause in the readings cuts",
         {{0, 90}, {200, 91}, {200 + kTraceGapMsecs + 1, 92}},
         180,
         {{90, 91}, {92}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HeadingHistory history(100, 60 * 1000);
        for (const Reading &r : c.readings)
            history.Add(r.at, r.heading);
        // Slots of a millisecond: every reading is its own point.
        const StripTrace trace = BuildStripTrace(history, 60 * 1000, c.centre, 60 * 1000);
        EXPECT_EQ(Pieces(trace), c.pieces);
        for (const TracePoint &point : trace.points) {
            EXPECT_GE(point.value, c.centre - 180);
            EXPECT_LT(point.value, c.centre + 180);
        }
    }
}

TEST(ChooseCentre, MovesOnlyWhenTheMeanLeavesItsQuarter) {
    struct Case {
        double current;
        std::optional<double> mean;
        double centre;
    };
    const Case cases[] = {
        {0, std::nullopt, 180}, // no mean: the axis 0..360
        {180, 10, 0},           {180, 350, 0}, {0, 59, 0},  {0, 61, 90},     {0, 301, 0},
        {0, 299, 270},          {90, 31, 90},  {90, 29, 0}, {270, 225, 270}, {270, 134, 90},
    };
    for (const Case &c : cases) {
        CircularStats stats;
        stats.count = 1;
        stats.mean = c.mean;
        EXPECT_EQ(ChooseCentre(c.current, stats), c.centre)
            << "from " << c.current << " with mean " << c.mean.value_or(-1);
    }
}

} // namespace
} // namespace headinglog
