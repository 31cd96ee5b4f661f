// The I/O thread of PosixSerialDevice and the transfer and event bookkeeping it shares
// with the comm calls. Everything here runs with the device's mutex held.
#include "serial/port/LineControl.h"
#include "serial/posix/PosixLineSettings.h"
#include "serial/posix/PosixSerialDevice.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace serial {

namespace {

constexpr std::uint32_t kLineEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;
constexpr std::uint32_t kErrorEvents = EV_ERR | EV_BREAK;
constexpr std::chrono::milliseconds kSafetyCheck{250}; // TIOCMIWAIT can miss a change
constexpr std::chrono::milliseconds kLinePoll{100};    // the driver cannot notify at all
// Output that does not drain (held by XOFF or CTS) is looked at less and less often, at
// last no more often than the modem lines' safety check.
constexpr std::chrono::milliseconds kLongestDrainWait = kSafetyCheck;

} // namespace

void PosixSerialDevice::IoLoop() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        // A lost device is no longer watched: it would report itself ready for ever.
        std::optional<short> events;
        ioWatchesInput_ = false;
        if (!lost_) {
            events = 0;
            if (rx_.size() < rxCapacity_ && InputWanted())
                *events |= POLLIN;
            ioWatchesInput_ = *events & POLLIN;
            if (!writes_.empty() && writes_.front().accepted < writes_.front().count &&
                !OutputHeld())
                *events |= POLLOUT;
        }
        const DeviceTime until = NextDeadline();
        lock.unlock();
        const PosixTerminal::Ready ready = terminal_->Wait(events, until);
        lock.lock();
        ++wakeups_;
        TakeWatcherNews();
        if (events && !lost_) {
            if (ready.terminal & (POLLIN | POLLHUP | POLLERR))
                PullFromDevice(); // a hang-up reads as 0 bytes or EIO
            if (ready.terminal & (POLLHUP | POLLERR | POLLNVAL))
                DeviceLost();
        }
        Service(terminal_->Now());
    }
}

void PosixSerialDevice::TakeWatcherNews() {
    const int news = watcherNews_.exchange(0);
    if (news & kWatcherLost)
        DeviceLost();
    if (news & kCannotNotify) {
        watcherNotifies_ = false;
        nextLineCheck_ = kNever; // re-armed at the shorter period of a plain poll
    }
    if (news & kLinesChanged)
        CheckLines();
}

// Everything that time or new room can move on: counters, writes, reads, line checks.
void PosixSerialDevice::Service(DeviceTime now) {
    if (hasCounters_ && !lost_)
        CheckLines(); // an overrun alone wakes nothing, so look at each wake
    if (!writes_.empty() && now >= writes_.front().deadline)
        TimeOutWrite(now);
    PushWrites(now);
    ServeReads(now);
    if (ModemTimerWanted()) {
        if (nextLineCheck_ == kNever)
            nextLineCheck_ = now + (watcherNotifies_ ? kSafetyCheck : kLinePoll);
        else if (now >= nextLineCheck_) {
            CheckLines();
            nextLineCheck_ = now + (watcherNotifies_ ? kSafetyCheck : kLinePoll);
        }
    } else {
        nextLineCheck_ = kNever;
    }
}

DeviceTime PosixSerialDevice::NextDeadline() const {
    DeviceTime next = std::min(nextLineCheck_, reads_.Deadline());
    if (!writes_.empty())
        next = std::min({next, writes_.front().deadline, writes_.front().drainCheck});
    return next;
}

// The lines are checked on their own schedule while events of theirs are asked for,
// whether or not an event wait is pending: under continuous input every wait completes
// at once with the received bytes, and a check armed only while one is pending would
// never come due.
bool PosixSerialDevice::ModemTimerWanted() const {
    if (lost_ || !(hasModemLines_ || hasCounters_))
        return false;
    const bool waitsForLines = mask_ & (kLineEvents | kErrorEvents);
    const bool flowOnLines = dcb_.Flags & (fOutxCtsFlow | fOutxDsrFlow | fDsrSensitivity);
    return waitsForLines || flowOnLines;
}

