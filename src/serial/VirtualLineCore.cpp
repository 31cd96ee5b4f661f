#include "serial/VirtualLineCore.h"

#include <algorithm>
#include <cstdint>

namespace serial {

void Deliver(const Completions &completions) {
    for (const auto &c : completions)
        CompleteOverlapped(*c.overlapped, c.error, c.transferred);
}

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

void VirtualSerialLine::Core::Raise(std::uint32_t events, Completions &done) {
    events &= eventMask;
    if (!events)
        return;
    if (wait) {
        *wait->mask = events | eventHistory;
        eventHistory = 0;
        done.push_back({wait->overlapped, 0, 0});
        wait.reset();
    } else {
        eventHistory |= events;
    }
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

// Input handshake: the line drops when the input queue is nearly full and rises again
// once it has drained, with the limits of the device-control block.
void VirtualSerialLine::Core::UpdateHandshakeLines() {
    const bool rtsHandshake =
        ((dcb.Flags & fRtsControlMask) >> fRtsControlShift) == RTS_CONTROL_HANDSHAKE;
    const bool dtrHandshake =
        ((dcb.Flags & fDtrControlMask) >> fDtrControlShift) == DTR_CONTROL_HANDSHAKE;
    if (!rtsHandshake && !dtrHandshake)
        return;
    const std::size_t used = toProgram.size();
    const std::size_t freeRoom = used < inSize ? inSize - used : 0;
    std::optional<bool> level;
    if (freeRoom <= dcb.XoffLim)
        level = false;
    else if (used <= dcb.XonLim)
        level = true;
    if (!level)
        return;
    if (rtsHandshake)
        SetLine(rts, *level);
    if (dtrHandshake)
        SetLine(dtr, *level);
}

void VirtualSerialLine::Core::Transmit(Completions &done, std::size_t extraRoom) {
    bool moved = false;
    while (!writes.empty() && !OutputHeld()) {
        const std::size_t limit =
            extraRoom > SIZE_MAX - moduleCapacity ? SIZE_MAX : moduleCapacity + extraRoom;
        if (toModule.size() >= limit)
            break;
        PendingWrite &w = writes.front();
        const std::size_t n = std::min<std::size_t>(w.count - w.sent, limit - toModule.size());
        toModule.insert(toModule.end(), w.buffer + w.sent, w.buffer + w.sent + n);
        w.sent += static_cast<std::uint32_t>(n);
        moved = moved || n > 0;
        if (w.sent == w.count) {
            done.push_back({w.overlapped, 0, w.sent});
            writes.pop_front();
        }
    }
    if (moved) {
        Touch();
        if (writes.empty())
            Raise(EV_TXEMPTY, done);
    }
}

void VirtualSerialLine::Core::ServeReads(Completions &done) {
    const auto now = Clock::now();
    bool took = false;
    while (!reads.empty() && !toProgram.empty()) {
        PendingRead &r = reads.front();
        while (r.got < r.count && !toProgram.empty()) {
            r.buffer[r.got++] = toProgram.front();
            toProgram.pop_front();
        }
        r.lastByte = now;
        took = true;
        if (r.got == r.count || r.endOnFirstByte) {
            done.push_back({r.overlapped, 0, r.got});
            reads.pop_front();
        }
    }
    if (took)
        UpdateHandshakeLines();
}

void VirtualSerialLine::Core::ExpireOperations(Completions &done) {
    const auto now = Clock::now();
    for (auto it = reads.begin(); it != reads.end();) {
        const bool total = it->deadline && now >= *it->deadline;
        const bool pause = it->interval && it->got > 0 && now - it->lastByte >= *it->interval;
        if (total || pause) {
            done.push_back({it->overlapped, 0, it->got});
            it = reads.erase(it);
        } else {
            ++it;
        }
    }
    // A write that runs out of time ends with what was sent; the rest never goes out.
    for (auto it = writes.begin(); it != writes.end();) {
        if (it->deadline && now >= *it->deadline) {
            done.push_back({it->overlapped, 0, it->sent});
            it = writes.erase(it);
        } else {
            ++it;
        }
    }
}

void VirtualSerialLine::Core::Pump(Completions &done, std::size_t extraRoom) {
    Transmit(done, extraRoom);
    ServeReads(done);
    ExpireOperations(done);
    serviceWake.notify_all();
}

void VirtualSerialLine::Core::AbortReads(int error, Completions &done) {
    for (auto &r : reads)
        done.push_back({r.overlapped, error, r.got});
    reads.clear();
}

void VirtualSerialLine::Core::AbortWrites(int error, Completions &done) {
    for (auto &w : writes)
        done.push_back({w.overlapped, error, w.sent});
    writes.clear();
}

std::optional<Clock::time_point> VirtualSerialLine::Core::NextDeadline() const {
    std::optional<Clock::time_point> next;
    auto consider = [&](Clock::time_point t) { next = next ? std::min(*next, t) : t; };
    for (const auto &r : reads) {
        if (r.deadline)
            consider(*r.deadline);
        if (r.interval && r.got > 0)
            consider(r.lastByte + *r.interval);
    }
    for (const auto &w : writes)
        if (w.deadline)
            consider(*w.deadline);
    return next;
}

void VirtualSerialLine::Core::EnsureService() {
    if (!service.joinable())
        service = std::thread(&Core::ServiceLoop, this);
}

void VirtualSerialLine::Core::ServiceLoop() {
    std::unique_lock lock(mutex);
    while (!stopping) {
        const auto next = NextDeadline();
        if (next)
            serviceWake.wait_until(lock, *next);
        else
            serviceWake.wait(lock);
        if (stopping)
            break;
        Completions done;
        ExpireOperations(done);
        if (!done.empty()) {
            lock.unlock();
            Deliver(done);
            lock.lock();
        }
    }
}

} // namespace serial
