// The line part of a device-control block (rate, framing, parity, flow control) on termios.
#pragma once

#include "serial/port/LineControl.h"

namespace serial {

// The kernel's RTS/CTS flow control is symmetric: it is used only when the block asks
// for both halves; either half alone is emulated by the device.
inline bool UsesKernelRtsCts(const TDCB &dcb) {
    return RtsControlOf(dcb) == RTS_CONTROL_HANDSHAKE && (dcb.Flags & fOutxCtsFlow);
}

// Checks what termios cannot express (5 data bits with 2 stop bits, 1.5 stop bits with
// more than 5 data bits, unknown codes, a zero rate); 0 or EINVAL.
int ValidateLineSettings(const TDCB &dcb);

// Sets rate, data bits, parity, stop bits, parity checking with in-band error marks,
// RTS/CTS and XON/XOFF on the terminal, raw and non-blocking-friendly (VMIN 1, VTIME 0),
// then reads the settings back: a driver that stored something else (a pseudo-terminal
// forces 8N1; a UART rounds odd rates) is refused and the previous settings restored.
// Returns 0 or an errno value.
int ApplyLineSettings(int fd, const TDCB &dcb);

} // namespace serial
