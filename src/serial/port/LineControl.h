// What the device-control block's modes mean for the output lines, the input handshake
// and the input queue's events, decoded once for every back end.
#pragma once

#include "serial/port/SerialDevice.h"

#include <cstddef>

namespace serial {

inline std::uint32_t DtrControlOf(const TDCB &dcb) {
    return (dcb.Flags & fDtrControlMask) >> fDtrControlShift;
}
inline std::uint32_t RtsControlOf(const TDCB &dcb) {
    return (dcb.Flags & fRtsControlMask) >> fRtsControlShift;
}

// The level a block gives DTR and RTS as it is set: raised when enabled, and raised to
// begin with under the input handshake. The toggle mode raises RTS only while sending.
inline bool DtrRaisedByMode(const TDCB &dcb) {
    const std::uint32_t mode = DtrControlOf(dcb);
    return mode == DTR_CONTROL_ENABLE || mode == DTR_CONTROL_HANDSHAKE;
}
inline bool RtsRaisedByMode(const TDCB &dcb) {
    const std::uint32_t mode = RtsControlOf(dcb);
    return mode == RTS_CONTROL_ENABLE || mode == RTS_CONTROL_HANDSHAKE;
}

// The input handshake on the receive queue: the sender is held (its line dropped) once
// no more than XoffLim bytes are free, and released once no more than XonLim bytes wait.
inline bool InputHeld(bool heldNow, std::size_t used, std::size_t capacity, const TDCB &dcb) {
    const std::size_t free = used < capacity ? capacity - used : 0;
    if (!heldNow)
        return free <= dcb.XoffLim;
    return used > dcb.XonLim;
}

// EV_RX80FULL: the receive queue has just reached 80 % of its size.
inline bool ReachedNearlyFull(std::size_t before, std::size_t after, std::size_t capacity) {
    auto nearlyFull = [capacity](std::size_t used) { return used * 5 >= capacity * 4; };
    return capacity > 0 && !nearlyFull(before) && nearlyFull(after);
}

} // namespace serial
