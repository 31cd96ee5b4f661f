#include "serial/posix/PosixSerialDevice.h"

#include "serial/posix/PosixLineSettings.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace serial {

namespace {

constexpr std::uint32_t kKnownEvents = 0x1FFF;
constexpr std::uint32_t kAllPurges = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
constexpr std::uint32_t kLargestQueue = 64u << 20;

} // namespace

std::unique_ptr<PosixSerialDevice> PosixSerialDevice::Open(const std::string &path) {
    int error = 0;
    auto terminal = OpenPosixTerminal(path, error);
    if (!terminal) {
        SetLastError(error);
        return nullptr;
    }
    return Attach(std::move(terminal));
}

std::unique_ptr<PosixSerialDevice>
PosixSerialDevice::Attach(std::unique_ptr<PosixTerminal> terminal) {
    std::unique_ptr<PosixSerialDevice> device(new PosixSerialDevice(std::move(terminal)));
    device->StartThreads();
    return device;
}

PosixSerialDevice::PosixSerialDevice(std::unique_ptr<PosixTerminal> terminal)
    : terminal_(std::move(terminal)) {
    dcb_.BaudRate = 9600;
    dcb_.ByteSize = 8;
    std::uint32_t status = 0;
    hasModemLines_ = terminal_->ModemStatus(status) == 0;
    modemStatus_ = status;
    hasCounters_ = terminal_->ReadCounters(errorBaseline_) == 0;
    eventBaseline_ = errorBaseline_;
}

PosixSerialDevice::~PosixSerialDevice() {
    StopThreads();
    {
        std::lock_guard lock(mutex_);
        reads_.Abort(ERROR_OPERATION_ABORTED);
        AbortWrites(ERROR_OPERATION_ABORTED);
        if (wait_) {
            CompleteOverlapped(*wait_->overlapped, ERROR_OPERATION_ABORTED, 0);
            wait_.reset();
        }
    }
}

// The event worker's wait watches the terminal's input itself: received bytes reach the
// worker with one wake-up instead of two (the I/O thread's, then the worker's).
// While it does, the I/O thread leaves the input alone.
void PosixSerialDevice::PumpEventWait(int wakeFd, int timeoutMs) {
    short events = 0;
    {
        std::lock_guard lock(mutex_);
        if (!lost_ && wait_ && rx_.size() < rxCapacity_)
            events = POLLIN;
        ++pumpers_;
        if (ioWatchesInput_)
            Wake(); // the I/O thread stops watching the input
    }
    const short ready = terminal_->WaitAlongside(events, wakeFd, timeoutMs);
    std::lock_guard lock(mutex_);
    --pumpers_;
    if (ready && !lost_) {
        TakeInput();
    }
    if (wait_)
        Wake(); // still pending: the I/O thread watches the input again
}

void PosixSerialDevice::StartThreads() {
    eventWaitPump_ = std::make_shared<const WaitPump>(
        [this](int wakeFd, int timeoutMs) { PumpEventWait(wakeFd, timeoutMs); });
    if (hasModemLines_) {
        watcherNotifies_ = true;
        watcher_ =
            std::make_unique<PosixModemWatcher>(*terminal_, [this](PosixModemWatcher::Report r) {
                const int news = r == PosixModemWatcher::Report::Changed       ? kLinesChanged
                                 : r == PosixModemWatcher::Report::Unsupported ? kCannotNotify
                                                                               : kWatcherLost;
                watcherNews_.fetch_or(news);
                Wake();
            });
    }
    ioThread_ = std::thread([this] { IoLoop(); });
}

// The watcher goes first, by signal, so that no thread still uses the descriptor when it
// is closed (closing it does not wake a blocked ioctl).
void PosixSerialDevice::StopThreads() {
    if (watcher_)
        watcher_->Stop();
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    Wake();
    if (ioThread_.joinable())
        ioThread_.join();
}

void PosixSerialDevice::Wake() { terminal_->Wake(); }

