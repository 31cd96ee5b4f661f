#include "serial/virtual/VirtualLineCore.h"

#include "serial/port/LineControl.h"

#include <algorithm>
#include <cstdint>

namespace serial {

VirtualSerialLine::Core::~Core() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    serviceWake.notify_all();
    if (service.joinable())
        service.join();
}

void VirtualSerialLine::Core::Touch() {
    ++activity;
    moduleChanged.notify_all();
}

void VirtualSerialLine::Core::Raise(std::uint32_t events) {
    events &= eventMask;
    if (!events)
        return;
    if (wait)
        EndWait(0, events | eventHistory);
    else
        eventHistory |= events;
}

void VirtualSerialLine::Core::EndWait(int error, std::uint32_t events) {
    if (!wait)
        return;
    if (!error) {
        *wait->mask = events;
        eventHistory = 0;
    }
    CompleteOverlapped(*wait->overlapped, error, 0);
    wait.reset();
}

void VirtualSerialLine::Core::AbortWrites(int error) {
    for (auto &w : writes)
        CompleteOverlapped(*w.overlapped, error, w.sent);
    writes.clear();
}

bool VirtualSerialLine::Core::OutputHeld() const {
    if ((dcb.Flags & fOutxCtsFlow) && !cts)
        return true;
    if ((dcb.Flags & fOutxDsrFlow) && !dsr)
        return true;
    return (dcb.Flags & fOutX) && xoffHeld;
}

void VirtualSerialLine::Core::SetLine(bool &line, bool on) {
    if (line != on) {
        line = on;
        Touch();
    }
}

void VirtualSerialLine::Core::ApplyLineModes() {
    inputHeld = false;
    SetLine(dtr, DtrRaisedByMode(dcb));
    SetLine(rts, RtsRaisedByMode(dcb));
    UpdateHandshakeLines();
}

void VirtualSerialLine::Core::UpdateHandshakeLines() {
    const bool rtsHandshake = RtsControlOf(dcb) == RTS_CONTROL_HANDSHAKE;
    const bool dtrHandshake = DtrControlOf(dcb) == DTR_CONTROL_HANDSHAKE;
    if (!rtsHandshake && !dtrHandshake)
        return;
    const bool held = InputHeld(inputHeld, toProgram.size(), inSize, dcb);
    if (held == inputHeld)
        return;
    inputHeld = held;
    if (rtsHandshake)
        SetLine(rts, !held);
    if (dtrHandshake)
        SetLine(dtr, !held);
}

void VirtualSerialLine::Core::Transmit(std::size_t extraRoom) {
    bool moved = false;
    const std::size_t limit =
        extraRoom > SIZE_MAX - moduleCapacity ? SIZE_MAX : moduleCapacity + extraRoom;
    while (!writes.empty() && !OutputHeld() && toModule.size() < limit) {
        PendingWrite &w = writes.front();
        const std::size_t n = std::min<std::size_t>(w.count - w.sent, limit - toModule.size());
        toModule.insert(toModule.end(), w.buffer + w.sent, w.buffer + w.sent + n);
        w.sent += static_cast<std::uint32_t>(n);
        moved = moved || n > 0;
        if (w.sent < w.count)
            break;
        CompleteOverlapped(*w.overlapped, 0, w.sent);
        writes.pop_front();
    }
    if (moved) {
        Touch();
        if (writes.empty())
            Raise(EV_TXEMPTY);
    }
}

void VirtualSerialLine::Core::ServeReads() {
    if (reads.Serve(toProgram, timeouts, DeviceClock::now()))
        UpdateHandshakeLines();
}

// A write that runs out of time ends with what was sent; the rest never goes out.
void VirtualSerialLine::Core::ExpireWrite() {
    const auto now = DeviceClock::now();
    while (!writes.empty()) {
        PendingWrite &w = writes.front();
        if (!w.started) {
            w.started = true;
            if (const auto limit = PlanWrite(timeouts, w.count))
                w.deadline = now + *limit;
        }
        if (now < w.deadline)
            break;
        CompleteOverlapped(*w.overlapped, 0, w.sent);
        writes.pop_front();
    }
}

void VirtualSerialLine::Core::Pump(std::size_t extraRoom) {
    ExpireWrite();
    Transmit(extraRoom);
    ExpireWrite();
    ServeReads();
    if (NextDeadline() != kNever)
        EnsureService();
    serviceWake.notify_all();
}

DeviceTime VirtualSerialLine::Core::NextDeadline() const {
    const DeviceTime write = writes.empty() ? kNever : writes.front().deadline;
    return std::min(reads.Deadline(), write);
}

void VirtualSerialLine::Core::EnsureService() {
    if (!service.joinable())
        service = std::thread(&Core::ServiceLoop, this);
}

void VirtualSerialLine::Core::ServiceLoop() {
    std::unique_lock lock(mutex);
    while (!stopping) {
        const DeviceTime next = NextDeadline();
        if (next != kNever)
            serviceWake.wait_until(lock, next);
        else
            serviceWake.wait(lock);
        if (!stopping)
            Pump();
    }
}

} // namespace serial
