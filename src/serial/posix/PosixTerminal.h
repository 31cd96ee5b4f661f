// The calls the termios device makes on its open terminal: the data, the line settings,
// the modem lines and their counters, the queues, and the waits of its threads. The
// device reaches the terminal only through this interface, so the logic that real
// adapters exercise (modem-line changes, emulated flow control, the drain of the output)
// can be tested on a fake that keeps a driver's state.
#pragma once

#include "serial/port/CommTimeouts.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace serial {

// The driver's counters of line events since the device was opened (TIOCGICOUNT).
struct LineCounters {
    int cts = 0, dsr = 0, rng = 0, dcd = 0;
    int frame = 0, parity = 0, overrun = 0, brk = 0, bufOverrun = 0;
    friend bool operator==(const LineCounters &, const LineCounters &) = default;
};

// Output lines, as the TIOCM_RTS and TIOCM_DTR bits.
enum class OutputLine { RTS, DTR };

// Calls that return int give 0 or an errno value.
class PosixTerminal {
public:
    virtual ~PosixTerminal() = default;

    virtual DeviceTime Now() = 0;
    // What one wait of the I/O thread saw.
    struct Ready {
        bool woken = false; // Wake() was called since the last wait
        short terminal = 0; // the terminal's poll events (POLLIN, POLLOUT, POLLHUP...)
    };
    // The I/O thread's wait: until Wake() is called (from any thread), the terminal
    // reports one of `events` or a hang-up or error, or `until` has passed. Without
    // events the terminal is not watched at all.
    virtual Ready Wait(std::optional<short> events, DeviceTime until) = 0;
    virtual void Wake() = 0;
    // Another thread's wait on the terminal: until it reports one of `events` (0: none)
    // or a hang-up or error, otherFd is readable, or timeoutMs (-1: none) has passed.
    // The terminal's poll events.
    virtual short WaitAlongside(short events, int otherFd, int timeoutMs) = 0;
    // The descriptor a loop may watch for the terminal's input; -1 when it has none.
    virtual int Descriptor() const = 0;
    // read() and write() that never block: the bytes moved, or minus an errno value
    // (-EAGAIN: nothing to read, or no room); a read of 0 is a hang-up.
    virtual long Read(void *buffer, std::size_t size) = 0;
    virtual long Write(const void *data, std::size_t size) = 0;

    virtual int ApplyLineSettings(const TDCB &dcb) = 0;
    // The input lines as MS_* bits; ENOTTY: the device has no modem lines.
    virtual int ModemStatus(std::uint32_t &status) = 0;
    virtual int SetOutputLine(OutputLine line, bool on) = 0;
    // ENOTTY or EINVAL: the driver keeps no counters.
    virtual int ReadCounters(LineCounters &counters) = 0;
    // Blocks until one of CTS, DSR, DCD and RI changes (TIOCMIWAIT); EINTR when a signal
    // interrupts it, ENOTTY or EINVAL when the driver cannot notify.
    virtual int WaitForLineChange() = 0;
    // Bytes the driver still holds to send (0 when it cannot tell).
    virtual std::uint32_t OutputQueue() = 0;
    virtual int Flush(bool input, bool output) = 0;
    // Output suspended or resumed as on a received XOFF or XON.
    virtual int SuspendOutput(bool suspend) = 0;
    virtual int SetBreak(bool on) = 0;
};

// Opens a terminal for exclusive use, raw (VMIN 1, VTIME 0, CLOCAL) and non-blocking,
// with an eventfd as the wake-up of its waits; null with the errno value in error on
// failure (ERROR_ACCESS_DENIED when it is open
// elsewhere, ENOTTY when it is no terminal).
std::unique_ptr<PosixTerminal> OpenPosixTerminal(const std::string &path, int &error);

} // namespace serial
