#include "serial/trace/TracedDevice.h"

#include <cstring>
#include <initializer_list>
#include <utility>

namespace serial {

namespace {

std::string Reason(int error) {
    return std::string(std::strerror(error)) + " (" + std::to_string(error) + ")";
}

std::string LineSettings(const TDCB &dcb) {
    static const char parities[] = "NOEMS";
    static const char *const stopBits[] = {"1", "1.5", "2"};
    std::string text = std::to_string(dcb.BaudRate) + ' ' + std::to_string(dcb.ByteSize) +
                       (dcb.Parity <= SPACEPARITY ? parities[dcb.Parity] : '?') +
                       (dcb.StopBits <= TWOSTOPBITS ? stopBits[dcb.StopBits] : "?");
    std::string flow;
    for (auto [flag, name] : {std::pair{fOutxCtsFlow, "CTS flow"},
                              {fOutxDsrFlow, "DSR flow"},
                              {fOutX, "Xon/Xoff out"},
                              {fInX, "Xon/Xoff in"}})
        if (dcb.Flags & flag)
            flow += std::string(", ") + name;
    return text + (flow.empty() ? ", no flow control" : flow);
}

std::string LineLevel(std::uint32_t control) {
    static const char *const levels[] = {"off", "on", "handshake", "toggle"};
    return levels[control & 3];
}

std::string ErrorNames(std::uint32_t errors) {
    std::string names;
    for (auto [bit, name] : {std::pair{CE_FRAME, "framing"},
                             {CE_RXPARITY, "parity"},
                             {CE_OVERRUN, "overrun"},
                             {CE_RXOVER, "input overflow"},
                             {CE_BREAK, "break"},
                             {CE_TXFULL, "output full"},
                             {CE_IOE, "device I/O"},
                             {CE_MODE, "bad mode"}})
        if (errors & bit)
            names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

struct ModemLine {
    std::uint32_t bit;
    const char *name;
};
constexpr ModemLine InputLines[] = {
    {MS_CTS_ON, "CTS"}, {MS_DSR_ON, "DSR"}, {MS_RLSD_ON, "DCD"}, {MS_RING_ON, "RI"}};

std::string EscapeText(std::uint32_t function) {
    switch (function) {
    case SETRTS:
        return "RTS on";
    case CLRRTS:
        return "RTS off";
    case SETDTR:
        return "DTR on";
    case CLRDTR:
        return "DTR off";
    case SETBREAK:
        return "break on";
    case CLRBREAK:
        return "break off";
    case SETXOFF:
        return "output held as by Xoff";
    case SETXON:
        return "output released as by Xon";
    }
    return "escape function " + std::to_string(function);
}

std::string Level(const char *line, bool on) { return std::string(line) + (on ? " on" : " off"); }

} // namespace

TracedDevice::TracedDevice(std::unique_ptr<SerialDevice> device, std::string port,
                           std::shared_ptr<LineTrace> trace)
    : trace_(std::move(trace)), port_(std::move(port)),
      relay_([this](const RelayedTransfer &transfer) { TransferEnded(transfer); }),
      device_(std::move(device)) {}

TracedDevice::~TracedDevice() {
    device_.reset();
    relay_.HandOnEnded();
    trace_->Record(TraceDirection::Port, "close " + port_);
}

bool TracedDevice::Refused(TraceDirection direction, const std::string &what) {
    const int error = GetLastError();
    trace_->Record(direction, what + " failed: " + Reason(error));
    SetLastError(error);
    return false;
}

void TracedDevice::TraceOutputLine(const char *name, std::string &last, const std::string &level) {
    if (last == level)
        return;
    last = level;
    trace_->Record(TraceDirection::Out, std::string(name) + ' ' + level);
}

bool TracedDevice::SetCommState(const TDCB &dcb) {
    if (!device_->SetCommState(dcb))
        return Refused(TraceDirection::Port, "line settings " + LineSettings(dcb));
    trace_->Record(TraceDirection::Port, LineSettings(dcb));
    std::lock_guard lock(mutex_);
    TraceOutputLine("DTR", dtr_, LineLevel((dcb.Flags & fDtrControlMask) >> fDtrControlShift));
    TraceOutputLine("RTS", rts_, LineLevel((dcb.Flags & fRtsControlMask) >> fRtsControlShift));
    return true;
}

bool TracedDevice::SetCommTimeouts(const TCommTimeouts &timeouts) {
    return device_->SetCommTimeouts(timeouts);
}

bool TracedDevice::SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) {
    return device_->SetupComm(inQueue, outQueue);
}

bool TracedDevice::EscapeCommFunction(std::uint32_t function) {
    const std::string change = EscapeText(function);
    if (!device_->EscapeCommFunction(function))
        return Refused(TraceDirection::Out, change);
    // Each change the program asks for is recorded, even one that repeats the level.
    trace_->Record(TraceDirection::Out, change);
    std::lock_guard lock(mutex_);
    if (function == SETRTS || function == CLRRTS)
        rts_ = function == SETRTS ? "on" : "off";
    if (function == SETDTR || function == CLRDTR)
        dtr_ = function == SETDTR ? "on" : "off";
    return true;
}

bool TracedDevice::GetCommModemStatus(std::uint32_t &modemStatus) {
    if (!device_->GetCommModemStatus(modemStatus))
        return Refused(TraceDirection::In, "modem lines");
    std::lock_guard lock(mutex_);
    if (!statusSeen_) {
        std::string all;
        for (auto [bit, name] : InputLines)
            all += (all.empty() ? "" : ", ") + Level(name, modemStatus & bit);
        trace_->Record(TraceDirection::In, all);
    } else {
        for (auto [bit, name] : InputLines)
            if ((modemStatus ^ seenStatus_) & bit)
                trace_->Record(TraceDirection::In, Level(name, modemStatus & bit));
    }
    statusSeen_ = true;
    seenStatus_ = modemStatus;
    return true;
}

bool TracedDevice::ClearCommError(std::uint32_t &errors, TComStat *status) {
    if (!device_->ClearCommError(errors, status))
        return Refused(TraceDirection::In, "line errors");
    if (errors)
        trace_->Record(TraceDirection::In, "line errors: " + ErrorNames(errors));
    return true;
}

bool TracedDevice::SetCommMask(std::uint32_t mask) { return device_->SetCommMask(mask); }

bool TracedDevice::WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) {
    return device_->WaitCommEvent(mask, overlapped);
}

