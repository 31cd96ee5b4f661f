// The headings behind the strip chart: a ring of fixed size (its memory is taken once and
// stays flat however long the program runs), the part of it inside the shown span, and a
// count per degree of that part, so that the statistics over the span cost the same at
// 10 readings as at 36000 and a new reading costs a few additions.
#pragma once

#include "headinglog/CircularStats.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace headinglog {

struct HeadingSample {
    std::int64_t msecs = 0; // UTC, milliseconds since 1970
    int heading = 0;        // 0..359
};

class HeadingHistory {
public:
    // Sixty minutes at ten readings a second, twice the simulated module's rate.
    static constexpr std::size_t kCapacity = 60 * 60 * 10;
    static constexpr std::int64_t kLongestSpan = 60 * 60 * 1000;

    explicit HeadingHistory(std::size_t capacity = kCapacity, std::int64_t spanMsecs = 60 * 1000);

    // A new reading, the newest of all (a time before the newest one counts as the newest).
    // When the ring is full the oldest reading makes room.
    void Add(std::int64_t msecs, int heading);
    // The readings older than `now` less the span leave the span (not the ring).
    void Expire(std::int64_t now);
    // Another span: the span holds again every kept reading from `now` less the span on.
    void SetSpan(std::int64_t spanMsecs, std::int64_t now);
    void Clear();

    std::int64_t Span() const { return span_; }
    std::size_t Capacity() const { return ring_.size(); }
    std::size_t Size() const { return size_; }
    // The readings in the span, oldest first: InSpan(0) .. InSpan(SpanCount() - 1).
    std::size_t SpanCount() const { return spanCount_; }
    const HeadingSample &InSpan(std::size_t index) const;

    CircularStats Stats() const;

private:
    const HeadingSample &Kept(std::size_t index) const; // 0: the oldest kept
    void Count(int heading, int by);

    std::vector<HeadingSample> ring_;
    std::size_t first_ = 0; // index in ring_ of the oldest kept reading
    std::size_t size_ = 0;
    std::size_t spanCount_ = 0; // the newest spanCount_ readings are in the span
    std::int64_t span_;
    std::int64_t newest_ = INT64_MIN;
    std::array<std::uint32_t, 360> perDegree_{};
};

} // namespace headinglog
