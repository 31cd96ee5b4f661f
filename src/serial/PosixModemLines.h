// The modem input lines and the line-event counters of a terminal, and the thread that
// waits for the driver to report a change of the lines.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace serial {

// The driver's counters of line events since the device was opened (TIOCGICOUNT).
struct LineCounters {
    int cts = 0, dsr = 0, rng = 0, dcd = 0;
    int frame = 0, parity = 0, overrun = 0, brk = 0, bufOverrun = 0;
};

// 0 or errno (ENOTTY or EINVAL: the driver keeps no counters).
int ReadLineCounters(int fd, LineCounters &counters);
// The input lines as MS_* bits; 0 or errno (ENOTTY: the device has no modem lines).
int ReadModemStatus(int fd, std::uint32_t &status);
// Raises (on) or drops one output line, TIOCM_RTS or TIOCM_DTR; 0 or errno.
int SetModemLine(int fd, int line, bool on);

// A thread blocked in TIOCMIWAIT (which cannot be polled) that reports each change of
// CTS, DSR, DCD or RI. Stop() interrupts the blocked call with a signal whose handler is
// installed without SA_RESTART, resending it until the thread has ended, so the device
// can be closed afterwards without the thread still using its descriptor.
class PosixModemWatcher {
public:
    enum class Report {
        Changed,     // a line changed (read the counters to know which)
        Unsupported, // the driver cannot notify: the thread has ended
        Lost,        // the device is gone: the thread has ended
    };
    // notify runs on the watcher thread and must not block.
    PosixModemWatcher(int fd, std::function<void(Report)> notify);
    ~PosixModemWatcher();
    PosixModemWatcher(const PosixModemWatcher &) = delete;
    PosixModemWatcher &operator=(const PosixModemWatcher &) = delete;

    void Stop();

private:
    void Run();

    int fd_;
    std::function<void(Report)> notify_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable ended_;
    bool hasEnded_ = false;
    std::thread thread_;
};

} // namespace serial
