// The simulated module's sense of time: the steady clock in the program, a clock that
// tests move by hand so that what the module does depends on steps, not on waiting.
#pragma once

#include "serial/SimulatedLine.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

namespace sim {

class ModuleClock {
public:
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~ModuleClock() = default;
    virtual time_point Now() const = 0;
    // Sleeps until the line's activity counter differs from seen, the clock reaches
    // deadline, or Wake() is called, and never longer than `longest` of real time (the
    // module then looks at its stop flag). Returns the line's activity counter.
    virtual std::uint64_t Sleep(serial::VirtualSerialLine &line, std::uint64_t seen,
                                time_point deadline, std::chrono::milliseconds longest) = 0;
    // Ends the current or, if there is none, the next Sleep early, where the clock can (the
    // steady clock cannot).
    virtual void Wake() = 0;
};

// Real time.
std::shared_ptr<ModuleClock> SteadyClock();

// Time that stands still until the owner advances it. Thread-safe.
class ManualClock : public ModuleClock {
public:
    time_point Now() const override;
    std::uint64_t Sleep(serial::VirtualSerialLine &line, std::uint64_t seen, time_point deadline,
                        std::chrono::milliseconds longest) override;
    void Wake() override;

    // Moves the clock forward (never back) and wakes a sleeper.
    void Advance(std::chrono::milliseconds by);
    void AdvanceTo(time_point when);
    // Time since the clock was made.
    std::chrono::milliseconds Elapsed() const;

private:
    mutable std::mutex mutex_;
    const time_point start_{};
    time_point now_ = start_;
    std::uint64_t generation_ = 0; // grows at every advance and wake
    std::uint64_t sleeperSaw_ = 0; // the generation the last sleep returned at
    // The line the sleeper waits on, woken at each advance so that it need not wait for
    // the end of its slice.
    std::optional<serial::VirtualSerialLine> sleeperLine_;
};

} // namespace sim
