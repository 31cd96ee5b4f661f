#include "headinglog/StripTrace.h"

#include "compass/Angles.h"

#include <algorithm>
#include <cmath>

namespace headinglog {

namespace {
constexpr double kKeepWithin = 60.0;
} // namespace

double AxisValue(int heading, double centre) {
    return centre + compass::Signed180LowerEnd(heading - centre);
}

double ChooseCentre(double current, const CircularStats &stats) {
    if (!stats.mean)
        return 180.0;
    if (std::abs(compass::Signed180LowerEnd(*stats.mean - current)) <= kKeepWithin)
        return current;
    return std::fmod(std::round(*stats.mean / 90.0) * 90.0, 360.0);
}

std::int64_t TraceGap(std::int64_t spanMsecs, int slots) {
    return std::max(kTraceGapMsecs, 2 * spanMsecs / std::max(slots, 1));
}

StripTrace BuildStripTrace(const HeadingHistory &history, std::int64_t now, double centre,
                           int slots) {
    StripTrace trace;
    slots = std::max(slots, 1);
    const std::int64_t from = now - history.Span();
    const std::int64_t gap = TraceGap(history.Span(), slots);
    auto slotOf = [&](std::int64_t msecs) {
        const std::int64_t slot =
            (msecs - from) * slots / std::max<std::int64_t>(history.Span(), 1);
        return std::clamp<std::int64_t>(slot, 0, slots - 1);
    };
    auto emit = [&](const TracePoint &point) {
        const bool cut = trace.points.empty() ||
                         std::abs(point.value - trace.points.back().value) > 180.0 ||
                         point.msecs - trace.points.back().msecs > gap;
        if (cut)
            trace.starts.push_back(trace.points.size());
        trace.points.push_back(point);
    };

    const std::size_t count = history.SpanCount();
    std::size_t i = 0;
    while (i < count && history.InSpan(i).msecs < from)
        ++i; // not yet expired from the span
    while (i < count) {
        const std::int64_t slot = slotOf(history.InSpan(i).msecs);
        TracePoint low{history.InSpan(i).msecs, AxisValue(history.InSpan(i).heading, centre)};
        TracePoint high = low;
        for (++i; i < count && slotOf(history.InSpan(i).msecs) == slot; ++i) {
            const TracePoint point{history.InSpan(i).msecs,
                                   AxisValue(history.InSpan(i).heading, centre)};
            if (point.value < low.value)
                low = point;
            if (point.value > high.value)
                high = point;
        }
        // Drawn in the order they came.
        const TracePoint &first = low.msecs <= high.msecs ? low : high;
        const TracePoint &second = low.msecs <= high.msecs ? high : low;
        emit(first);
        if (second.msecs != first.msecs || second.value != first.value)
            emit(second);
    }
    return trace;
}

} // namespace headinglog
