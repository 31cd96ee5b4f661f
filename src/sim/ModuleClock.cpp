#include "sim/ModuleClock.h"

#include <algorithm>

namespace sim {

namespace {

class Steady : public ModuleClock {
public:
    time_point Now() const override { return std::chrono::steady_clock::now(); }
    std::uint64_t Sleep(serial::VirtualSerialLine &line, std::uint64_t seen, time_point deadline,
                        std::chrono::milliseconds longest) override {
        const time_point now = Now();
        const auto wait =
            deadline > now + longest
                ? longest
                : std::max(std::chrono::ceil<std::chrono::milliseconds>(deadline - now),
                           std::chrono::milliseconds(0));
        return line.WaitForActivity(seen, wait);
    }
    void Wake() override {}
};

// How often a sleeper on the manual clock looks at it while the line is quiet. An advance or
// a wake ends its wait on the line at once; the slice only catches one that came between
// its look at the clock and the start of that wait.
constexpr std::chrono::milliseconds kManualSlice{1};

} // namespace

std::shared_ptr<ModuleClock> SteadyClock() { return std::make_shared<Steady>(); }

ManualClock::time_point ManualClock::Now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

std::uint64_t ManualClock::Sleep(serial::VirtualSerialLine &line, std::uint64_t seen,
                                 time_point deadline, std::chrono::milliseconds longest) {
    const auto giveUp = std::chrono::steady_clock::now() + longest;
    for (;;) {
        {
            // An advance or a wake since the last sleep ended it ends this one.
            std::lock_guard lock(mutex_);
            if (now_ >= deadline || generation_ != sleeperSaw_) {
                sleeperSaw_ = generation_;
                return line.Activity();
            }
            if (!sleeperLine_)
                sleeperLine_ = line;
        }
        const std::uint64_t activity = line.WaitForActivity(seen, kManualSlice);
        if (activity != seen || std::chrono::steady_clock::now() >= giveUp)
            return activity;
    }
}

void ManualClock::Wake() {
    std::optional<serial::VirtualSerialLine> sleeper;
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        sleeper = sleeperLine_;
    }
    if (sleeper)
        sleeper->WakeModule();
}

void ManualClock::Advance(std::chrono::milliseconds by) { AdvanceTo(Now() + by); }

void ManualClock::AdvanceTo(time_point when) {
    {
        std::lock_guard lock(mutex_);
        now_ = std::max(now_, when);
    }
    Wake();
}

std::chrono::milliseconds ManualClock::Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Now() - start_);
}

} // namespace sim
