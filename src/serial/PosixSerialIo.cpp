// The I/O thread of PosixSerialDevice and the transfer and event bookkeeping it shares
// with the comm calls. Everything here runs with the device's mutex held.
#include "serial/PosixLineSettings.h"
#include "serial/PosixSerialDevice.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace serial {

namespace {

constexpr std::uint32_t kLineEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;
constexpr std::uint32_t kErrorEvents = EV_ERR | EV_BREAK;
constexpr std::chrono::milliseconds kSafetyCheck{250}; // TIOCMIWAIT can miss a change
constexpr std::chrono::milliseconds kLinePoll{100};    // the driver cannot notify at all

int MillisecondsUntil(std::chrono::steady_clock::time_point when) {
    if (when == std::chrono::steady_clock::time_point::max())
        return -1;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(when - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 24 * 3600 * 1000));
}

} // namespace

void PosixSerialDevice::IoLoop() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {fd_, 0, 0}};
        // A lost device is no longer watched: it would report itself ready for ever.
        const nfds_t count = lost_ ? 1 : 2;
        if (!lost_) {
            if (rx_.size() < rxCapacity_)
                fds[1].events |= POLLIN;
            if (!writes_.empty() && writes_.front().accepted < writes_.front().count &&
                !OutputHeld())
                fds[1].events |= POLLOUT;
        }
        const int timeout = MillisecondsUntil(NextDeadline());
        lock.unlock();
        const int ready = poll(fds, count, timeout);
        lock.lock();
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            std::uint64_t value;
            [[maybe_unused]] ssize_t got = ::read(wakeFd_, &value, sizeof value);
        }
        TakeWatcherNews();
        if (ready > 0 && count == 2 && !lost_) {
            if (fds[1].revents & (POLLIN | POLLHUP | POLLERR))
                PullFromDevice(); // a hang-up reads as 0 bytes or EIO
            if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))
                DeviceLost();
        }
        Service(Clock::now());
    }
}

void PosixSerialDevice::TakeWatcherNews() {
    const int news = watcherNews_.exchange(0);
    if (news & kWatcherLost)
        DeviceLost();
    if (news & kCannotNotify)
        watcherNotifies_ = false;
    if (news & kLinesChanged)
        CheckLines();
}

