// The program's end of a virtual serial line: the device calls of the port component.
#include "serial/virtual/VirtualProgramEnd.h"

#include "serial/port/LineControl.h"

namespace serial {

namespace {

bool Fail(int error) {
    SetLastError(error);
    return false;
}

} // namespace

VirtualProgramEnd::VirtualProgramEnd(std::shared_ptr<VirtualSerialLine::Core> core)
    : core_(std::move(core)) {}

VirtualProgramEnd::~VirtualProgramEnd() {
    std::lock_guard lock(core_->mutex);
    auto &c = *core_;
    c.reads.Abort(ERROR_OPERATION_ABORTED);
    c.AbortWrites(ERROR_OPERATION_ABORTED);
    c.EndWait(ERROR_OPERATION_ABORTED, 0);
    c.open = false;
    c.sessionDead = false;
    c.eventMask = c.eventHistory = c.errors = 0;
    c.toProgram.clear();
    c.xoffHeld = c.inputHeld = false;
    c.rts = c.dtr = false;
    c.Touch();
}

// Counts the call and refuses it when a failure is injected or the cable is pulled.
bool VirtualProgramEnd::Admit(VirtualCall call, bool evenIfPulled) {
    auto &c = *core_;
    const auto index = static_cast<std::size_t>(call);
    ++c.callCounts[index];
    if (c.failures[index])
        return Fail(c.failures[index]);
    if (c.sessionDead && !evenIfPulled)
        return Fail(EIO);
    return true;
}

bool VirtualProgramEnd::SetCommState(const TDCB &dcb) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::SetCommState))
        return false;
    if (dcb.BaudRate == 0 || dcb.ByteSize < 5 || dcb.ByteSize > 8 || dcb.Parity > SPACEPARITY ||
        dcb.StopBits > TWOSTOPBITS)
        return Fail(EINVAL);
    auto &c = *core_;
    c.dcb = dcb;
    c.ApplyLineModes();
    c.Pump();
    return true;
}

bool VirtualProgramEnd::SetCommTimeouts(const TCommTimeouts &timeouts) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::SetCommTimeouts))
        return false;
    if (!TimeoutsAccepted(timeouts))
        return Fail(EINVAL);
    core_->timeouts = timeouts;
    return true;
}

bool VirtualProgramEnd::SetupComm(std::uint32_t inQueue, std::uint32_t outQueue) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::SetupComm))
        return false;
    core_->inSize = inQueue;
    core_->outSize = outQueue;
    core_->UpdateHandshakeLines();
    return true;
}

bool VirtualProgramEnd::EscapeCommFunction(std::uint32_t function) {
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
    c.Pump();
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
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::SetCommMask))
        return false;
    auto &c = *core_;
    c.eventMask = mask;
    c.eventHistory = 0;
    c.EndWait(0, 0);
    return true;
}

bool VirtualProgramEnd::WaitCommEvent(std::uint32_t &mask, TOverlapped &overlapped) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::WaitCommEvent, true))
        return false;
    auto &c = *core_;
    if (c.wait || c.eventMask == 0)
        return Fail(EINVAL);
    // A pulled cable still reports what occurred before (its own EV_ERR among it) once.
    if (c.sessionDead && !(c.eventHistory & c.eventMask))
        return Fail(EIO);
    BeginOverlapped(overlapped);
    c.wait = PendingWait{&mask, &overlapped};
    if (c.eventHistory & c.eventMask) {
        c.EndWait(0, c.eventHistory & c.eventMask);
        return true;
    }
    return Fail(ERROR_IO_PENDING);
}

bool VirtualProgramEnd::ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                                 TOverlapped &overlapped) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::ReadFile))
        return false;
    BeginOverlapped(overlapped);
    core_->reads.Add(buffer, count, overlapped);
    core_->Pump();
    return StartedOperationResult(overlapped, read);
}

bool VirtualProgramEnd::WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                                  TOverlapped &overlapped) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::WriteFile))
        return false;
    BeginOverlapped(overlapped);
    if (count == 0)
        CompleteOverlapped(overlapped, 0, 0);
    else
        core_->writes.push_back(
            PendingWrite{static_cast<const std::uint8_t *>(buffer), count, 0, &overlapped});
    core_->Pump();
    return StartedOperationResult(overlapped, written);
}

bool VirtualProgramEnd::PurgeComm(std::uint32_t flags) {
    std::lock_guard lock(core_->mutex);
    if (!Admit(VirtualCall::PurgeComm))
        return false;
    auto &c = *core_;
    if (flags & PURGE_TXABORT)
        c.AbortWrites(ERROR_OPERATION_ABORTED);
    if (flags & PURGE_RXABORT)
        c.reads.Abort(ERROR_OPERATION_ABORTED);
    if (flags & PURGE_RXCLEAR) {
        c.toProgram.clear();
        c.UpdateHandshakeLines();
    }
    return true;
}

} // namespace serial
