#include "serial/port/CommTimeouts.h"

#include <algorithm>

namespace serial {

namespace {

// A limit beyond a century is no limit at all (and would overflow the clock).
constexpr std::chrono::milliseconds kLongest = std::chrono::hours(24 * 365 * 100);

std::chrono::milliseconds Span(std::uint32_t multiplier, std::uint32_t count,
                               std::uint32_t constant) {
    const std::uint64_t span = std::uint64_t{multiplier} * count + constant;
    const auto longest = static_cast<std::uint64_t>(kLongest.count()) + 1;
    return std::chrono::milliseconds(std::min(span, longest));
}

DeviceTime After(DeviceTime start, std::chrono::milliseconds span) {
    return span > kLongest ? kNever : start + span;
}

} // namespace

bool TimeoutsAccepted(const TCommTimeouts &t) {
    return !(t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
             t.ReadTotalTimeoutConstant == MAXDWORD);
}

ReadPlan PlanRead(const TCommTimeouts &t, std::uint32_t count) {
    ReadPlan plan;
    const std::uint32_t multiplier = t.ReadTotalTimeoutMultiplier;
    const std::uint32_t constant = t.ReadTotalTimeoutConstant;
    if (t.ReadIntervalTimeout == MAXDWORD) {
        if (multiplier == 0 && constant == 0) {
            plan.returnAtOnce = true;
        } else if (multiplier == MAXDWORD && constant != MAXDWORD) {
            plan.endOnFirstByte = true;
            plan.total = std::chrono::milliseconds(constant);
        } else if (multiplier != MAXDWORD && constant != MAXDWORD) {
            plan.endIfAnyWaiting = true;
            plan.total = Span(multiplier, count, constant);
        }
        return plan;
    }
    if (multiplier != 0 || constant != 0)
        plan.total = Span(multiplier, count, constant);
    if (t.ReadIntervalTimeout != 0)
        plan.interval = std::chrono::milliseconds(t.ReadIntervalTimeout);
    return plan;
}

std::optional<std::chrono::milliseconds> PlanWrite(const TCommTimeouts &t, std::uint32_t count) {
    if (t.WriteTotalTimeoutMultiplier == 0 && t.WriteTotalTimeoutConstant == 0)
        return std::nullopt;
    return Span(t.WriteTotalTimeoutMultiplier, count, t.WriteTotalTimeoutConstant);
}

ReadProgress::ReadProgress(const TCommTimeouts &timeouts, std::uint32_t count, DeviceTime start)
    : plan_(PlanRead(timeouts, count)), count_(count) {
    if (plan_.total)
        totalDeadline_ = After(start, *plan_.total);
}

void ReadProgress::Took(std::uint32_t bytes, DeviceTime now) {
    if (bytes == 0)
        return;
    got_ += bytes;
    if (plan_.interval)
        intervalDeadline_ = After(now, *plan_.interval);
}

bool ReadProgress::Finished(DeviceTime now, bool firstLook) const {
    return got_ >= count_ || plan_.returnAtOnce || (plan_.endOnFirstByte && got_ > 0) ||
           (plan_.endIfAnyWaiting && firstLook && got_ > 0) || now >= Deadline();
}

DeviceTime ReadProgress::Deadline() const { return std::min(totalDeadline_, intervalDeadline_); }

} // namespace serial
