// The time-out rules every back end uses, on a stepped clock: when a read of ten bytes
// ends, for each kind of time-out record, and what a write may take.
#include "serial/port/CommTimeouts.h"

#include <gtest/gtest.h>

#include <vector>

namespace serial {
namespace {

using std::chrono::milliseconds;

struct Arrival {
    int atMs;
    std::uint32_t bytes;
};

struct ReadCase {
    const char *name;
    TCommTimeouts timeouts;
    std::uint32_t waiting;         // bytes already there when the read starts
    std::vector<Arrival> arrivals; // bytes that come later
    int endsAtMs;                  // -1: time alone never ends it
    std::uint32_t got;
};

// Plays a read of ten bytes through the arrivals; the moment it ends and what it holds.
std::pair<int, std::uint32_t> Play(const ReadCase &c) {
    const DeviceTime start{};
    ReadProgress read(c.timeouts, 10, start);
    read.Took(std::min<std::uint32_t>(c.waiting, 10), start);
    if (read.Finished(start, true))
        return {0, read.Got()};
    for (const Arrival &arrival : c.arrivals) {
        const DeviceTime at = start + milliseconds(arrival.atMs);
        if (read.Deadline() <= at)
            break;
        EXPECT_FALSE(read.Finished(at - milliseconds(1), false));
        read.Took(std::min(arrival.bytes, 10 - read.Got()), at);
        if (read.Finished(at, false))
            return {arrival.atMs, read.Got()};
    }
    if (read.Deadline() == kNever)
        return {-1, read.Got()};
    EXPECT_FALSE(read.Finished(read.Deadline() - milliseconds(1), false));
    EXPECT_TRUE(read.Finished(read.Deadline(), false));
    return {static_cast<int>((read.Deadline() - start) / milliseconds(1)), read.Got()};
}

TEST(CommTimeouts, WhenAReadEnds) {
    const std::uint32_t M = MAXDWORD;
    const ReadCase cases[] = {
        {"return at once with what waits", {M, 0, 0}, 3, {{5, 4}}, 0, 3},
        {"return at once with nothing", {M, 0, 0}, 0, {{5, 4}}, 0, 0},
        {"first byte, constant 0: at once", {M, M, 0}, 0, {{5, 4}}, 0, 0},
        {"first byte ends the wait", {M, M, 100}, 0, {{40, 2}, {60, 8}}, 40, 2},
        {"first byte, bytes waiting", {M, M, 100}, 3, {}, 0, 3},
        {"first byte never comes", {M, M, 100}, 0, {}, 100, 0},
        {"bytes waiting end it at once", {M, 10, 100}, 3, {}, 0, 3},
        {"nothing waiting: the total limit", {M, 10, 100}, 0, {{40, 2}}, 200, 2},
        {"nothing waiting: all of it", {M, 10, 100}, 0, {{40, 4}, {50, 6}}, 50, 10},
        {"no limit at all", {M, 5, M}, 0, {{40, 4}}, -1, 4},
        {"no time-outs: only the count", {0, 0, 0}, 2, {{40, 4}, {900, 4}}, 900, 10},
        {"total limit", {0, 10, 50}, 0, {{40, 4}}, 150, 4},
        {"total limit: the constant alone", {0, 0, 50}, 0, {{40, 4}}, 50, 4},
        {"total limit: the multiplier alone", {0, 10, 0}, 0, {{40, 4}}, 100, 4},
        {"interval runs from each byte", {20, 0, 0}, 0, {{5, 1}, {20, 1}, {100, 1}}, 40, 2},
        {"no byte, no interval limit", {20, 0, 0}, 0, {}, -1, 0},
        {"interval before the total", {20, 10, 500}, 0, {{30, 2}}, 50, 2},
        {"total before the interval", {20, 1, 35}, 0, {{30, 2}}, 45, 2},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        const auto [endsAt, got] = Play(c);
        EXPECT_EQ(endsAt, c.endsAtMs);
        EXPECT_EQ(got, c.got);
    }
}

TEST(CommTimeouts, RefusedRecordsAndWriteLimits) {
    const std::uint32_t M = MAXDWORD;
    EXPECT_FALSE(TimeoutsAccepted({M, M, M, 0, 0}));
    for (const TCommTimeouts accepted :
         {TCommTimeouts{M, M, M - 1, 0, 0}, {M, 0, M, 0, 0}, {0, M, M, M, M}, {M, 0, 0, 100, 1000}})
        EXPECT_TRUE(TimeoutsAccepted(accepted));

    EXPECT_FALSE(PlanWrite({M, 0, 0, 0, 0}, 5));
    EXPECT_EQ(PlanWrite({M, 0, 0, 100, 1000}, 5), milliseconds(1500));
    EXPECT_EQ(PlanWrite({M, 0, 0, 0, 40}, 0), milliseconds(40));
    // The largest record neither wraps round nor overflows the clock: no limit at all.
    ReadProgress huge({0, M, M, 0, 0}, M, DeviceTime{});
    EXPECT_EQ(huge.Deadline(), kNever);
    EXPECT_GT(*PlanWrite({0, 0, 0, M, M}, M), milliseconds(0));
}

} // namespace
} // namespace serial
