// The serial device on a Linux terminal (termios and ioctl): the comm calls of the device
// interface, with overlapped completion driven by one I/O thread per open device.
#pragma once

#include "serial/port/ReadQueue.h"
#include "serial/port/SerialDevice.h"
#include "serial/posix/PosixInputMarks.h"
#include "serial/posix/PosixModemLines.h"
#include "serial/posix/PosixTerminal.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace serial {

// The opener the program installs with SetDeviceOpener: resolves the name
// (ResolvePortPath), then opens a PosixSerialDevice.
DeviceOpener PosixDeviceOpener(std::string installDir);

// One open terminal. The I/O thread blocks in poll on the device and an eventfd (the
// other calls' wake-up), with the nearest deadline of a pending operation as its time-out:
// it moves received bytes into the receive ring, feeds pending reads, pushes pending
// writes, and records comm events. Modem-line changes come from a TIOCMIWAIT watcher
// thread. A device that hangs up or fails turns into errors (CE_IOE, failing calls,
// pending operations ended with EIO) and the thread stops watching it.
class PosixSerialDevice final : public SerialDevice {
public:
    // Opens path for exclusive use; null with the error in GetLastError() on failure
    // (ERROR_ACCESS_DENIED when the device is open elsewhere).
    static std::unique_ptr<PosixSerialDevice> Open(const std::string &path);
    // Runs the device on a terminal already open.
    static std::unique_ptr<PosixSerialDevice> Attach(std::unique_ptr<PosixTerminal> terminal);
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice &) = delete;
    PosixSerialDevice &operator=(const PosixSerialDevice &) = delete;

    bool SetCommState(const TDCB &dcb) override;
    bool SetCommTimeouts(const TCommTimeouts &timeouts) override;
    bool SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) override;
    bool EscapeCommFunction(std::uint32_t function) override;
    bool GetCommModemStatus(std::uint32_t &modemStatus) override;
    bool ClearCommError(std::uint32_t &errors, TComStat *status) override;
    bool SetCommMask(std::uint32_t mask) override;
    bool WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) override;
    bool ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                  TOverlapped &overlapped) override;
    bool WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                   TOverlapped &overlapped) override;
    bool PurgeComm(std::uint32_t flags) override;

    // How many times the I/O thread has woken up, for diagnostics: an idle device sleeps.
    std::uint64_t IoWakeups() const { return wakeups_; }

private:
    struct WriteOp {
        const std::uint8_t *data;
        std::uint32_t count;
        TOverlapped *overlapped;
        std::uint32_t accepted = 0; // bytes the driver took
        bool started = false;
        DeviceTime deadline = kNever;
        // All accepted: when to look at the driver's queue again, how long the last
        // wait for it was, and what it held then.
        DeviceTime drainCheck = kNever;
        DeviceClock::duration drainWait{};
        std::uint32_t unsent = UINT32_MAX;
    };
    struct PendingWait {
        std::uint32_t *mask;
        TOverlapped *overlapped;
    };

    // Bits the modem watcher leaves for the I/O thread.
    enum WatcherNews : int { kLinesChanged = 1, kCannotNotify = 2, kWatcherLost = 4 };

    class EventWaitPump;

    explicit PosixSerialDevice(std::unique_ptr<PosixTerminal> terminal);
    void StartThreads();
    void PumpEventWait(int wakeFd, int timeoutMs);
    void SetLoopWatching(bool watching);
    void TakeInForLoop();
    void StopThreads();
    void Wake();
    bool Fail(int error);
    bool FailOnLoss(int error); // an EIO means the device has gone

    // ---- I/O thread and what it shares with the calls (mutex_ held) ----
    void IoLoop();
    void Service(DeviceTime now);
    DeviceTime NextDeadline() const;
    void TakeWatcherNews();
    void TakeInput();
    void PullFromDevice();
    void Receive(const std::uint8_t *raw, std::size_t count);
    void Record(std::uint32_t events);
    void ServeReads(DeviceTime now);
    void StartWrite(WriteOp &op, DeviceTime now);
    void PushWrites(DeviceTime now);
    bool AwaitDrain(WriteOp &op, DeviceTime now);
    void TimeOutWrite(DeviceTime now);
    void FinishWrite(int error, std::uint32_t transferred);
    void CheckLines();
    void UpdateInputThrottle();
    void DeviceLost();
    void AbortWrites(int error);
    bool OutputHeld() const;
    bool InputWanted() const;
    std::uint32_t DriverOutputQueue();
    bool ModemTimerWanted() const;
    DeviceClock::duration DrainTime(std::uint32_t bytes) const;

    const std::unique_ptr<PosixTerminal> terminal_;
    std::mutex mutex_;
    std::thread ioThread_;
    std::unique_ptr<PosixModemWatcher> watcher_;
    std::atomic<int> watcherNews_{0};
    std::atomic<std::uint64_t> wakeups_{0};
    std::shared_ptr<WaitPump> eventWaitPump_;
    bool stopping_ = false;

    TDCB dcb_{};
    TCommTimeouts timeouts_{};
    std::size_t rxCapacity_ = 4096;
    std::deque<std::uint8_t> rx_;
    PosixInputMarks marks_;
    ReadQueue reads_;
    std::deque<WriteOp> writes_;
    std::optional<PendingWait> wait_;
    std::uint32_t mask_ = 0;
    std::uint32_t occurred_ = 0;
    std::uint32_t latchedErrors_ = 0;
    bool lost_ = false;
    bool abortedByError_ = false; // fAbortOnError: transfers refused until ClearCommError
    bool inputThrottled_ = false; // emulated input handshake has dropped its line
    int pumpers_ = 0;             // event waits watching the input themselves
    bool loopWatching_ = false;   // a loop watches the input for the event waits
    bool ioWatchesInput_ = false; // the I/O thread's wait includes the input
    bool outputSent_ = false;     // the driver may still hold bytes written

    bool hasModemLines_ = false;
    bool hasCounters_ = false;
    bool watcherNotifies_ = false; // TIOCMIWAIT works: the timer is only a safety net
    std::uint32_t modemStatus_ = 0;
    LineCounters errorBaseline_; // since the last ClearCommError
    LineCounters eventBaseline_; // since the last look for events
    DeviceTime nextLineCheck_ = kNever;
};

} // namespace serial