bool PosixSerialDevice::Fail(int error) {
    SetLastError(error);
    return false;
}

bool PosixSerialDevice::FailOnLoss(int error) {
    if (error == EIO)
        DeviceLost();
    return Fail(error);
}

bool PosixSerialDevice::SetCommState(const TDCB &dcb) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (int error = terminal_->ApplyLineSettings(dcb))
        return FailOnLoss(error);
    dcb_ = dcb;
    // The output lines follow the block at once; handshake and toggle modes are driven
    // by the I/O thread. A device without modem lines (ENOTTY) has nothing to set.
    auto applyLine = [&](OutputLine line, bool on) {
        const int error = terminal_->SetOutputLine(line, on);
        return error == 0 || error == ENOTTY || error == EINVAL ? 0 : error;
    };
    inputThrottled_ = false;
    int error = applyLine(OutputLine::DTR, DtrRaisedByMode(dcb));
    if (!error && !UsesKernelRtsCts(dcb))
        error = applyLine(OutputLine::RTS, RtsRaisedByMode(dcb));
    if (error)
        return Fail(error);
    UpdateInputThrottle();
    Wake();
    return true;
}

bool PosixSerialDevice::SetCommTimeouts(const TCommTimeouts &timeouts) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (!TimeoutsAccepted(timeouts))
        return Fail(EINVAL);
    timeouts_ = timeouts;
    return true;
}

bool PosixSerialDevice::SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (inQueue > kLargestQueue || outQueue > kLargestQueue)
        return Fail(EINVAL);
    // Writes are sent from the callers' own buffers, so only the receive ring has a size.
    if (inQueue > 0)
        rxCapacity_ = std::max<std::uint32_t>(inQueue, 16);
    UpdateInputThrottle();
    Wake();
    return true;
}

bool PosixSerialDevice::EscapeCommFunction(std::uint32_t function) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    int error = 0;
    switch (function) {
    case SETRTS:
    case CLRRTS:
        error = terminal_->SetOutputLine(OutputLine::RTS, function == SETRTS);
        break;
    case SETDTR:
    case CLRDTR:
        error = terminal_->SetOutputLine(OutputLine::DTR, function == SETDTR);
        break;
    case SETXOFF:
    case SETXON:
        error = terminal_->SuspendOutput(function == SETXOFF);
        break;
    case SETBREAK:
    case CLRBREAK:
        error = terminal_->SetBreak(function == SETBREAK);
        break;
    default:
        error = EINVAL;
    }
    if (error)
        return FailOnLoss(error);
    Wake(); // a resumed output may go on
    return true;
}

bool PosixSerialDevice::GetCommModemStatus(std::uint32_t &modemStatus) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (!hasModemLines_) {
        modemStatus = 0;
        return true;
    }
    if (int error = terminal_->ModemStatus(modemStatus))
        return FailOnLoss(error);
    return true;
}

// The input count is what a read would get: the bytes the driver holds are taken into
// the receive ring first, decoded (error marks removed, nulls dropped as asked).
bool PosixSerialDevice::ClearCommError(std::uint32_t &errors, TComStat *status) {
    std::lock_guard lock(mutex_);
    if (!lost_) {
        TakeInput();
    }
    errors = latchedErrors_;
    LineCounters now;
    if (!lost_ && hasCounters_ && terminal_->ReadCounters(now) == 0) {
        const LineCounters &was = errorBaseline_;
        errors |=
            (now.frame != was.frame ? CE_FRAME : 0) | (now.parity != was.parity ? CE_RXPARITY : 0) |
            (now.overrun != was.overrun ? CE_OVERRUN : 0) | (now.brk != was.brk ? CE_BREAK : 0) |
            (now.bufOverrun != was.bufOverrun ? CE_RXOVER : 0);
        errorBaseline_ = now;
    }
    latchedErrors_ = lost_ ? CE_IOE : 0;
    abortedByError_ = false;
    if (status) {
        std::uint32_t queued = 0;
        for (const auto &op : writes_)
            queued += op.count - op.accepted;
        const bool ctsFlow = (dcb_.Flags & fOutxCtsFlow) && hasModemLines_;
        const bool dsrFlow = (dcb_.Flags & fOutxDsrFlow) && hasModemLines_;
        status->CtsHold = ctsFlow && !(modemStatus_ & MS_CTS_ON);
        status->DsrHold = dsrFlow && !(modemStatus_ & MS_DSR_ON);
        status->XoffHold = false; // the line discipline does not tell
        status->cbInQue = static_cast<std::uint32_t>(rx_.size());
        status->cbOutQue = (lost_ ? 0 : DriverOutputQueue()) + queued;
    }
    return true;
}

