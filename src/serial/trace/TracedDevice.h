// A device that records in the line trace what passes through it to the device it wraps:
// every byte written and read, every modem-line change made or seen, its line settings,
// line errors, failed calls, and its open and close. Both back ends are traced alike.
#pragma once

#include "serial/port/SerialDevice.h"
#include "serial/trace/LineTrace.h"
#include "serial/trace/TransferRelay.h"

#include <memory>
#include <mutex>
#include <string>

namespace serial {

class TracedDevice : public SerialDevice {
public:
    TracedDevice(std::unique_ptr<SerialDevice> device, std::string port,
                 std::shared_ptr<LineTrace> trace);
    // Closes the wrapped device, which ends its transfers, and records the close.
    ~TracedDevice() override;

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

private:
    bool Relay(const std::shared_ptr<RelayedTransfer> &transfer, bool accepted,
               std::uint32_t *transferred, const std::string &what);
    void TransferEnded(const RelayedTransfer &transfer);
    // Records a refused call with the system's reason; gives back false with the error
    // still the thread's last one.
    bool Refused(TraceDirection direction, const std::string &what);
    // Records the line's new level when it differs from the one last recorded.
    void TraceOutputLine(const char *name, std::string &last, const std::string &level);

    const std::shared_ptr<LineTrace> trace_;
    const std::string port_;
    TransferRelay relay_;
    std::unique_ptr<SerialDevice> device_;
    std::mutex mutex_;             // guards what was last recorded, below
    std::string dtr_, rts_;        // the output lines' levels as last recorded
    std::uint32_t seenStatus_ = 0; // the input lines as last recorded
    bool statusSeen_ = false;
};

// An opener that opens through `opener` and wraps each device it opens in a TracedDevice;
// opens that fail are recorded too.
DeviceOpener TracingOpener(DeviceOpener opener, std::shared_ptr<LineTrace> trace);

} // namespace serial