// ---- Reception ---------------------------------------------------------------------------

// Whether the I/O thread takes received bytes in as they come: for a pending read, a
// pending event wait that no waiting thread watches itself, and where the moment of
// arrival counts (the input handshake, DSR sensitivity). Otherwise they wait in the
// driver until a call takes them (a read, the input count, an event wait).
bool PosixSerialDevice::InputWanted() const {
    const bool emulatedHandshake =
        DtrControlOf(dcb_) == DTR_CONTROL_HANDSHAKE ||
        (RtsControlOf(dcb_) == RTS_CONTROL_HANDSHAKE && !UsesKernelRtsCts(dcb_));
    return !reads_.Empty() || (wait_ && pumpers_ == 0) || emulatedHandshake ||
           (dcb_.Flags & fDsrSensitivity);
}

// The bytes the driver holds, into the ring and on to the pending reads.
void PosixSerialDevice::TakeInput() {
    PullFromDevice();
    ServeReads(terminal_->Now());
}

void PosixSerialDevice::PullFromDevice() {
    std::uint8_t raw[4096];
    while (!lost_ && rx_.size() < rxCapacity_) {
        // Marks only ever shrink the stream, so this many raw bytes always fit.
        const std::size_t room = std::min(sizeof raw, rxCapacity_ - rx_.size());
        const long got = terminal_->Read(raw, room);
        if (got > 0) {
            Receive(raw, static_cast<std::size_t>(got));
            if (static_cast<std::size_t>(got) < room)
                break;
        } else if (got == -EINTR) {
            continue;
        } else if (got == -EAGAIN) {
            break;
        } else {
            DeviceLost(); // 0 bytes with VMIN 1 is a hang-up; EIO a vanished device
        }
    }
}

void PosixSerialDevice::Receive(const std::uint8_t *raw, std::size_t count) {
    if ((dcb_.Flags & fDsrSensitivity) && hasModemLines_) {
        std::uint32_t status = 0;
        if (terminal_->ModemStatus(status) == 0)
            modemStatus_ = status;
    }
    const bool dropAll =
        (dcb_.Flags & fDsrSensitivity) && hasModemLines_ && !(modemStatus_ & MS_DSR_ON);
    const std::size_t before = rx_.size();
    std::uint32_t events = 0;
    marks_.Feed(raw, count, [&](std::uint8_t byte, bool errored) {
        if (errored && byte == 0) { // a break: an event, not data
            events |= EV_BREAK;
            if (!hasCounters_)
                latchedErrors_ |= CE_BREAK;
            return;
        }
        if (errored) {
            events |= EV_ERR;
            if (!hasCounters_)
                latchedErrors_ |= CE_RXPARITY;
            if (dcb_.Flags & fErrorChar)
                byte = static_cast<std::uint8_t>(dcb_.ErrorChar);
        }
        if (dropAll || (byte == 0 && (dcb_.Flags & fNull)))
            return;
        if (byte == static_cast<std::uint8_t>(dcb_.EvtChar))
            events |= EV_RXFLAG;
        rx_.push_back(byte);
    });
    if (rx_.size() > before)
        events |= EV_RXCHAR;
    if (ReachedNearlyFull(before, rx_.size(), rxCapacity_))
        events |= EV_RX80FULL;
    Record(events);
    UpdateInputThrottle();
}

void PosixSerialDevice::Record(std::uint32_t events) {
    // fAbortOnError: a line error ends every transfer until ClearCommError.
    if ((events & kErrorEvents) && (dcb_.Flags & fAbortOnError) && !lost_) {
        abortedByError_ = true;
        reads_.Abort(ERROR_OPERATION_ABORTED);
        AbortWrites(ERROR_OPERATION_ABORTED);
    }
    occurred_ |= events & mask_;
    if (wait_ && occurred_) {
        *wait_->mask = occurred_;
        occurred_ = 0;
        CompleteOverlapped(*wait_->overlapped, 0, 0);
        wait_.reset();
    }
}

