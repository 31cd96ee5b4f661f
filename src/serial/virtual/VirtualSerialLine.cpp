// The virtual line's handle: opening the program's end, the module's end and inspection.
#include "serial/virtual/VirtualSerialLine.h"

#include "serial/port/LineControl.h"
#include "serial/virtual/VirtualProgramEnd.h"

namespace serial {

VirtualSerialLine::VirtualSerialLine() : core_(std::make_shared<Core>()) {}

std::unique_ptr<SerialDevice> VirtualSerialLine::OpenProgramEnd() {
    std::lock_guard lock(core_->mutex);
    auto &c = *core_;
    if (c.unplugged) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    if (c.open) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    c.open = true;
    c.sessionDead = false;
    c.toProgram.clear();
    c.toModule.clear();
    c.errors = c.eventMask = c.eventHistory = 0;
    c.xoffHeld = c.inputHeld = false;
    c.Touch();
    return std::make_unique<VirtualProgramEnd>(core_);
}

bool VirtualSerialLine::ProgramEndOpen() const {
    std::lock_guard lock(core_->mutex);
    return core_->open;
}

DeviceOpener VirtualSerialLine::Opener(std::map<std::string, VirtualSerialLine> lines) {
    return [lines = std::move(lines)](const std::string &port) -> std::unique_ptr<SerialDevice> {
        auto it = lines.find(port);
        if (it == lines.end()) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        auto line = it->second;
        return line.OpenProgramEnd();
    };
}

std::size_t VirtualSerialLine::WriteToProgram(const std::string &bytes) {
    std::lock_guard lock(core_->mutex);
    auto &c = *core_;
    if (!c.open || c.sessionDead)
        return 0;
    const auto flags = c.dcb.Flags;
    const std::size_t before = c.toProgram.size();
    std::uint32_t events = 0;
    std::size_t taken = 0;
    for (char ch : bytes) {
        if ((flags & fOutX) && (ch == c.dcb.XoffChar || ch == c.dcb.XonChar)) {
            c.xoffHeld = ch == c.dcb.XoffChar;
            continue;
        }
        if (((flags & fDsrSensitivity) && !c.dsr) || ((flags & fNull) && ch == 0))
            continue;
        if (c.toProgram.size() >= c.inSize) {
            c.errors |= CE_RXOVER;
            continue;
        }
        c.toProgram.push_back(static_cast<std::uint8_t>(ch));
        ++taken;
        events |= EV_RXCHAR;
        if (ch == c.dcb.EvtChar)
            events |= EV_RXFLAG;
    }
    if (ReachedNearlyFull(before, c.toProgram.size(), c.inSize))
        events |= EV_RX80FULL;
    c.UpdateHandshakeLines();
    c.Raise(events);
    c.Pump();
    return taken;
}

std::string VirtualSerialLine::ReadFromProgram(std::size_t maxBytes,
                                               std::chrono::milliseconds wait) {
    std::string out;
    std::unique_lock lock(core_->mutex);
    auto &c = *core_;
    // A module without input room takes bytes straight from the program's output.
    auto available = [&] {
        if (c.toModule.empty() && c.moduleCapacity == 0)
            c.Pump(maxBytes);
        return !c.toModule.empty();
    };
    c.moduleChanged.wait_for(lock, wait, available);
    while (out.size() < maxBytes && !c.toModule.empty()) {
        out.push_back(static_cast<char>(c.toModule.front()));
        c.toModule.pop_front();
    }
    c.Pump();
    return out;
}

std::size_t VirtualSerialLine::PendingFromProgram() const {
    std::lock_guard lock(core_->mutex);
    return core_->toModule.size();
}

void VirtualSerialLine::SetModuleInputCapacity(std::size_t capacity) {
    std::lock_guard lock(core_->mutex);
    core_->moduleCapacity = capacity;
    core_->Pump();
}

namespace {
// Sets one of the lines the module drives and raises its event on a change.
void DriveLine(VirtualSerialLine::Core &c, bool VirtualSerialLine::Core::*line, bool on,
               std::uint32_t event) {
    std::lock_guard lock(c.mutex);
    if (c.*line == on)
        return;
    c.*line = on;
    if (c.open && !c.sessionDead) {
        c.Raise(event);
        c.Pump(); // CTS or DSR may release held output
    }
}
} // namespace

void VirtualSerialLine::SetCTS(bool on) { DriveLine(*core_, &Core::cts, on, EV_CTS); }
void VirtualSerialLine::SetDSR(bool on) { DriveLine(*core_, &Core::dsr, on, EV_DSR); }
void VirtualSerialLine::SetRing(bool on) { DriveLine(*core_, &Core::ring, on, EV_RING); }
void VirtualSerialLine::SetRLSD(bool on) { DriveLine(*core_, &Core::rlsd, on, EV_RLSD); }

bool VirtualSerialLine::RTS() const {
    std::lock_guard lock(core_->mutex);
    return core_->rts;
}

bool VirtualSerialLine::DTR() const {
    std::lock_guard lock(core_->mutex);
    return core_->dtr;
}

std::uint64_t VirtualSerialLine::Activity() const {
    std::lock_guard lock(core_->mutex);
    return core_->activity;
}

std::uint64_t VirtualSerialLine::WaitForActivity(std::uint64_t seen,
                                                 std::chrono::milliseconds wait) {
    std::unique_lock lock(core_->mutex);
    const std::uint64_t wakes = core_->moduleWakes;
    core_->moduleChanged.wait_for(
        lock, wait, [&] { return core_->activity != seen || core_->moduleWakes != wakes; });
    return core_->activity;
}

void VirtualSerialLine::WakeModule() {
    std::lock_guard lock(core_->mutex);
    ++core_->moduleWakes;
    core_->moduleChanged.notify_all();
}

bool VirtualSerialLine::WaitForRTS(bool on, std::chrono::milliseconds wait) {
    std::unique_lock lock(core_->mutex);
    return core_->moduleChanged.wait_for(lock, wait, [&] { return core_->rts == on; });
}

void VirtualSerialLine::InjectLineErrors(std::uint32_t ceBits) {
    std::lock_guard lock(core_->mutex);
    auto &c = *core_;
    if (!c.open || c.sessionDead)
        return;
    ceBits &= CE_FRAME | CE_RXPARITY | CE_OVERRUN | CE_BREAK;
    c.errors |= ceBits;
    std::uint32_t events = 0;
    if (ceBits & (CE_FRAME | CE_RXPARITY | CE_OVERRUN))
        events |= EV_ERR;
    if (ceBits & CE_BREAK)
        events |= EV_BREAK;
    c.Raise(events);
}

void VirtualSerialLine::Unplug() {
    std::lock_guard lock(core_->mutex);
    auto &c = *core_;
    c.unplugged = true;
    if (c.open && !c.sessionDead) {
        c.sessionDead = true;
        c.reads.Abort(EIO);
        c.AbortWrites(EIO);
        c.toProgram.clear();
        // The loss is an error event, reported once as a hang-up is on a terminal: it
        // ends the pending wait, or waits for the next one.
        c.Raise(EV_ERR);
        c.EndWait(EIO, 0);
        c.Touch();
    }
}

void VirtualSerialLine::Replug() {
    std::lock_guard lock(core_->mutex);
    core_->unplugged = false;
}

bool VirtualSerialLine::Unplugged() const {
    std::lock_guard lock(core_->mutex);
    return core_->unplugged;
}

TDCB VirtualSerialLine::CommState() const {
    std::lock_guard lock(core_->mutex);
    return core_->dcb;
}

TCommTimeouts VirtualSerialLine::CommTimeouts() const {
    std::lock_guard lock(core_->mutex);
    return core_->timeouts;
}

std::uint32_t VirtualSerialLine::InputQueueSize() const {
    std::lock_guard lock(core_->mutex);
    return core_->inSize;
}

std::uint32_t VirtualSerialLine::OutputQueueSize() const {
    std::lock_guard lock(core_->mutex);
    return core_->outSize;
}

std::uint32_t VirtualSerialLine::CommMask() const {
    std::lock_guard lock(core_->mutex);
    return core_->eventMask;
}

int VirtualSerialLine::CallCount(VirtualCall call) const {
    std::lock_guard lock(core_->mutex);
    return core_->callCounts[static_cast<std::size_t>(call)];
}

void VirtualSerialLine::FailCall(VirtualCall call, int error) {
    std::lock_guard lock(core_->mutex);
    core_->failures[static_cast<std::size_t>(call)] = error;
}

} // namespace serial
