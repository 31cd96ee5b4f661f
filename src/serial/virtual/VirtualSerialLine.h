// An in-process serial line with two ends: the program's end, a SerialDevice that the
// port component opens, and the module's end, driven by a simulated module or a test.
#pragma once

#include "serial/port/SerialDevice.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace serial {

// The device calls of the program's end, for counting and for injected failures.
enum class VirtualCall {
    SetCommState,
    SetCommTimeouts,
    SetupComm,
    EscapeCommFunction,
    GetCommModemStatus,
    ClearCommError,
    SetCommMask,
    WaitCommEvent,
    ReadFile,
    WriteFile,
    PurgeComm,
};

// A copyable handle: copies share the same line. Every member is thread-safe; the
// module's end is meant to be driven from its own thread.
//
// The line behaves as a serial device does on the program's side: queue sizes from
// SetupComm (input overflow drops the byte and reports CE_RXOVER), the event mask and a
// cancellable event wait, the read and write time-outs, flow control of the output by
// CTS, DSR and Xon/Xoff, RTS and DTR from the control modes and the escape functions,
// line errors and breaks, and unplugging. Bytes leave the program's output as soon as
// flow control allows and the module's input has room (see SetModuleInputCapacity);
// a write completes once all its bytes have left.
class VirtualSerialLine {
public:
    VirtualSerialLine();

    // ---- The program's end -----------------------------------------------------------

    // Opens the program's end for exclusive use. Null with GetLastError() set when it is
    // already open (ERROR_ACCESS_DENIED) or the line is unplugged (ERROR_FILE_NOT_FOUND).
    // Opening empties both directions and clears pending errors and events; RTS and DTR
    // stay low until the line settings or an escape function raise them. Closing (the
    // device's destruction) ends pending operations with ERROR_OPERATION_ABORTED and
    // drops RTS and DTR.
    std::unique_ptr<SerialDevice> OpenProgramEnd();
    bool ProgramEndOpen() const;

    // An opener for SetDeviceOpener that opens the line registered under the port name
    // and fails with ERROR_FILE_NOT_FOUND for any other name.
    static DeviceOpener Opener(std::map<std::string, VirtualSerialLine> lines);

    // ---- The module's end --------------------------------------------------------------

    // Sends bytes to the program. Bytes that find the program's input queue full are
    // dropped and reported as CE_RXOVER; Xon/Xoff characters are consumed when the
    // program's output uses Xon/Xoff. Returns the number of bytes the queue took.
    // Ignored while the program's end is closed or the line unplugged (returns 0).
    std::size_t WriteToProgram(const std::string &bytes);

    // Takes up to maxBytes of what the program sent, waiting up to wait for the first
    // byte when nothing is there yet.
    std::string ReadFromProgram(std::size_t maxBytes = SIZE_MAX,
                                std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    // Bytes the program sent that the module has not taken yet.
    std::size_t PendingFromProgram() const;
    // How many bytes the module's input holds before the program's output must wait
    // (default 65536). 0 models a module that takes bytes only as it reads them.
    void SetModuleInputCapacity(std::size_t capacity);

    // Modem lines: the module drives CTS, DSR, ring and carrier detect (RLSD) and sees
    // RTS and DTR. A change of a driven line raises its event on the program's end.
    void SetCTS(bool on);
    void SetDSR(bool on);
    void SetRing(bool on);
    void SetRLSD(bool on);
    bool RTS() const;
    bool DTR() const;

    // A counter that grows whenever something reaches the module: bytes from the program,
    // an RTS or DTR change, the program's end opened or closed. WaitForActivity returns
    // as soon as the counter differs from seen (or wait has passed) and gives its value.
    std::uint64_t Activity() const;
    std::uint64_t WaitForActivity(std::uint64_t seen, std::chrono::milliseconds wait);
    // Ends the module's WaitForActivity under way at once, without any activity (a clock
    // that the module also sleeps on has moved).
    void WakeModule();
    // Waits until RTS has the given level; false if wait passed first.
    bool WaitForRTS(bool on, std::chrono::milliseconds wait);

    // Line errors seen by the program's receiver: any of CE_FRAME, CE_RXPARITY and
    // CE_OVERRUN (raise EV_ERR) and CE_BREAK (raises EV_BREAK). They stay pending until
    // ClearCommError reads them.
    void InjectLineErrors(std::uint32_t ceBits);
    void InjectBreak() { InjectLineErrors(CE_BREAK); }

    // Pulls the cable: every later call on the open program's end fails with EIO and its
    // pending operations end with EIO. The loss is reported once as EV_ERR (when the mask
    // holds it): the pending event wait completes with it, or else the next wait does;
    // later waits fail at once. ClearCommError still answers, with CE_IOE. The line
    // cannot be opened again until Replug.
    void Unplug();
    void Replug();
    bool Unplugged() const;

    // ---- Inspection and fault injection for tests --------------------------------------

    TDCB CommState() const;
    TCommTimeouts CommTimeouts() const;
    std::uint32_t InputQueueSize() const;
    std::uint32_t OutputQueueSize() const;
    std::uint32_t CommMask() const;
    // Calls made on the program's end since the line was created (failed ones included).
    int CallCount(VirtualCall call) const;
    // Makes every later call of that kind fail with error (0 clears the failure).
    void FailCall(VirtualCall call, int error);

    struct Core;

private:
    std::shared_ptr<Core> core_;
};

} // namespace serial
