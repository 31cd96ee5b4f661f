#include "serial/PosixModemLines.h"

#include "serial/SerialDevice.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <linux/serial.h>
#include <pthread.h>
#include <sys/ioctl.h>

namespace serial {

int ReadLineCounters(int fd, LineCounters &counters) {
    serial_icounter_struct raw{};
    if (ioctl(fd, TIOCGICOUNT, &raw) < 0)
        return errno;
    counters = {raw.cts,    raw.dsr,     raw.rng, raw.dcd,        raw.frame,
                raw.parity, raw.overrun, raw.brk, raw.buf_overrun};
    return 0;
}

int ReadModemStatus(int fd, std::uint32_t &status) {
    int lines = 0;
    if (ioctl(fd, TIOCMGET, &lines) < 0)
        return errno;
    status = ((lines & TIOCM_CTS) ? MS_CTS_ON : 0) | ((lines & TIOCM_DSR) ? MS_DSR_ON : 0) |
             ((lines & TIOCM_RNG) ? MS_RING_ON : 0) | ((lines & TIOCM_CD) ? MS_RLSD_ON : 0);
    return 0;
}

int SetModemLine(int fd, int line, bool on) {
    if (ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) < 0)
        return errno;
    return 0;
}

namespace {

int StopSignal() { return SIGRTMIN + 6; }

void IgnoreStopSignal(int) {}

// sa_flags 0, no SA_RESTART: the interrupted ioctl returns EINTR instead of restarting.
void InstallStopHandler() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_handler = IgnoreStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(StopSignal(), &action, nullptr);
    });
}

} // namespace

PosixModemWatcher::PosixModemWatcher(int fd, std::function<void(Report)> notify)
    : fd_(fd), notify_(std::move(notify)) {
    InstallStopHandler();
    thread_ = std::thread([this] { Run(); });
}

PosixModemWatcher::~PosixModemWatcher() { Stop(); }

void PosixModemWatcher::Run() {
    constexpr int kLines = TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG;
    while (!stop_) {
        if (ioctl(fd_, TIOCMIWAIT, kLines) == 0) {
            notify_(Report::Changed);
            continue;
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        if (!stop_)
            notify_(error == ENOTTY || error == EINVAL ? Report::Unsupported : Report::Lost);
        break;
    }
    std::lock_guard lock(mutex_);
    hasEnded_ = true;
    ended_.notify_all();
}

void PosixModemWatcher::Stop() {
    if (!thread_.joinable())
        return;
    stop_ = true;
    // A signal that lands just before the thread enters the ioctl is lost, so it is sent
    // again until the thread says it has ended.
    std::unique_lock lock(mutex_);
    while (!hasEnded_) {
        pthread_kill(thread_.native_handle(), StopSignal());
        ended_.wait_for(lock, std::chrono::milliseconds(20));
    }
    lock.unlock();
    thread_.join();
}

} // namespace serial
