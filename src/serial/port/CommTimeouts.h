// The read and write time-outs of the comm API, worked out in one place for every back
// end: which records are refused, when a read may end and when a write runs out of time.
#pragma once

#include "serial/port/SerialDevice.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace serial {

using DeviceClock = std::chrono::steady_clock;
using DeviceTime = DeviceClock::time_point;
constexpr DeviceTime kNever = DeviceTime::max();

// SetCommTimeouts refuses the one record that would wait for ever for a first byte
// (interval, multiplier and constant all MAXDWORD).
bool TimeoutsAccepted(const TCommTimeouts &timeouts);

// How a read of `count` bytes ends, from the record in force when the read starts:
// - interval MAXDWORD, totals 0: at once with what waits, even nothing;
// - interval MAXDWORD, multiplier MAXDWORD, constant below MAXDWORD: as soon as it has a
//   byte, or when the constant has passed (0: at once);
// - interval MAXDWORD, other totals below MAXDWORD: at once when bytes wait, otherwise
//   under the total limit;
// - otherwise: when all bytes have come, the total limit (multiplier x count + constant,
//   none when both are 0) or the interval limit (a pause after a byte; 0 none) passes.
struct ReadPlan {
    bool returnAtOnce = false;
    bool endOnFirstByte = false;
    bool endIfAnyWaiting = false;
    std::optional<std::chrono::milliseconds> total;
    std::optional<std::chrono::milliseconds> interval;
};
ReadPlan PlanRead(const TCommTimeouts &timeouts, std::uint32_t count);

// The time a write of `count` bytes may take (multiplier x count + constant); none when
// both are 0.
std::optional<std::chrono::milliseconds> PlanWrite(const TCommTimeouts &timeouts,
                                                   std::uint32_t count);

// One read from the moment it starts (the head of its device's queue) to its end.
class ReadProgress {
public:
    ReadProgress(const TCommTimeouts &timeouts, std::uint32_t count, DeviceTime start);

    std::uint32_t Got() const { return got_; }
    // Counts bytes the read has taken at `now`; they re-arm the interval limit.
    void Took(std::uint32_t bytes, DeviceTime now);
    // Whether the read is over at `now`. The first look is the one made at the start,
    // with the bytes that were already waiting.
    bool Finished(DeviceTime now, bool firstLook) const;
    // The next moment at which time alone may end the read (kNever when none).
    DeviceTime Deadline() const;

private:
    ReadPlan plan_;
    std::uint32_t count_;
    std::uint32_t got_ = 0;
    DeviceTime totalDeadline_ = kNever;
    DeviceTime intervalDeadline_ = kNever;
};

} // namespace serial
