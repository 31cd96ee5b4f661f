// The terminal calls on a real device: termios, ioctl and poll.
#include "serial/posix/PosixTerminal.h"

#include "serial/posix/PosixLineSettings.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace serial {

namespace {

// Raw bytes, VMIN 1 / VTIME 0 (an empty non-blocking read is EAGAIN, a hang-up 0),
// CLOCAL so that a carrier drop never hangs the port up.
int MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) < 0)
        return errno;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD | HUPCL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) < 0)
        return errno;
    tcflush(fd, TCIOFLUSH);
    return 0;
}

// flock stops a second open through any path; TIOCEXCL stops other programs that do not
// lock (except those with CAP_SYS_ADMIN).
int LockExclusive(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) < 0)
        return errno == EWOULDBLOCK ? ERROR_ACCESS_DENIED : errno;
    if (ioctl(fd, TIOCEXCL) < 0 && errno != ENOTTY)
        return errno;
    return 0;
}

int Result(int status) { return status < 0 ? errno : 0; }

int MillisecondsUntil(DeviceTime when) {
    if (when == kNever)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - DeviceClock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 24 * 3600 * 1000));
}

class TerminalFile final : public PosixTerminal {
public:
    TerminalFile(int fd, int wakeFd) : fd_(fd), wakeFd_(wakeFd) {}
    ~TerminalFile() override {
        // TIOCEXCL belongs to the terminal: undone as this open set it.
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        ::close(wakeFd_);
    }

    DeviceTime Now() override { return DeviceClock::now(); }

    Ready Wait(std::optional<short> events, DeviceTime until) override {
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {fd_, events.value_or(0), 0}};
        const nfds_t count = events ? 2 : 1;
        Ready ready;
        if (poll(fds, count, MillisecondsUntil(until)) > 0) {
            ready.woken = fds[0].revents & POLLIN;
            ready.terminal = count == 2 ? fds[1].revents : 0;
        }
        if (ready.woken) {
            std::uint64_t value;
            [[maybe_unused]] ssize_t got = ::read(wakeFd_, &value, sizeof value);
        }
        return ready;
    }

    short WaitAlongside(short events, int otherFd, int timeoutMs) override {
        pollfd fds[2] = {{otherFd, POLLIN, 0}, {fd_, events, 0}};
        return poll(fds, events ? 2 : 1, timeoutMs) > 0 && events ? fds[1].revents : 0;
    }

    int Descriptor() const override { return fd_; }

    void Wake() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t put = ::write(wakeFd_, &one, sizeof one);
    }

    long Read(void *buffer, std::size_t size) override {
        const ssize_t got = ::read(fd_, buffer, size);
        return got < 0 ? -errno : got;
    }
    long Write(const void *data, std::size_t size) override {
        const ssize_t put = ::write(fd_, data, size);
        return put < 0 ? -errno : put;
    }

    int ApplyLineSettings(const TDCB &dcb) override { return serial::ApplyLineSettings(fd_, dcb); }

    int ModemStatus(std::uint32_t &status) override {
        int lines = 0;
        if (ioctl(fd_, TIOCMGET, &lines) < 0)
            return errno;
        status = ((lines & TIOCM_CTS) ? MS_CTS_ON : 0) | ((lines & TIOCM_DSR) ? MS_DSR_ON : 0) |
                 ((lines & TIOCM_RNG) ? MS_RING_ON : 0) | ((lines & TIOCM_CD) ? MS_RLSD_ON : 0);
        return 0;
    }
    int SetOutputLine(OutputLine line, bool on) override {
        int bit = line == OutputLine::RTS ? TIOCM_RTS : TIOCM_DTR;
        return Result(ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit));
    }
    int ReadCounters(LineCounters &counters) override {
        serial_icounter_struct raw{};
        if (ioctl(fd_, TIOCGICOUNT, &raw) < 0)
            return errno;
        counters = {raw.cts,    raw.dsr,     raw.rng, raw.dcd,        raw.frame,
                    raw.parity, raw.overrun, raw.brk, raw.buf_overrun};
        return 0;
    }
    int WaitForLineChange() override {
        return Result(ioctl(fd_, TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG));
    }
    std::uint32_t OutputQueue() override {
        int unsent = 0;
        if (ioctl(fd_, TIOCOUTQ, &unsent) < 0 || unsent < 0)
            return 0;
        return static_cast<std::uint32_t>(unsent);
    }
    int Flush(bool input, bool output) override {
        return Result(tcflush(fd_, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH));
    }
    int SuspendOutput(bool suspend) override {
        return Result(tcflow(fd_, suspend ? TCOOFF : TCOON));
    }
    int SetBreak(bool on) override { return Result(ioctl(fd_, on ? TIOCSBRK : TIOCCBRK)); }

private:
    const int fd_;
    const int wakeFd_;
};

} // namespace

std::unique_ptr<PosixTerminal> OpenPosixTerminal(const std::string &path, int &error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno == EBUSY ? ERROR_ACCESS_DENIED : errno;
        return nullptr;
    }
    error = isatty(fd) ? LockExclusive(fd) : ENOTTY;
    // TIOCEXCL is undone only when this open set it, never when the device was already
    // held by another open.
    const bool heldHere = !error;
    if (!error)
        error = MakeRaw(fd);
    const int wakeFd = error ? -1 : eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (!error && wakeFd < 0)
        error = errno;
    if (error) {
        if (heldHere)
            ioctl(fd, TIOCNXCL);
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<TerminalFile>(fd, wakeFd);
}

} // namespace serial