// The input handshake the kernel cannot do (DTR, or RTS without CTS output flow) is
// emulated on the receive ring.
void PosixSerialDevice::UpdateInputThrottle() {
    const bool dtrHandshake = DtrControlOf(dcb_) == DTR_CONTROL_HANDSHAKE;
    const bool rtsHandshake =
        RtsControlOf(dcb_) == RTS_CONTROL_HANDSHAKE && !UsesKernelRtsCts(dcb_);
    if (lost_ || !hasModemLines_ || !(dtrHandshake || rtsHandshake))
        return;
    const bool throttle = InputHeld(inputThrottled_, rx_.size(), rxCapacity_, dcb_);
    if (throttle == inputThrottled_)
        return;
    inputThrottled_ = throttle;
    if (dtrHandshake)
        terminal_->SetOutputLine(OutputLine::DTR, !throttle);
    if (rtsHandshake)
        terminal_->SetOutputLine(OutputLine::RTS, !throttle);
}

void PosixSerialDevice::ServeReads(DeviceTime now) {
    if (reads_.Serve(rx_, timeouts_, now) || inputThrottled_)
        UpdateInputThrottle();
}

// ---- Writes ------------------------------------------------------------------------------

void PosixSerialDevice::StartWrite(WriteOp &op, DeviceTime now) {
    op.started = true;
    if (const auto limit = PlanWrite(timeouts_, op.count))
        op.deadline = now + *limit;
    if (RtsControlOf(dcb_) == RTS_CONTROL_TOGGLE && hasModemLines_)
        terminal_->SetOutputLine(OutputLine::RTS, true);
}

// Hands the head write to the driver as far as it takes it; a write is complete when all
// of it has left the driver.
void PosixSerialDevice::PushWrites(DeviceTime now) {
    while (!writes_.empty() && !lost_) {
        WriteOp &op = writes_.front();
        if (!op.started)
            StartWrite(op, now);
        while (op.accepted < op.count && !OutputHeld()) {
            const long put = terminal_->Write(op.data + op.accepted, op.count - op.accepted);
            if (put > 0) {
                op.accepted += static_cast<std::uint32_t>(put);
                outputSent_ = true;
            } else if (put == -EINTR) {
                continue;
            } else if (put == -EAGAIN || put == 0) {
                break;
            } else {
                DeviceLost();
                return;
            }
        }
        if (op.accepted < op.count || AwaitDrain(op, now))
            return; // waits for room (POLLOUT), the lines to allow output, or the drain
        FinishWrite(0, op.count);
    }
}

// True while the driver still holds bytes of the write. They are looked at again at the
// predicted drain time; when nothing has left by then (the output is held), the wait
// doubles up to kLongestDrainWait, so a held port sleeps as an idle one does.
bool PosixSerialDevice::AwaitDrain(WriteOp &op, DeviceTime now) {
    const std::uint32_t unsent = DriverOutputQueue();
    if (unsent == 0)
        return false;
    if (unsent < op.unsent) {
        op.drainWait = DrainTime(unsent);
        op.drainCheck = now + op.drainWait;
    } else if (now >= op.drainCheck) {
        op.drainWait = std::min<DeviceClock::duration>(op.drainWait * 2, kLongestDrainWait);
        op.drainCheck = now + op.drainWait;
    }
    op.unsent = unsent;
    return true;
}

// The write time-out: what the driver still holds was not sent and never will be.
void PosixSerialDevice::TimeOutWrite(DeviceTime now) {
    WriteOp &op = writes_.front();
    const std::uint32_t unsent = std::min(DriverOutputQueue(), op.accepted);
    terminal_->Flush(false, true);
    FinishWrite(0, op.accepted - unsent);
    PushWrites(now);
}

void PosixSerialDevice::FinishWrite(int error, std::uint32_t transferred) {
    CompleteOverlapped(*writes_.front().overlapped, error, transferred);
    writes_.pop_front();
    if (writes_.empty()) {
        if (RtsControlOf(dcb_) == RTS_CONTROL_TOGGLE && hasModemLines_)
            terminal_->SetOutputLine(OutputLine::RTS, false);
        if (!error)
            Record(EV_TXEMPTY);
    }
}

