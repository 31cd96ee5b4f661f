// The device interface under the serial port component: the communications calls the
// component makes, with the Windows comm API's records, codes and overlapped model, so the
// component is written once above any back end (termios device, in-process virtual line).
#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace serial {

// ---- Codes shared with the component (values of the Windows comm API) ----------------

constexpr std::uint32_t MAXDWORD = 0xFFFFFFFFu;

// Comm event mask bits.
constexpr std::uint32_t EV_RXCHAR = 0x0001, EV_RXFLAG = 0x0002, EV_TXEMPTY = 0x0004,
                        EV_CTS = 0x0008, EV_DSR = 0x0010, EV_RLSD = 0x0020, EV_BREAK = 0x0040,
                        EV_ERR = 0x0080, EV_RING = 0x0100, EV_RX80FULL = 0x0400;

// Error word of ClearCommError.
constexpr std::uint32_t CE_RXOVER = 0x0001, CE_OVERRUN = 0x0002, CE_RXPARITY = 0x0004,
                        CE_FRAME = 0x0008, CE_BREAK = 0x0010, CE_TXFULL = 0x0100, CE_IOE = 0x0400,
                        CE_MODE = 0x8000;

// Modem status of GetCommModemStatus.
constexpr std::uint32_t MS_CTS_ON = 0x10, MS_DSR_ON = 0x20, MS_RING_ON = 0x40, MS_RLSD_ON = 0x80;

// PurgeComm actions.
constexpr std::uint32_t PURGE_TXABORT = 0x0001, PURGE_RXABORT = 0x0002, PURGE_TXCLEAR = 0x0004,
                        PURGE_RXCLEAR = 0x0008;

// EscapeCommFunction functions.
constexpr std::uint32_t SETXOFF = 1, SETXON = 2, SETRTS = 3, CLRRTS = 4, SETDTR = 5, CLRDTR = 6,
                        SETBREAK = 8, CLRBREAK = 9;

// DCB codes.
constexpr std::uint8_t NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4;
constexpr std::uint8_t ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2;
constexpr std::uint32_t DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1, DTR_CONTROL_HANDSHAKE = 2;
constexpr std::uint32_t RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1, RTS_CONTROL_HANDSHAKE = 2,
                        RTS_CONTROL_TOGGLE = 3;

// DCB flag bits.
constexpr std::uint32_t fBinary = 1u << 0, fParity = 1u << 1, fOutxCtsFlow = 1u << 2,
                        fOutxDsrFlow = 1u << 3, fDtrControlShift = 4, fDtrControlMask = 3u << 4,
                        fDsrSensitivity = 1u << 6, fTXContinueOnXoff = 1u << 7, fOutX = 1u << 8,
                        fInX = 1u << 9, fErrorChar = 1u << 10, fNull = 1u << 11,
                        fRtsControlShift = 12, fRtsControlMask = 3u << 12, fAbortOnError = 1u << 14;

// Operating-system error codes are errno values on this platform. These name the ones
// the overlapped model gives a meaning of its own.
constexpr int ERROR_IO_PENDING = EINPROGRESS;      // an overlapped operation was started
constexpr int ERROR_IO_INCOMPLETE = EALREADY;      // its result is not there yet
constexpr int ERROR_OPERATION_ABORTED = ECANCELED; // ended by PurgeComm's abort actions
constexpr int ERROR_INVALID_HANDLE = EBADF;        // a call on a closed port
constexpr int ERROR_ACCESS_DENIED = EBUSY;         // the device is open elsewhere
constexpr int ERROR_FILE_NOT_FOUND = ENOENT;       // no such device

// The calling thread's last error, as each failing call leaves it.
int GetLastError();
void SetLastError(int error);

// ---- Records -------------------------------------------------------------------------

// The device-control block, 28 bytes, field for field.
struct TDCB {
    std::uint32_t DCBlength = 28;
    std::uint32_t BaudRate = 0;
    std::uint32_t Flags = 0;
    std::uint16_t wReserved = 0;
    std::uint16_t XonLim = 0;
    std::uint16_t XoffLim = 0;
    std::uint8_t ByteSize = 0;
    std::uint8_t Parity = 0;
    std::uint8_t StopBits = 0;
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    std::uint16_t wReserved1 = 0;

    friend bool operator==(const TDCB &, const TDCB &) = default;
};
static_assert(sizeof(TDCB) == 28);

struct TCommTimeouts {
    std::uint32_t ReadIntervalTimeout = 0;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;

    friend bool operator==(const TCommTimeouts &, const TCommTimeouts &) = default;
};

// Status record of ClearCommError.
struct TComStat {
    bool CtsHold = false;
    bool DsrHold = false;
    bool XoffHold = false;
    std::uint32_t cbInQue = 0;
    std::uint32_t cbOutQue = 0;
};

// A device's own wait for one of its pending operations, lent to whoever waits for it
// (AttachWaitPump below): a thread that blocks in it, or a loop that watches the device's
// descriptor among others (the main thread's event loop). Either way the waiter hears
// from the device itself rather than from another thread that completes the operation:
// one wake-up fewer.
class WaitPump {
public:
    virtual ~WaitPump() = default;
    // Blocks until the device has something to take in, wakeFd is readable or the
    // time-out (-1: none) has passed, takes in what came (which may complete the
    // operation), and returns.
    virtual void Pump(int wakeFd, int timeoutMs) = 0;
    // The descriptor that turns readable when the device has something to take in; -1
    // when the device has none to offer (then only its completions tell).
    virtual int Descriptor() const = 0;
    // While a loop watches the descriptor, the device's own thread leaves the input to it.
    virtual void SetLoopWatching(bool watching) = 0;
    // Takes in what the device has, without blocking (which may complete the operation).
    virtual void TakeIn() = 0;
};