bool TracedDevice::ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                            TOverlapped &overlapped) {
    auto transfer = std::make_shared<RelayedTransfer>();
    transfer->outer = &overlapped;
    transfer->buffer = static_cast<const char *>(buffer);
    transfer->count = count;
    transfer->isRead = true;
    const bool done = device_->ReadFile(buffer, count, nullptr, transfer->inner);
    return Relay(transfer, done, read, "read");
}

bool TracedDevice::WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                             TOverlapped &overlapped) {
    auto transfer = std::make_shared<RelayedTransfer>();
    transfer->outer = &overlapped;
    transfer->buffer = static_cast<const char *>(buffer);
    transfer->count = count;
    const bool done = device_->WriteFile(buffer, count, nullptr, transfer->inner);
    const int error = GetLastError();
    // The bytes are recorded as the device takes them, before the write may end.
    if ((done || error == ERROR_IO_PENDING) && count)
        trace_->RecordBytes(TraceDirection::Out, std::string_view(transfer->buffer, count));
    SetLastError(error);
    return Relay(transfer, done, written, "write of " + std::to_string(count) + " bytes");
}

bool TracedDevice::Relay(const std::shared_ptr<RelayedTransfer> &transfer, bool accepted,
                         std::uint32_t *transferred, const std::string &what) {
    const int error = accepted ? 0 : GetLastError();
    const bool pending = error == ERROR_IO_PENDING;
    // Refused before it started: the device left its header alone, and so does this.
    if (!accepted && !pending && transfer->inner.Internal == 0)
        return Refused(transfer->isRead ? TraceDirection::In : TraceDirection::Out, what);
    relay_.Started(transfer, pending);
    if (!accepted) {
        SetLastError(error);
        return false;
    }
    if (transferred)
        *transferred = transfer->inner.InternalHigh;
    return true;
}

void TracedDevice::TransferEnded(const RelayedTransfer &transfer) {
    const auto error = static_cast<int>(transfer.inner.Internal);
    const std::uint32_t moved = transfer.inner.InternalHigh;
    if (transfer.isRead) {
        if (moved)
            trace_->RecordBytes(TraceDirection::In, std::string_view(transfer.buffer, moved));
        if (error)
            trace_->Record(TraceDirection::In, "read ended: " + Reason(error));
    } else if (error || moved < transfer.count) {
        trace_->Record(TraceDirection::Out, "write ended after " + std::to_string(moved) + " of " +
                                                std::to_string(transfer.count) +
                                                " bytes: " + (error ? Reason(error) : "time-out"));
    }
}

bool TracedDevice::PurgeComm(std::uint32_t flags) {
    const bool done = device_->PurgeComm(flags);
    const int error = GetLastError();
    // The aborted transfers reach their callers before the purge returns, as they would
    // without the trace.
    if (flags & (PURGE_TXABORT | PURGE_RXABORT))
        relay_.HandOnEnded();
    SetLastError(error);
    return done;
}

DeviceOpener TracingOpener(DeviceOpener opener, std::shared_ptr<LineTrace> trace) {
    return [opener = std::move(opener),
            trace = std::move(trace)](const std::string &port) -> std::unique_ptr<SerialDevice> {
        auto device = opener(port);
        if (!device) {
            const int error = GetLastError();
            trace->Record(TraceDirection::Port, "open " + port + " failed: " + Reason(error));
            SetLastError(error);
            return nullptr;
        }
        trace->Record(TraceDirection::Port, "open " + port);
        return std::make_unique<TracedDevice>(std::move(device), port, trace);
    };
}

} // namespace serial