void PosixSerialDevice::AbortWrites(int error) {
    for (auto &op : writes_)
        CompleteOverlapped(*op.overlapped, error, op.accepted);
    writes_.clear();
}

// CTS or DSR output flow that the kernel cannot do holds our writes (bytes the driver
// already took may still go).
bool PosixSerialDevice::OutputHeld() const {
    if (!hasModemLines_)
        return false;
    const bool ctsFlow = (dcb_.Flags & fOutxCtsFlow) && !UsesKernelRtsCts(dcb_);
    const bool dsrFlow = dcb_.Flags & fOutxDsrFlow;
    return (ctsFlow && !(modemStatus_ & MS_CTS_ON)) || (dsrFlow && !(modemStatus_ & MS_DSR_ON));
}

// What the driver still holds to send; asked only while it may hold something.
std::uint32_t PosixSerialDevice::DriverOutputQueue() {
    if (!outputSent_)
        return 0;
    const std::uint32_t unsent = terminal_->OutputQueue();
    outputSent_ = unsent > 0;
    return unsent;
}

DeviceClock::duration PosixSerialDevice::DrainTime(std::uint32_t bytes) const {
    const std::uint64_t bitsPerChar = 1 + dcb_.ByteSize + (dcb_.Parity != NOPARITY ? 1 : 0) +
                                      (dcb_.StopBits == ONESTOPBIT ? 1 : 2);
    const std::uint64_t rate = std::max<std::uint32_t>(dcb_.BaudRate, 1);
    return std::chrono::milliseconds(bytes * bitsPerChar * 1000 / rate + 1);
}

// ---- Lines, errors, loss -----------------------------------------------------------------

// Counter deltas tell which line changed even when it changed back in between; levels
// stand in where the driver keeps no counters.
void PosixSerialDevice::CheckLines() {
    if (lost_)
        return;
    std::uint32_t events = 0;
    LineCounters now;
    if (hasCounters_ && terminal_->ReadCounters(now) == 0) {
        const LineCounters &was = eventBaseline_;
        events |= (now.cts != was.cts ? EV_CTS : 0) | (now.dsr != was.dsr ? EV_DSR : 0) |
                  (now.dcd != was.dcd ? EV_RLSD : 0) | (now.rng != was.rng ? EV_RING : 0) |
                  (now.brk != was.brk ? EV_BREAK : 0) |
                  (now.frame != was.frame || now.parity != was.parity || now.overrun != was.overrun
                       ? EV_ERR
                       : 0);
        eventBaseline_ = now;
    }
    if (hasModemLines_) {
        std::uint32_t status = 0;
        const int error = terminal_->ModemStatus(status);
        if (error == EIO) {
            DeviceLost();
            return;
        }
        if (error == 0) {
            if (!hasCounters_) {
                const std::uint32_t changed = status ^ modemStatus_;
                events |= ((changed & MS_CTS_ON) ? EV_CTS : 0) |
                          ((changed & MS_DSR_ON) ? EV_DSR : 0) |
                          ((changed & MS_RLSD_ON) ? EV_RLSD : 0) |
                          ((modemStatus_ & MS_RING_ON) && !(status & MS_RING_ON) ? EV_RING : 0);
            }
            modemStatus_ = status;
        }
    }
    Record(events);
}

// A hang-up, a 0-byte read or EIO: every pending and later transfer fails, the error
// word keeps CE_IOE, and a pending event wait ends (with EV_ERR when it waits for that).
void PosixSerialDevice::DeviceLost() {
    if (lost_)
        return;
    lost_ = true;
    latchedErrors_ |= CE_IOE;
    reads_.Abort(EIO);
    AbortWrites(EIO);
    Record(EV_ERR);
    if (wait_) {
        CompleteOverlapped(*wait_->overlapped, EIO, 0);
        wait_.reset();
    }
}

} // namespace serial