bool PosixSerialDevice::SetCommMask(std::uint32_t mask) {
    std::lock_guard lock(mutex_);
    if (mask & ~kKnownEvents)
        return Fail(EINVAL);
    mask_ = mask;
    occurred_ = 0;
    if (wait_) {
        *wait_->mask = 0;
        CompleteOverlapped(*wait_->overlapped, 0, 0);
        wait_.reset();
    }
    Wake();
    return true;
}

bool PosixSerialDevice::WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) {
    std::lock_guard lock(mutex_);
    if (wait_ || mask_ == 0)
        return Fail(EINVAL);
    if (!lost_)
        TakeInput(); // bytes that came while no one watched the input
    // Events recorded before the device was lost (EV_ERR of the loss itself among them)
    // are still reported once; only then do waits fail.
    if (lost_ && !occurred_)
        return Fail(EIO);
    BeginOverlapped(overlapped);
    if (occurred_) {
        mask = occurred_;
        occurred_ = 0;
        CompleteOverlapped(overlapped, 0, 0);
        return true;
    }
    wait_ = PendingWait{&mask, &overlapped};
    // The thread that waits for it watches the input itself (the pump); the I/O thread
    // is told only when it checks the lines for this wait too.
    AttachWaitPump(overlapped, eventWaitPump_);
    if (ModemTimerWanted())
        Wake();
    return Fail(ERROR_IO_PENDING);
}

bool PosixSerialDevice::ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                                 TOverlapped &overlapped) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (abortedByError_)
        return Fail(ERROR_OPERATION_ABORTED);
    BeginOverlapped(overlapped);
    const bool first = reads_.Empty();
    reads_.Add(buffer, count, overlapped);
    if (first) {
        TakeInput();
    }
    if (overlapped.Internal == STATUS_PENDING)
        Wake(); // the I/O thread serves it from now on
    return StartedOperationResult(overlapped, read);
}

bool PosixSerialDevice::WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                                  TOverlapped &overlapped) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (abortedByError_)
        return Fail(ERROR_OPERATION_ABORTED);
    BeginOverlapped(overlapped);
    const bool first = writes_.empty();
    writes_.push_back(WriteOp{static_cast<const std::uint8_t *>(buffer), count, &overlapped});
    if (first)
        PushWrites(terminal_->Now()); // the driver may take and send it all at once
    if (overlapped.Internal == STATUS_PENDING)
        Wake(); // the I/O thread serves it from now on
    return StartedOperationResult(overlapped, written);
}

bool PosixSerialDevice::PurgeComm(std::uint32_t flags) {
    std::lock_guard lock(mutex_);
    if (flags & ~kAllPurges)
        return Fail(EINVAL);
    if (flags & PURGE_TXABORT)
        AbortWrites(ERROR_OPERATION_ABORTED);
    if (flags & PURGE_RXABORT)
        reads_.Abort(ERROR_OPERATION_ABORTED);
    // The driver's buffers are flushed; bytes already in a UART FIFO or a USB chip still go.
    const bool input = flags & PURGE_RXCLEAR, output = flags & PURGE_TXCLEAR;
    if ((input || output) && !lost_)
        terminal_->Flush(input, output);
    if (input) {
        rx_.clear();
        marks_.Reset();
        UpdateInputThrottle();
    }
    Wake();
    return true;
}

} // namespace serial
