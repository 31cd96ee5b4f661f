#include "serial/posix/FakeTerminal.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace serial::testing {

namespace {

constexpr std::size_t kDriverQueue = 4096;

void Drain(int fd) {
    std::uint64_t value;
    [[maybe_unused]] ssize_t got = ::read(fd, &value, sizeof value);
}

void Signal(int fd) {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t put = ::write(fd, &one, sizeof one);
}

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

int &Counter(LineCounters &c, std::uint32_t line) {
    return line == MS_CTS_ON    ? c.cts
           : line == MS_DSR_ON  ? c.dsr
           : line == MS_RING_ON ? c.rng
                                : c.dcd;
}

} // namespace

// The device's side: every call goes to the shared state.
class FakeTerminal::Terminal final : public PosixTerminal {
public:
    explicit Terminal(std::shared_ptr<FakeTerminal> fake) : f_(std::move(fake)) {}

    DeviceTime Now() override {
        std::lock_guard lock(f_->mutex_);
        return f_->now_;
    }

    Ready Wait(std::optional<short> events, DeviceTime until) override {
        std::unique_lock lock(f_->mutex_);
        for (;;) {
            const short ready = events ? f_->Readiness(*events) : 0;
            if (ready || f_->woken_ || f_->now_ >= until) {
                const bool woken = f_->woken_;
                f_->woken_ = f_->ioAsleep_ = false;
                return {woken, ready};
            }
            f_->ioAsleep_ = true;
            f_->ioKicked_ = false;
            f_->ioChanged_.wait(lock);
        }
    }

    // The fake's readiness is for the I/O thread alone; another thread only waits.
    short WaitAlongside(short, int otherFd, int timeoutMs) override {
        pollfd fd{otherFd, POLLIN, 0};
        poll(&fd, 1, timeoutMs);
        return 0;
    }

    int Descriptor() const override { return -1; }

    void Wake() override {
        std::lock_guard lock(f_->mutex_);
        f_->woken_ = true;
        ++f_->wakes_;
        f_->ioChanged_.notify_all();
    }

    long Read(void *buffer, std::size_t size) override {
        std::lock_guard lock(f_->mutex_);
        if (f_->input_.empty())
            return -EAGAIN;
        const std::size_t n = std::min(size, f_->input_.size());
        std::copy_n(f_->input_.begin(), n, static_cast<std::uint8_t *>(buffer));
        f_->input_.erase(f_->input_.begin(), f_->input_.begin() + static_cast<long>(n));
        return static_cast<long>(n);
    }

    long Write(const void *, std::size_t size) override {
        std::lock_guard lock(f_->mutex_);
        const std::size_t n = std::min(size, kDriverQueue - f_->queued_);
        if (n == 0)
            return -EAGAIN;
        f_->queued_ += static_cast<std::uint32_t>(n);
        return static_cast<long>(n);
    }

    int ApplyLineSettings(const TDCB &dcb) override {
        std::lock_guard lock(f_->mutex_);
        f_->rate_ = dcb.BaudRate;
        return 0;
    }

    int ModemStatus(std::uint32_t &status) override {
        std::lock_guard lock(f_->mutex_);
        if (!f_->abilities_.modemLines)
            return ENOTTY;
        status = f_->lines_;
        return 0;
    }

    int SetOutputLine(OutputLine line, bool on) override {
        std::lock_guard lock(f_->mutex_);
        if (!f_->abilities_.modemLines)
            return ENOTTY;
        (line == OutputLine::RTS ? f_->rts_ : f_->dtr_) = on;
        return 0;
    }

    int ReadCounters(LineCounters &counters) override {
        std::lock_guard lock(f_->mutex_);
        if (!f_->abilities_.counters)
            return EINVAL;
        counters = f_->counters_;
        return 0;
    }

    int WaitForLineChange() override {
        std::unique_lock lock(f_->mutex_);
        f_->entry_ = f_->counters_;
        f_->lineWaiting_ = true;
        for (;;) {
            Drain(f_->lineKickFd_);
            if (!f_->abilities_.notifies && f_->refuseLineWait_) {
                f_->lineWaiting_ = false;
                f_->lineWaitRefused_ = true;
                f_->wakesAtRefusal_ = f_->wakes_;
                return ENOTTY;
            }
            if (f_->abilities_.notifies && !(f_->counters_ == f_->entry_))
                break;
            lock.unlock();
            pollfd fd{f_->lineKickFd_, POLLIN, 0};
            const bool interrupted = poll(&fd, 1, -1) < 0 && errno == EINTR;
            lock.lock();
            if (interrupted) {
                f_->lineWaiting_ = false;
                return EINTR; // the device's stop signal
            }
        }
        f_->lineWaiting_ = false;
        return 0;
    }

