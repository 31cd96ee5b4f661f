// The curve of the strip chart, worked out without the chart: the headings of the span
// brought to at most two points per time slot (the lowest and the highest, in the order
// they came), placed on a vertical axis centred on a chosen heading, and cut into pieces
// wherever a line would cross the chart: a heading that goes round past the axis's ends
// (359 to 0 when the axis runs 0..360) or a pause in the readings.
#pragma once

#include "headinglog/CircularStats.h"
#include "headinglog/HeadingHistory.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace headinglog {

struct TracePoint {
    std::int64_t msecs;
    double value; // on the axis: centre - 180 <= value < centre + 180
};

struct StripTrace {
    std::vector<TracePoint> points;
    std::vector<std::size_t> starts; // index in points where each piece begins
};

// Longer than this without a reading, the curve is cut (the link was down, the window closed);
// and longer than two slots, since a slot's points may lie up to two slot widths from the
// next slot's.
inline constexpr std::int64_t kTraceGapMsecs = 5000;

// The pause that cuts the curve of a span drawn in `slots` slots.
std::int64_t TraceGap(std::int64_t spanMsecs, int slots);

// Where a heading sits on an axis centred on `centre`.
double AxisValue(int heading, double centre);

// The axis's centre, a multiple of 90: the one nearest the mean heading, kept while the mean
// stays within 60 degrees of the current centre, so that small swings never move the axis;
// 180 (the axis 0..360) when the readings have no mean.
double ChooseCentre(double current, const CircularStats &stats);

// The span ending at `now`, in `slots` equal time slots.
StripTrace BuildStripTrace(const HeadingHistory &history, std::int64_t now, double centre,
                           int slots);

} // namespace headinglog
