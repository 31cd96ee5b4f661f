// The program's end of a virtual serial line: the device calls of the port component.
#include "serial/VirtualProgramEnd.h"

#include <algorithm>

namespace serial {

namespace {

bool Fail(int error) {
    SetLastError(error);
    return false;
}

std::uint64_t Span(std::uint32_t multiplier, std::uint32_t count, std::uint32_t constant) {
    return std::uint64_t(multiplier) * count + constant;
}

} // namespace

VirtualProgramEnd::VirtualProgramEnd(std::shared_ptr<VirtualSerialLine::Core> core)
    : core_(std::move(core)) {}

VirtualProgramEnd::~VirtualProgramEnd() {
    Completions done;
    {
        std::lock_guard lock(core_->mutex);
        auto &c = *core_;
        c.AbortReads(ERROR_OPERATION_ABORTED, done);
        c.AbortWrites(ERROR_OPERATION_ABORTED, done);
        if (c.wait) {
            done.push_back({c.wait->overlapped, ERROR_OPERATION_ABORTED, 0});
            c.wait.reset();
        }
        c.open = false;
        c.sessionDead = false;
        c.eventMask = c.eventHistory = c.errors = 0;
        c.toProgram.clear();
        c.xoffHeld = false;
        c.rts = c.dtr = false;
        c.Touch();
    }
    Deliver(done);
}

// Counts the call and refuses it when a failure is injected or the cable is pulled.
bool VirtualProgramEnd::Admit(VirtualCall call) {
    auto &c = *core_;
    const auto index = static_cast<std::size_t>(call);
    ++c.callCounts[index];
    if (c.failures[index])
        return Fail(c.failures[index]);
    if (c.sessionDead)
        return Fail(EIO);
    return true;
}

bool VirtualProgramEnd::SetCommState(const TDCB &dcb) {
    Completions done;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::SetCommState))
            return false;
        if (dcb.BaudRate == 0 || dcb.ByteSize < 5 || dcb.ByteSize > 8 || dcb.Parity > SPACEPARITY ||
            dcb.StopBits > TWOSTOPBITS)
            return Fail(EINVAL);
        auto &c = *core_;
        c.dcb = dcb;
        const auto dtrMode = (dcb.Flags & fDtrControlMask) >> fDtrControlShift;
        const auto rtsMode = (dcb.Flags & fRtsControlMask) >> fRtsControlShift;
        c.SetLine(c.dtr, dtrMode == DTR_CONTROL_ENABLE || dtrMode == DTR_CONTROL_HANDSHAKE);
        c.SetLine(c.rts, rtsMode == RTS_CONTROL_ENABLE || rtsMode == RTS_CONTROL_HANDSHAKE);
        c.UpdateHandshakeLines();
        c.Pump(done);
    }
    Deliver(done);
    return true;
}

bool VirtualProgramEnd::SetCommTimeouts(const TCommTimeouts &timeouts) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::SetCommTimeouts))
        return false;
    core_->timeouts = timeouts;
    return true;
}

bool VirtualProgramEnd::SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::SetupComm))
        return false;
    core_->inSize = inQueue;
    core_->outSize = outQueue;
    return true;
}

bool VirtualProgramEnd::EscapeCommFunction(std::uint32_t function) {
    Completions done;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::EscapeCommFunction))
            return false;
        auto &c = *core_;
        switch (function) {
        case SETRTS:
        case CLRRTS:
            c.SetLine(c.rts, function == SETRTS);
            break;
        case SETDTR:
        case CLRDTR:
            c.SetLine(c.dtr, function == SETDTR);
            break;
        case SETXOFF:
        case SETXON:
            c.xoffHeld = function == SETXOFF;
            break;
        case SETBREAK:
        case CLRBREAK:
            break;
        default:
            return Fail(EINVAL);
        }
        c.Pump(done);
    }
    Deliver(done);
    return true;
}

bool VirtualProgramEnd::GetCommModemStatus(std::uint32_t &modemStatus) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::GetCommModemStatus))
        return false;
    const auto &c = *core_;
    modemStatus = (c.cts ? MS_CTS_ON : 0) | (c.dsr ? MS_DSR_ON : 0) | (c.ring ? MS_RING_ON : 0) |
                  (c.rlsd ? MS_RLSD_ON : 0);
    return true;
}

bool VirtualProgramEnd::ClearCommError(std::uint32_t &errors, TComStat *status) {
    std::lock_guard lock(core_->mutex);
    auto &c = *core_;
    const auto index = static_cast<std::size_t>(VirtualCall::ClearCommError);
    ++c.callCounts[index];
    if (c.failures[index])
        return Fail(c.failures[index]);
    // A pulled cable still answers here, with the device error.
    errors = c.errors | (c.sessionDead ? CE_IOE : 0);
    c.errors = 0;
    if (status) {
        *status = TComStat{};
        if (!c.sessionDead) {
            status->CtsHold = (c.dcb.Flags & fOutxCtsFlow) && !c.cts;
            status->DsrHold = (c.dcb.Flags & fOutxDsrFlow) && !c.dsr;
            status->XoffHold = (c.dcb.Flags & fOutX) && c.xoffHeld;
            status->cbInQue = static_cast<std::uint32_t>(c.toProgram.size());
            for (const auto &w : c.writes)
                status->cbOutQue += w.count - w.sent;
        }
    }
    return true;
}