    std::uint32_t OutputQueue() override {
        std::lock_guard lock(f_->mutex_);
        return f_->queued_;
    }

    int Flush(bool input, bool output) override {
        std::lock_guard lock(f_->mutex_);
        if (input)
            f_->input_.clear();
        if (output)
            f_->queued_ = 0;
        return 0;
    }

    int SuspendOutput(bool suspend) override {
        std::lock_guard lock(f_->mutex_);
        f_->outputHeld_ = suspend;
        return 0;
    }

    int SetBreak(bool) override { return 0; }

private:
    std::shared_ptr<FakeTerminal> f_;
};

FakeTerminal::FakeTerminal(Abilities abilities)
    : abilities_(abilities), lineKickFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FakeTerminal::~FakeTerminal() { ::close(lineKickFd_); }

std::unique_ptr<PosixTerminal> FakeTerminal::Handle() {
    return std::make_unique<Terminal>(shared_from_this());
}

void FakeTerminal::Kick() {
    ioKicked_ = true;
    ioChanged_.notify_all();
}

short FakeTerminal::Readiness(short events) const {
    short ready = 0;
    if (!input_.empty())
        ready |= POLLIN;
    if (queued_ < kDriverQueue)
        ready |= POLLOUT;
    return ready & events;
}

void FakeTerminal::Advance(std::chrono::milliseconds step) {
    std::lock_guard lock(mutex_);
    now_ += step;
    if (!outputHeld_) {
        // Ten bits a character: start, eight data bits, stop.
        const auto bytes = static_cast<std::uint64_t>(step.count()) * rate_ / 10000;
        const auto sent = static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, queued_));
        queued_ -= sent;
        sent_ += sent;
    }
    Kick();
}

void FakeTerminal::Feed(const std::string &bytes) {
    std::lock_guard lock(mutex_);
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    Kick();
}

void FakeTerminal::Changed(std::uint32_t line, int count, bool noticed) {
    Counter(counters_, line) += count;
    if (noticed)
        Signal(lineKickFd_);
    else
        Counter(entry_, line) += count;
    Kick();
}

void FakeTerminal::SetLine(std::uint32_t line, bool on) {
    std::lock_guard lock(mutex_);
    if (bool(lines_ & line) == on)
        return;
    lines_ = on ? lines_ | line : lines_ & ~line;
    Changed(line, 1, true);
}

void FakeTerminal::Pulse(std::uint32_t line) {
    std::lock_guard lock(mutex_);
    Changed(line, 2, true);
}

void FakeTerminal::ChangeUnnoticed(std::uint32_t line, bool on) {
    std::lock_guard lock(mutex_);
    lines_ = on ? lines_ | line : lines_ & ~line;
    Changed(line, 1, false);
}

void FakeTerminal::HoldOutput(bool held) {
    std::lock_guard lock(mutex_);
    outputHeld_ = held;
    Kick();
}

bool FakeTerminal::RTS() const {
    std::lock_guard lock(mutex_);
    return rts_;
}

bool FakeTerminal::DTR() const {
    std::lock_guard lock(mutex_);
    return dtr_;
}

std::size_t FakeTerminal::Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

std::uint32_t FakeTerminal::Queued() const {
    std::lock_guard lock(mutex_);
    return queued_;
}

bool FakeTerminal::AwaitIdle() {
    const bool watcher = abilities_.modemLines;
    for (int i = 0; i < 20000; ++i) {
        {
            std::lock_guard lock(mutex_);
            if (watcher && !abilities_.notifies && !refuseLineWait_) {
                refuseLineWait_ = true;
                Signal(lineKickFd_);
            }
            // A refusal is taken once the watcher's news has woken the I/O thread.
            const bool watcherAsleep =
                !watcher || (abilities_.notifies ? lineWaiting_ && !Readable(lineKickFd_)
                                                 : lineWaitRefused_ && wakes_ > wakesAtRefusal_);
            if (ioAsleep_ && !ioKicked_ && !woken_ && watcherAsleep)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

} // namespace serial::testing
