#include "headinglog/HeadingHistory.h"

#include "compass/Angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace headinglog {

namespace {

// Cosine and sine of each whole degree, made once.
struct UnitCircle {
    std::array<double, 360> cos{}, sin{};
    UnitCircle() {
        for (int d = 0; d < 360; ++d) {
            cos[d] = std::cos(d * std::numbers::pi / 180.0);
            sin[d] = std::sin(d * std::numbers::pi / 180.0);
        }
    }
};
const UnitCircle &Circle() {
    static const UnitCircle circle;
    return circle;
}

} // namespace

HeadingHistory::HeadingHistory(std::size_t capacity, std::int64_t spanMsecs)
    : ring_(std::max<std::size_t>(capacity, 1)),
      span_(std::clamp<std::int64_t>(spanMsecs, 1, kLongestSpan)) {}

const HeadingSample &HeadingHistory::Kept(std::size_t index) const {
    return ring_[(first_ + index) % ring_.size()];
}

const HeadingSample &HeadingHistory::InSpan(std::size_t index) const {
    return Kept(size_ - spanCount_ + index);
}

void HeadingHistory::Count(int heading, int by) {
    perDegree_[static_cast<std::size_t>(heading)] += static_cast<std::uint32_t>(by);
}

void HeadingHistory::Add(std::int64_t msecs, int heading) {
    heading = compass::Reduce360(heading);
    msecs = std::max(msecs, newest_);
    newest_ = msecs;
    if (size_ == ring_.size()) {
        if (spanCount_ == size_) { // the reading that makes room was in the span
            Count(Kept(0).heading, -1);
            --spanCount_;
        }
        first_ = (first_ + 1) % ring_.size();
        --size_;
    }
    ring_[(first_ + size_) % ring_.size()] = {msecs, heading};
    ++size_;
    ++spanCount_;
    Count(heading, +1);
}

void HeadingHistory::Expire(std::int64_t now) {
    const std::int64_t from = now - span_;
    while (spanCount_ > 0 && InSpan(0).msecs < from) {
        Count(InSpan(0).heading, -1);
        --spanCount_;
    }
}

void HeadingHistory::SetSpan(std::int64_t spanMsecs, std::int64_t now) {
    span_ = std::clamp<std::int64_t>(spanMsecs, 1, kLongestSpan);
    perDegree_.fill(0);
    spanCount_ = 0;
    const std::int64_t from = now - span_;
    // The span is the newest readings: count back from the newest while they are recent.
    while (spanCount_ < size_ && Kept(size_ - spanCount_ - 1).msecs >= from) {
        Count(Kept(size_ - spanCount_ - 1).heading, +1);
        ++spanCount_;
    }
}

void HeadingHistory::Clear() {
    first_ = size_ = spanCount_ = 0;
    newest_ = INT64_MIN;
    perDegree_.fill(0);
}

CircularStats HeadingHistory::Stats() const {
    const UnitCircle &circle = Circle();
    double sumCos = 0, sumSin = 0;
    for (std::size_t d = 0; d < 360; ++d) {
        if (perDegree_[d] != 0) {
            sumCos += perDegree_[d] * circle.cos[d];
            sumSin += perDegree_[d] * circle.sin[d];
        }
    }
    return SummarizeCircular(sumCos, sumSin, spanCount_);
}

} // namespace headinglog