bool VirtualProgramEnd::SetCommMask(std::uint32_t mask) {
    Completions done;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::SetCommMask))
            return false;
        auto &c = *core_;
        c.eventMask = mask;
        c.eventHistory = 0;
        if (c.wait) {
            *c.wait->mask = 0;
            done.push_back({c.wait->overlapped, 0, 0});
            c.wait.reset();
        }
    }
    Deliver(done);
    return true;
}

bool VirtualProgramEnd::WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) {
    Completions done;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::WaitCommEvent))
            return false;
        auto &c = *core_;
        if (c.wait || c.eventMask == 0)
            return Fail(EINVAL);
        BeginOverlapped(overlapped);
        if (c.eventHistory & c.eventMask) {
            mask = c.eventHistory & c.eventMask;
            c.eventHistory = 0;
            done.push_back({&overlapped, 0, 0});
        } else {
            c.wait = PendingWait{&mask, &overlapped};
        }
    }
    if (done.empty())
        return Fail(ERROR_IO_PENDING);
    Deliver(done);
    return true;
}

bool VirtualProgramEnd::ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                                 TOverlapped &overlapped) {
    Completions done;
    bool finished = false;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::ReadFile))
            return false;
        auto &c = *core_;
        const auto &t = c.timeouts;
        BeginOverlapped(overlapped);
        PendingRead r;
        r.buffer = static_cast<std::uint8_t *>(buffer);
        r.count = count;
        r.overlapped = &overlapped;
        const bool atOnce = t.ReadIntervalTimeout == MAXDWORD &&
                            t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0;
        const bool firstByte =
            t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
            t.ReadTotalTimeoutConstant != 0 && t.ReadTotalTimeoutConstant != MAXDWORD;
        if (firstByte) {
            r.endOnFirstByte = true;
            r.deadline = Clock::now() + std::chrono::milliseconds(t.ReadTotalTimeoutConstant);
        } else if (!atOnce) {
            if (t.ReadTotalTimeoutMultiplier || t.ReadTotalTimeoutConstant)
                r.deadline = Clock::now() +
                             std::chrono::milliseconds(Span(t.ReadTotalTimeoutMultiplier, count,
                                                            t.ReadTotalTimeoutConstant));
            if (t.ReadIntervalTimeout && t.ReadIntervalTimeout != MAXDWORD)
                r.interval = std::chrono::milliseconds(t.ReadIntervalTimeout);
        }
        // Bytes already waiting go to the first reader in line.
        if (c.reads.empty()) {
            while (r.got < count && !c.toProgram.empty()) {
                r.buffer[r.got++] = c.toProgram.front();
                c.toProgram.pop_front();
            }
            r.lastByte = Clock::now();
            c.UpdateHandshakeLines();
        }
        finished = r.got == count || atOnce || (r.endOnFirstByte && r.got > 0);
        if (finished) {
            if (read)
                *read = r.got;
            done.push_back({&overlapped, 0, r.got});
        } else {
            c.reads.push_back(r);
            if (r.deadline || r.interval)
                c.EnsureService();
            c.Pump(done);
        }
    }
    Deliver(done);
    return finished ? true : Fail(ERROR_IO_PENDING);
}

bool VirtualProgramEnd::WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                                  TOverlapped &overlapped) {
    Completions done;
    bool atOnce = false;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::WriteFile))
            return false;
        auto &c = *core_;
        BeginOverlapped(overlapped);
        if (count == 0) {
            atOnce = true;
            done.push_back({&overlapped, 0, 0});
        } else {
            PendingWrite w;
            w.buffer = static_cast<const std::uint8_t *>(buffer);
            w.count = count;
            w.overlapped = &overlapped;
            const auto &t = c.timeouts;
            if (t.WriteTotalTimeoutMultiplier || t.WriteTotalTimeoutConstant) {
                w.deadline = Clock::now() +
                             std::chrono::milliseconds(Span(t.WriteTotalTimeoutMultiplier, count,
                                                            t.WriteTotalTimeoutConstant));
                c.EnsureService();
            }
            c.writes.push_back(w);
            c.Pump(done);
            atOnce = std::any_of(done.begin(), done.end(),
                                 [&](const Completion &d) { return d.overlapped == &overlapped; });
        }
        if (atOnce && written)
            *written = count;
    }
    Deliver(done);
    return atOnce ? true : Fail(ERROR_IO_PENDING);
}

bool VirtualProgramEnd::PurgeComm(std::uint32_t flags) {
    Completions done;
    {
        std::lock_guard lock(core_->mutex);
        if (!Admit(VirtualCall::PurgeComm))
            return false;
        auto &c = *core_;
        if (flags & PURGE_TXABORT)
            c.AbortWrites(ERROR_OPERATION_ABORTED, done);
        if (flags & PURGE_RXABORT)
            c.AbortReads(ERROR_OPERATION_ABORTED, done);
        if (flags & PURGE_RXCLEAR) {
            c.toProgram.clear();
            c.UpdateHandshakeLines();
        }
    }
    Deliver(done);
    return true;
}

} // namespace serial