// A manual-reset event that threads wait on, alone or several at once.
class TWaitEvent {
public:
    explicit TWaitEvent(bool initiallySet);
    ~TWaitEvent();
    TWaitEvent(const TWaitEvent &) = delete;
    TWaitEvent &operator=(const TWaitEvent &) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // From now on each setting of the event (by Set or a completed operation) also writes
    // to fd, an eventfd that a loop watches; -1 ends that.
    void NotifyDescriptor(int fd);
    // While it lives, a setting of the event on this thread does not write the descriptor:
    // the thread looks at the event itself right after.
    class LookingSelf {
    public:
        explicit LookingSelf(TWaitEvent &event);
        ~LookingSelf();
        LookingSelf(const LookingSelf &) = delete;
        LookingSelf &operator=(const LookingSelf &) = delete;

    private:
        const void *outer_;
    };

private:
    friend int WaitForEvents(const std::vector<TWaitEvent *> &, std::uint32_t);
    friend void BeginOverlapped(struct TOverlapped &);
    friend void CompleteOverlapped(struct TOverlapped &, int, std::uint32_t);
    friend void AttachWaitPump(struct TOverlapped &, std::shared_ptr<WaitPump>);
    friend std::shared_ptr<WaitPump> AttachedWaitPump(const struct TOverlapped &);
    struct State;
    std::shared_ptr<State> state_;
};

constexpr std::uint32_t INFINITE = MAXDWORD;
constexpr int WAIT_TIMEOUT = -1;
// Waits until any of the events is set (or the time-out in milliseconds passes) and
// returns the index of the first set event, or WAIT_TIMEOUT.
int WaitForEvents(const std::vector<TWaitEvent *> &events, std::uint32_t timeoutMs);

// The overlapped header: two status words, two offset words and the event. A device that
// accepts an overlapped operation marks it pending (Internal = STATUS_PENDING, event
// reset); when the operation ends it stores the error code (0 for success) in Internal
// and the byte count in InternalHigh, then sets the event (BeginOverlapped and
// CompleteOverlapped below).
constexpr std::uint32_t STATUS_PENDING = 0x103;
struct TOverlapped {
    std::uint32_t Internal = 0;
    std::uint32_t InternalHigh = 0;
    std::uint32_t Offset = 0;
    std::uint32_t OffsetHigh = 0;
    TWaitEvent *hEvent = nullptr;
};

// Device side of the overlapped model: marks an accepted operation pending (event
// reset), and later stores its result (error 0 for success) and sets its event. Both
// take the events' lock, so GetOverlappedResult on another thread sees a whole result.
void BeginOverlapped(TOverlapped &overlapped);
void CompleteOverlapped(TOverlapped &overlapped, int error, std::uint32_t transferred);

// Lends the device's wait to whoever waits for a pending operation. Attached while the
// operation is pending; completing it detaches the pump. A thread that waits for the
// operation's event pumps it; a loop takes it with AttachedWaitPump.
void AttachWaitPump(TOverlapped &overlapped, std::shared_ptr<WaitPump> pump);
// The pump attached to a pending operation, or null.
std::shared_ptr<WaitPump> AttachedWaitPump(const TOverlapped &overlapped);

// Device side, with the device's lock held, at the end of a call that started an
// overlapped operation: the call's result. True with the byte count stored when the
// operation ended at once without error, false with its error when it ended with one,
// false with ERROR_IO_PENDING while it goes on.
bool StartedOperationResult(const TOverlapped &overlapped, std::uint32_t *transferred);

// ---- The device ------------------------------------------------------------------------

// One open serial device. Each call returns false on failure and then leaves the error in
// GetLastError(). Overlapped calls either complete at once (true, with the byte count
// stored when a pointer is given, the header completed and its event set) or start
// (false with ERROR_IO_PENDING) and complete later from another thread. The memory an
// overlapped call was given (buffer, event mask, header) must stay valid until it ends.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    virtual bool SetCommState(const TDCB &dcb) = 0;
    virtual bool SetCommTimeouts(const TCommTimeouts &timeouts) = 0;
    virtual bool SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) = 0;
    virtual bool EscapeCommFunction(std::uint32_t function) = 0;
    virtual bool GetCommModemStatus(std::uint32_t &modemStatus) = 0;
    virtual bool ClearCommError(std::uint32_t &errors, TComStat *status) = 0;
    virtual bool SetCommMask(std::uint32_t mask) = 0;
    // Completes when one of the masked events occurs (or SetCommMask is called, with a
    // mask of 0), storing the events that occurred in mask.
    virtual bool WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) = 0;
    virtual bool ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                          TOverlapped &overlapped) = 0;
    virtual bool WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                           TOverlapped &overlapped) = 0;
    virtual bool PurgeComm(std::uint32_t flags) = 0;
};

// Fetches the result of an overlapped operation: waits for its event first when wait is
// true; fails with ERROR_IO_INCOMPLETE while it is still pending, and with the
// operation's own error when it ended with one.
bool GetOverlappedResult(TOverlapped &overlapped, std::uint32_t &transferred, bool wait);

// Opens a device by port name ("COM1", "COM2" or an absolute device path) for exclusive
// use; null with the error in GetLastError() on failure. The port component opens its
// devices through the opener in force, so the program, the simulated mode and the tests
// can each choose the back end.
using DeviceOpener = std::function<std::unique_ptr<SerialDevice>(const std::string &port)>;
void SetDeviceOpener(DeviceOpener opener);
std::unique_ptr<SerialDevice> OpenDevice(const std::string &port);

} // namespace serial
