// The thread that waits for the driver to report a change of the modem lines.
#pragma once

#include "serial/posix/PosixTerminal.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace serial {

// A thread blocked in the terminal's line-change wait (TIOCMIWAIT, which cannot be
// polled) that reports each change of CTS, DSR, DCD or RI. Stop() interrupts the blocked
// call with a signal whose handler is installed without SA_RESTART, resending it until
// the thread has ended, so the device can be closed afterwards without the thread still
// using its descriptor.
class PosixModemWatcher {
public:
    enum class Report {
        Changed,     // a line changed (read the counters to know which)
        Unsupported, // the driver cannot notify: the thread has ended
        Lost,        // the device is gone: the thread has ended
    };
    // notify runs on the watcher thread and must not block.
    PosixModemWatcher(PosixTerminal &terminal, std::function<void(Report)> notify);
    ~PosixModemWatcher();
    PosixModemWatcher(const PosixModemWatcher &) = delete;
    PosixModemWatcher &operator=(const PosixModemWatcher &) = delete;

    void Stop();

private:
    void Run();

    PosixTerminal &terminal_;
    std::function<void(Report)> notify_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable ended_;
    bool hasEnded_ = false;
    std::thread thread_;
};

} // namespace serial
