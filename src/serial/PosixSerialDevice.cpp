#include "serial/PosixSerialDevice.h"

#include "serial/PosixLineSettings.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace serial {

namespace {

constexpr std::uint32_t kKnownEvents = 0x1FFF;
constexpr std::uint32_t kAllPurges = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
constexpr std::uint32_t kLargestQueue = 64u << 20;

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

} // namespace

std::unique_ptr<PosixSerialDevice> PosixSerialDevice::Open(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(errno == EBUSY ? ERROR_ACCESS_DENIED : errno);
        return nullptr;
    }
    int error = isatty(fd) ? LockExclusive(fd) : ENOTTY;
    // TIOCEXCL belongs to the terminal, not to this descriptor: it is undone only when
    // this open set it, never when the device was already held by another open.
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
        SetLastError(error);
        return nullptr;
    }
    std::unique_ptr<PosixSerialDevice> device(new PosixSerialDevice(fd, wakeFd));
    device->StartThreads();
    return device;
}

PosixSerialDevice::PosixSerialDevice(int fd, int wakeFd) : fd_(fd), wakeFd_(wakeFd) {
    dcb_.BaudRate = 9600;
    dcb_.ByteSize = 8;
    std::uint32_t status = 0;
    hasModemLines_ = ReadModemStatus(fd_, status) == 0;
    modemStatus_ = status;
    hasCounters_ = ReadLineCounters(fd_, errorBaseline_) == 0;
    eventBaseline_ = errorBaseline_;
}

PosixSerialDevice::~PosixSerialDevice() {
    StopThreads();
    {
        std::lock_guard lock(mutex_);
        AbortReads(ERROR_OPERATION_ABORTED);
        AbortWrites(ERROR_OPERATION_ABORTED);
        if (wait_) {
            CompleteOverlapped(*wait_->overlapped, ERROR_OPERATION_ABORTED, 0);
            wait_.reset();
        }
    }
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    ::close(wakeFd_);
}

