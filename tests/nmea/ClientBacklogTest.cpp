// A client's backlog judged from what the system tells of its connection, one reading every
// 200 ms: a client that keeps reading is never dropped, whatever its window does; one that
// stops is dropped once what it left unread is as old as allowed, and not before.
#include "nmea/ClientBacklog.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace nmea::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kPeriod = 200ms, kMaxAge = 5000ms;
constexpr std::int64_t kReading = 100, kSegment = 1448, kStep = 128, kWindow = 65536;
constexpr int kStall = 10; // the first reading a stalled client leaves unread
constexpr int kMaxAgeSteps = kMaxAge / kPeriod;
// The readings a window's estimate may lag by: what it allows for a reader's jitter.
constexpr int kMarginSteps = (2 * kSegment + kStep + kReading) / kReading + 1;

// What a client that stopped reading at kStall has received and not read, `step` readings on.
std::int64_t Stalled(int step) { return step > kStall ? (step - kStall) * kReading : 0; }

ConnectionSample Exact(std::int64_t unread) { return {0, unread, std::nullopt, 0, 1}; }
ConnectionSample Window(std::int64_t window) { return {0, std::nullopt, window, kSegment, kStep}; }

struct Case {
    std::string name;
    // The connection's state before reading `step` is handed over.
    std::function<ConnectionSample(int step)> connection;
    // The step whose check drops the client, as a range; none when it must be kept.
    std::optional<std::pair<int, int>> dropped;
};

TEST(ClientBacklog, AReaderIsKeptAndAStalledClientDroppedOnceItsOldestUnreadReadingIsTooOld) {
    const int exactDrop = kStall + kMaxAgeSteps;
    const int grownAt = kStall + 40; // a stalled client's window widens until then
    const Case cases[] = {
        {"reader on this machine, a reading behind",
         [](int step) { return Exact(step > 0 ? kReading : 0); }, std::nullopt},
        {"stalled client on this machine", [](int step) { return Exact(Stalled(step)); },
         std::pair{exactDrop, exactDrop}},
        {"reader whose window stays up to two segments, a rounding step and a reading short",
         [](int step) {
             return Window(step == 0 ? kWindow
                                     : kWindow - 2 * kSegment - (step % 2) * (kStep / 2) -
                                           (step % 3) * (kReading / 2));
         },
         std::nullopt},
        {"stalled client whose buffer stopped growing",
         [](int step) { return Window(kWindow - Stalled(step)); },
         std::pair{exactDrop, exactDrop + kMarginSteps}},
        {"stalled client whose window first widens as its buffer grows",
         [grownAt](int step) {
             const int growing = std::min(step, grownAt);
             return Window(kWindow + growing * 1024 - Stalled(step) + Stalled(growing));
         },
         std::pair{exactDrop, grownAt + kMaxAgeSteps + kMarginSteps}},
        {"no window from the system, what it did not take waiting here",
         [](int step) {
             return ConnectionSample{Stalled(step), std::nullopt, std::nullopt, 0, 1};
         },
         std::pair{exactDrop, exactDrop}},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        ClientBacklog backlog;
        const ClientBacklog::Clock::time_point start{};
        std::optional<int> dropped;
        for (int step = 0; step < 400 && !dropped; ++step) {
            const auto now = start + step * kPeriod;
            if (backlog.OldestUnread(test.connection(step), now) >= kMaxAge)
                dropped = step;
            else
                backlog.Handed(kReading, now);
        }
        EXPECT_EQ(dropped.has_value(), test.dropped.has_value()) << dropped.value_or(-1);
        if (dropped && test.dropped) {
            EXPECT_GE(*dropped, test.dropped->first);
            EXPECT_LE(*dropped, test.dropped->second);
        }
    }
}

} // namespace
} // namespace nmea::testing
