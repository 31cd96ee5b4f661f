// A terminal as a driver keeps it, for the termios device's tests of what a
// pseudo-terminal cannot reach: received bytes, a transmit queue that drains at the
// line's rate as the test steps the clock, modem lines with their event counters, and a
// line-change wait that, like the kernel's, returns when the counters differ from those
// it saw on entry. Its clock moves only when the test steps it.
#pragma once

#include "serial/posix/PosixTerminal.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace serial::testing {

class FakeTerminal : public std::enable_shared_from_this<FakeTerminal> {
public:
    struct Abilities {
        bool modemLines = true; // TIOCMGET and friends work
        bool counters = true;   // TIOCGICOUNT works
        bool notifies = true;   // TIOCMIWAIT works
    };
    explicit FakeTerminal(Abilities abilities);
    ~FakeTerminal();
    FakeTerminal(const FakeTerminal &) = delete;
    FakeTerminal &operator=(const FakeTerminal &) = delete;

    // The terminal to hand to the device; it shares this state.
    std::unique_ptr<PosixTerminal> Handle();

    // ---- The test's side ----
    // Moves the clock on; the line sends what its rate allows meanwhile.
    void Advance(std::chrono::milliseconds step);
    void Feed(const std::string &bytes);
    // An input line (MS_CTS_ON, MS_DSR_ON, MS_RING_ON, MS_RLSD_ON) changes level.
    void SetLine(std::uint32_t line, bool on);
    // Two quick changes: the line ends where it was, its counter moves by two.
    void Pulse(std::uint32_t line);
    // A change that falls between the watcher's waits: counted, but wakes no one.
    void ChangeUnnoticed(std::uint32_t line, bool on);
    // Output held by the line (a received XOFF, or CTS under the driver's own flow
    // control): the transmit queue does not drain.
    void HoldOutput(bool held);
    bool RTS() const;
    bool DTR() const;
    std::size_t Sent() const;     // bytes that have left the line
    std::uint32_t Queued() const; // bytes the driver still holds to send
    // Waits until the device's threads are asleep with nothing to do: the I/O thread in
    // its wait, not woken, and the watcher in the line-change wait. A driver that cannot
    // notify refuses that wait at the first of these calls, and the I/O thread has then
    // taken the watcher's news before this returns.
    bool AwaitIdle();

private:
    class Terminal;
    friend class Terminal;
    void Kick(); // makes the I/O thread's wait look again (mutex_ held)
    void Changed(std::uint32_t line, int count, bool noticed);
    short Readiness(short events) const;

    const Abilities abilities_;
    mutable std::mutex mutex_;
    DeviceTime now_ = DeviceTime{} + std::chrono::hours(1);
    std::deque<std::uint8_t> input_;
    std::uint32_t queued_ = 0;
    std::size_t sent_ = 0;
    bool outputHeld_ = false;
    std::uint32_t rate_ = 9600;
    std::uint32_t lines_ = 0;
    bool rts_ = false, dtr_ = false;
    LineCounters counters_;
    LineCounters entry_; // what the line-change wait saw on entry
    std::condition_variable ioChanged_;
    bool ioAsleep_ = false, ioKicked_ = false, woken_ = false;
    int wakes_ = 0;
    int lineKickFd_;
    bool lineWaiting_ = false;
    bool refuseLineWait_ = false, lineWaitRefused_ = false;
    int wakesAtRefusal_ = 0;
};

} // namespace serial::testing