// Everything that time or new room can move on: counters, writes, reads, line checks.
void PosixSerialDevice::Service(TimePoint now) {
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

PosixSerialDevice::TimePoint PosixSerialDevice::NextDeadline() const {
    TimePoint next = nextLineCheck_;
    if (!reads_.empty() && reads_.front().started)
        next = std::min({next, reads_.front().totalDeadline, reads_.front().intervalDeadline});
    if (!writes_.empty())
        next = std::min({next, writes_.front().deadline, writes_.front().drainCheck});
    return next;
}

bool PosixSerialDevice::ModemTimerWanted() const {
    if (lost_ || !(hasModemLines_ || hasCounters_))
        return false;
    const bool waitsForLines = wait_ && (mask_ & (kLineEvents | kErrorEvents));
    const bool flowOnLines = dcb_.Flags & (fOutxCtsFlow | fOutxDsrFlow | fDsrSensitivity);
    return waitsForLines || flowOnLines;
}

// ---- Reception ---------------------------------------------------------------------------

void PosixSerialDevice::PullFromDevice() {
    std::uint8_t raw[4096];
    while (!lost_ && rx_.size() < rxCapacity_) {
        // Marks only ever shrink the stream, so this many raw bytes always fit.
        const std::size_t room = std::min(sizeof raw, rxCapacity_ - rx_.size());
        const ssize_t got = ::read(fd_, raw, room);
        if (got > 0) {
            Receive(raw, static_cast<std::size_t>(got));
            if (static_cast<std::size_t>(got) < room)
                break;
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else if (got < 0 && errno == EAGAIN) {
            break;
        } else {
            DeviceLost(); // 0 bytes with VMIN 1 is a hang-up; EIO a vanished device
        }
    }
}

void PosixSerialDevice::Receive(const std::uint8_t *raw, std::size_t count) {
    if ((dcb_.Flags & fDsrSensitivity) && hasModemLines_) {
        std::uint32_t status = 0;
        if (ReadModemStatus(fd_, status) == 0)
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
    const std::size_t nearlyFull = rxCapacity_ * 8 / 10;
    if (before < nearlyFull && rx_.size() >= nearlyFull)
        events |= EV_RX80FULL;
    Record(events);
    UpdateInputThrottle();
}

void PosixSerialDevice::Record(std::uint32_t events) {
    // fAbortOnError: a line error ends every transfer until ClearCommError.
    if ((events & kErrorEvents) && (dcb_.Flags & fAbortOnError) && !lost_) {
        abortedByError_ = true;
        AbortReads(ERROR_OPERATION_ABORTED);
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
// emulated on the receive ring: the line drops when less than XoffLim bytes are free and
// rises again once no more than XonLim bytes wait.
void PosixSerialDevice::UpdateInputThrottle() {
    const bool dtrHandshake = DtrControlOf(dcb_) == DTR_CONTROL_HANDSHAKE;
    const bool rtsHandshake =
        RtsControlOf(dcb_) == RTS_CONTROL_HANDSHAKE && !UsesKernelRtsCts(dcb_);
    if (lost_ || !hasModemLines_ || !(dtrHandshake || rtsHandshake))
        return;
    const std::size_t free = rxCapacity_ - std::min(rxCapacity_, rx_.size());
    bool throttle = inputThrottled_;
    if (!inputThrottled_ && free < dcb_.XoffLim)
        throttle = true;
    else if (inputThrottled_ && rx_.size() <= dcb_.XonLim)
        throttle = false;
    if (throttle == inputThrottled_)
        return;
    inputThrottled_ = throttle;
    if (dtrHandshake)
        SetModemLine(fd_, TIOCM_DTR, !throttle);
    if (rtsHandshake)
        SetModemLine(fd_, TIOCM_RTS, !throttle);
}

// ---- Reads -------------------------------------------------------------------------------

void PosixSerialDevice::StartRead(ReadOp &op, TimePoint now) {
    using std::chrono::milliseconds;
    const TCommTimeouts &t = timeouts_;
    op.started = true;
    if (t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
        t.ReadTotalTimeoutConstant == 0) {
        op.returnAtOnce = true;
        return;
    }
    if (t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD) {
        op.returnOnFirstByte = true;
        op.totalDeadline = now + milliseconds(t.ReadTotalTimeoutConstant);
        return;
    }
    const std::uint64_t total =
        std::uint64_t{t.ReadTotalTimeoutMultiplier} * op.count + t.ReadTotalTimeoutConstant;
    if (total > 0)
        op.totalDeadline = now + milliseconds(total);
    if (t.ReadIntervalTimeout != 0 && t.ReadIntervalTimeout != MAXDWORD)
        op.interval = milliseconds(t.ReadIntervalTimeout);
}

void PosixSerialDevice::ServeReads(TimePoint now) {
    while (!reads_.empty()) {
        ReadOp &op = reads_.front();
        if (!op.started)
            StartRead(op, now);
        const std::size_t take = std::min<std::size_t>(rx_.size(), op.count - op.done);
        if (take > 0) {
            std::copy_n(rx_.begin(), take, op.buffer + op.done);
            rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(take));
            op.done += static_cast<std::uint32_t>(take);
            if (op.interval.count() > 0)
                op.intervalDeadline = now + op.interval;
        }
        const bool finished = op.done == op.count || op.returnAtOnce ||
                              (op.returnOnFirstByte && op.done > 0) || now >= op.totalDeadline ||
                              now >= op.intervalDeadline;
        if (!finished)
            break;
        // A time-out is no error: the read ends with the bytes it has.
        CompleteOverlapped(*op.overlapped, 0, op.done);
        reads_.pop_front();
    }
    if (!rx_.empty() || inputThrottled_)
        UpdateInputThrottle();
}

void PosixSerialDevice::AbortReads(int error) {
    for (auto &op : reads_)
        CompleteOverlapped(*op.overlapped, error, op.done);
    reads_.clear();
}

// ---- Writes ------------------------------------------------------------------------------

void PosixSerialDevice::StartWrite(WriteOp &op, TimePoint now) {
    op.started = true;
    const std::uint64_t total = std::uint64_t{timeouts_.WriteTotalTimeoutMultiplier} * op.count +
                                timeouts_.WriteTotalTimeoutConstant;
    if (total > 0)
        op.deadline = now + std::chrono::milliseconds(total);
    if (RtsControlOf(dcb_) == RTS_CONTROL_TOGGLE && hasModemLines_)
        SetModemLine(fd_, TIOCM_RTS, true);
}

// Hands the head write to the driver as far as it takes it; a write is complete when all
// of it has left the driver (TIOCOUTQ 0), which is re-checked at the predicted drain time.
void PosixSerialDevice::PushWrites(TimePoint now) {
    while (!writes_.empty() && !lost_) {
        WriteOp &op = writes_.front();
        if (!op.started)
            StartWrite(op, now);
        while (op.accepted < op.count && !OutputHeld()) {
            const ssize_t put = ::write(fd_, op.data + op.accepted, op.count - op.accepted);
            if (put > 0) {
                op.accepted += static_cast<std::uint32_t>(put);
            } else if (put < 0 && errno == EINTR) {
                continue;
            } else if (put < 0 && errno == EAGAIN) {
                break;
            } else {
                DeviceLost();
                return;
            }
        }
        if (op.accepted < op.count)
            return; // waits for room (POLLOUT) or for the lines to allow output
        const std::uint32_t unsent = DriverOutputQueue();
        if (unsent > 0) {
            op.drainCheck = now + DrainTime(unsent);
            return;
        }
        FinishWrite(0, op.count);
    }
}

// The write time-out: what the driver still holds was not sent and never will be.
void PosixSerialDevice::TimeOutWrite(TimePoint now) {
    WriteOp &op = writes_.front();
    const std::uint32_t unsent = std::min(DriverOutputQueue(), op.accepted);
    tcflush(fd_, TCOFLUSH);
    FinishWrite(0, op.accepted - unsent);
    PushWrites(now);
}

void PosixSerialDevice::FinishWrite(int error, std::uint32_t transferred) {
    CompleteOverlapped(*writes_.front().overlapped, error, transferred);
    writes_.pop_front();
    if (writes_.empty()) {
        if (RtsControlOf(dcb_) == RTS_CONTROL_TOGGLE && hasModemLines_)
            SetModemLine(fd_, TIOCM_RTS, false);
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

std::uint32_t PosixSerialDevice::DriverOutputQueue() const {
    int unsent = 0;
    if (ioctl(fd_, TIOCOUTQ, &unsent) < 0 || unsent < 0)
        return 0;
    return static_cast<std::uint32_t>(unsent);
}

std::chrono::milliseconds PosixSerialDevice::DrainTime(std::uint32_t bytes) const {
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
    if (hasCounters_ && ReadLineCounters(fd_, now) == 0) {
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
        const int error = ReadModemStatus(fd_, status);
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
    AbortReads(EIO);
    AbortWrites(EIO);
    Record(EV_ERR);
    if (wait_) {
        CompleteOverlapped(*wait_->overlapped, EIO, 0);
        wait_.reset();
    }
}

} // namespace serial