void PosixSerialDevice::StartThreads() {
    if (hasModemLines_) {
        watcherNotifies_ = true;
        watcher_ = std::make_unique<PosixModemWatcher>(fd_, [this](PosixModemWatcher::Report r) {
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

void PosixSerialDevice::Wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

bool PosixSerialDevice::Fail(int error) {
    SetLastError(error);
    return false;
}

bool PosixSerialDevice::SetCommState(const TDCB &dcb) {
    std::lock_guard lock(mutex_);
    if (lost_)
        return Fail(EIO);
    if (int error = ApplyLineSettings(fd_, dcb)) {
        if (error == EIO)
            DeviceLost();
        return Fail(error);
    }
    dcb_ = dcb;
    // The output lines follow the block at once; handshake and toggle modes are driven
    // by the I/O thread. A device without modem lines (ENOTTY) has nothing to set.
    auto applyLine = [&](int line, bool on) {
        const int error = SetModemLine(fd_, line, on);
        return error == 0 || error == ENOTTY || error == EINVAL ? 0 : error;
    };
    const std::uint32_t dtr = DtrControlOf(dcb);
    const std::uint32_t rts = RtsControlOf(dcb);
    inputThrottled_ = false;
    int error = applyLine(TIOCM_DTR, dtr != DTR_CONTROL_DISABLE);
    if (!error && !UsesKernelRtsCts(dcb))
        error = applyLine(TIOCM_RTS, rts == RTS_CONTROL_ENABLE || rts == RTS_CONTROL_HANDSHAKE);
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
    // The one combination the comm API refuses: wait for ever for the first byte.
    if (timeouts.ReadIntervalTimeout == MAXDWORD &&
        timeouts.ReadTotalTimeoutMultiplier == MAXDWORD &&
        timeouts.ReadTotalTimeoutConstant == MAXDWORD)
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
        error = SetModemLine(fd_, TIOCM_RTS, function == SETRTS);
        break;
    case SETDTR:
    case CLRDTR:
        error = SetModemLine(fd_, TIOCM_DTR, function == SETDTR);
        break;
    case SETXOFF:
    case SETXON:
        error = tcflow(fd_, function == SETXOFF ? TCOOFF : TCOON) < 0 ? errno : 0;
        break;
    case SETBREAK:
    case CLRBREAK:
        error = ioctl(fd_, function == SETBREAK ? TIOCSBRK : TIOCCBRK) < 0 ? errno : 0;
        break;
    default:
        error = EINVAL;
    }
    if (error == EIO)
        DeviceLost();
    if (error)
        return Fail(error);
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
    if (int error = ReadModemStatus(fd_, modemStatus)) {
        if (error == EIO)
            DeviceLost();
        return Fail(error);
    }
    return true;
}

bool PosixSerialDevice::ClearCommError(std::uint32_t &errors, TComStat *status) {
    std::lock_guard lock(mutex_);
    errors = latchedErrors_;
    LineCounters now;
    if (!lost_ && hasCounters_ && ReadLineCounters(fd_, now) == 0) {
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
        int waiting = 0;
        int unsent = 0;
        if (!lost_) {
            if (ioctl(fd_, FIONREAD, &waiting) < 0)
                waiting = 0;
            if (ioctl(fd_, TIOCOUTQ, &unsent) < 0)
                unsent = 0;
        }
        std::uint32_t queued = 0;
        for (const auto &op : writes_)
            queued += op.count - op.accepted;
        const bool ctsFlow = (dcb_.Flags & fOutxCtsFlow) && hasModemLines_;
        const bool dsrFlow = (dcb_.Flags & fOutxDsrFlow) && hasModemLines_;
        status->CtsHold = ctsFlow && !(modemStatus_ & MS_CTS_ON);
        status->DsrHold = dsrFlow && !(modemStatus_ & MS_DSR_ON);
        status->XoffHold = false; // the line discipline does not tell
        status->cbInQue = static_cast<std::uint32_t>(waiting) + rx_.size();
        status->cbOutQue = static_cast<std::uint32_t>(unsent) + queued;
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
    Wake(); // the line checks' timer depends on a pending wait
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
    const bool first = reads_.empty();
    reads_.push_back(ReadOp{static_cast<std::uint8_t *>(buffer), count, &overlapped});
    if (first) {
        PullFromDevice();
        ServeReads(Clock::now());
        if (reads_.empty()) { // completed at once
            if (read)
                *read = overlapped.InternalHigh;
            const int error = static_cast<int>(overlapped.Internal);
            return error ? Fail(error) : true;
        }
    }
    Wake();
    return Fail(ERROR_IO_PENDING);
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
    if (first) {
        PushWrites(Clock::now());
        if (writes_.empty()) { // the driver took and sent it all
            if (written)
                *written = overlapped.InternalHigh;
            const int error = static_cast<int>(overlapped.Internal);
            return error ? Fail(error) : true;
        }
    }
    Wake();
    return Fail(ERROR_IO_PENDING);
}

bool PosixSerialDevice::PurgeComm(std::uint32_t flags) {
    std::lock_guard lock(mutex_);
    if (flags & ~kAllPurges)
        return Fail(EINVAL);
    if (flags & PURGE_TXABORT)
        AbortWrites(ERROR_OPERATION_ABORTED);
    if (flags & PURGE_RXABORT)
        AbortReads(ERROR_OPERATION_ABORTED);
    // The driver's buffers are flushed; bytes already in a UART FIFO or a USB chip still go.
    if ((flags & PURGE_TXCLEAR) && !lost_)
        tcflush(fd_, TCOFLUSH);
    if (flags & PURGE_RXCLEAR) {
        if (!lost_)
            tcflush(fd_, TCIFLUSH);
        rx_.clear();
        marks_.Reset();
        UpdateInputThrottle();
    }
    Wake();
    return true;
}

} // namespace serial
