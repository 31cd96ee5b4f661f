#include "headinglog/HeadingHistory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace headinglog {
namespace {

std::vector<int> HeadingsInSpan(const HeadingHistory &history) {
    std::vector<int> headings;
    for (std::size_t i = 0; i < history.SpanCount(); ++i)
        headings.push_back(history.InSpan(i).heading);
    return headings;
}

// One step done to a history of capacity 3 and span 1000 ms.
struct Step {
    enum Kind { Add, Expire, SetSpan } kind;
    std::int64_t time;
    int value = 0; // the heading, or the span for SetSpan
};

struct Case {
    std::string name;
    std::vector<Step> steps;
    std::vector<int> inSpan; // the headings the span holds at the end, oldest first
    std::size_t kept;        // readings in the ring
};

TEST(HeadingHistory, RingSpanAndCounts) {
    const Case cases[] = {
        {"full ring drops the oldest",
         {{Step::Add, 0, 10}, {Step::Add, 1, 20}, {Step::Add, 2, 30}, {Step::Add, 3, 40}},
         {20, 30, 40},
         3},
        {"old readings leave the span but stay in the ring",
         {{Step::Add, 0, 10}, {Step::Add, 500, 20}, {Step::Add, 1500, 30}, {Step::Expire, 1600}},
         {30},
         3},
        {"a reading out of the span pushed out of the ring is not uncounted twice",
         {{Step::Add, 0, 10},
          {Step::Add, 5000, 20},
          {Step::Expire, 5000},
          {Step::Add, 5001, 30},
          {Step::Add, 5002, 40}},
         {20, 30, 40},
         3},
        {"a longer span takes back what the ring still holds",
         {{Step::Add, 0, 10},
          {Step::Add, 3000, 20},
          {Step::Expire, 3000},
          {Step::SetSpan, 3000, 5000}},
         {10, 20},
         2},
        {"a shorter span lets the older go",
         {{Step::Add, 0, 10}, {Step::Add, 900, 20}, {Step::SetSpan, 1000, 500}},
         {20},
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HeadingHistory history(3, 1000);
        for (const Step &step : c.steps) {
            if (step.kind == Step::Add)
                history.Add(step.time, step.value);
            else if (step.kind == Step::Expire)
                history.Expire(step.time);
            else
                history.SetSpan(step.value, step.time);
        }
        EXPECT_EQ(HeadingsInSpan(history), c.inSpan);
        EXPECT_EQ(history.Size(), c.kept);
        // The counts behind the statistics follow the span exactly.
        std::vector<double> expected(c.inSpan.begin(), c.inSpan.end());
        const CircularStats stats = history.Stats();
        const CircularStats direct = CircularStatistics(expected);
        EXPECT_EQ(stats.count, c.inSpan.size());
        ASSERT_EQ(stats.mean.has_value(), direct.mean.has_value());
        if (direct.mean) {
            EXPECT_NEAR(*stats.mean, *direct.mean, 1e-9);
        }
    }
}

TEST(HeadingHistory, StaysWithinItsCapacityOverADay) {
    HeadingHistory history(HeadingHistory::kCapacity, HeadingHistory::kLongestSpan);
    const std::int64_t day = 24LL * 60 * 60 * 1000;
    std::int64_t t = 0;
    for (; t < day; t += 200) { // a day at five readings a second
        history.Add(t, static_cast<int>(t / 500 % 360));
        history.Expire(t);
    }
    EXPECT_EQ(history.Capacity(), HeadingHistory::kCapacity);
    EXPECT_EQ(history.Size(), HeadingHistory::kCapacity);
    // The span holds exactly the last hour: 18000 readings at 200 ms.
    EXPECT_EQ(history.SpanCount(),
              static_cast<std::size_t>(HeadingHistory::kLongestSpan / 200) + 1);
    EXPECT_EQ(history.Stats().count, history.SpanCount());
    EXPECT_EQ(history.InSpan(history.SpanCount() - 1).msecs, t - 200);
}

} // namespace
} // namespace headinglog
