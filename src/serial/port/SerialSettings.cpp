#include "serial/port/SerialSettings.h"

#include "serial/port/ESerialPort.h"
#include "serial/port/SerialPort.h"

namespace serial {

void TSerialSettings::Changed() {
    if (ownerPort_)
        ApplyToPort(*ownerPort_);
}

void TSerialSettings::FailAssign(const TPersistent &source) const {
    throw EAssignError(source.ClassName(), ClassName());
}

// Copies field by field: no setter runs, OwnerPort stays, nothing reaches the device.

void TSerialParity::Assign(const TPersistent &source) {
    const auto &from = SameClass<TSerialParity>(source);
    bits_ = from.bits_;
    check_ = from.check_;
    replace_ = from.replace_;
    replaceChar_ = from.replaceChar_;
}

void TSerialParity::ApplyToPort(TCustomSerialPort &port) { port.ApplyLineSettings(); }

TFlowControl TSerialFlowControl::FlowControl() const {
    const bool noXonXoff = !xonXoffIn_ && !xonXoffOut_;
    if (controlRTS_ == rtsHandshake && outCTSFlow_ && noXonXoff)
        return fcHardware;
    if (controlRTS_ == rtsDisable && !outCTSFlow_ && xonXoffIn_ && xonXoffOut_)
        return fcSoftware;
    if (controlRTS_ == rtsDisable && !outCTSFlow_ && noXonXoff)
        return fcNone;
    return fcCustom;
}

void TSerialFlowControl::SetFlowControl(TFlowControl value) {
    if (value != fcCustom) {
        controlRTS_ = rtsDisable;
        outCTSFlow_ = xonXoffIn_ = xonXoffOut_ = false;
        if (value == fcHardware) {
            controlRTS_ = rtsHandshake;
            outCTSFlow_ = true;
        } else if (value == fcSoftware) {
            xonXoffIn_ = xonXoffOut_ = true;
        }
    }
    Changed();
}

void TSerialFlowControl::Assign(const TPersistent &source) {
    const auto &from = SameClass<TSerialFlowControl>(source);
    outCTSFlow_ = from.outCTSFlow_;
    outDSRFlow_ = from.outDSRFlow_;
    controlDTR_ = from.controlDTR_;
    controlRTS_ = from.controlRTS_;
    xonXoffOut_ = from.xonXoffOut_;
    xonXoffIn_ = from.xonXoffIn_;
    dsrSensitivity_ = from.dsrSensitivity_;
    txContinueOnXoff_ = from.txContinueOnXoff_;
    xonChar_ = from.xonChar_;
    xoffChar_ = from.xoffChar_;
}

void TSerialFlowControl::ApplyToPort(TCustomSerialPort &port) { port.ApplyLineSettings(); }

void TSerialTimeouts::Assign(const TPersistent &source) {
    const auto &from = SameClass<TSerialTimeouts>(source);
    readInterval_ = from.readInterval_;
    readTotalMultiplier_ = from.readTotalMultiplier_;
    readTotalConstant_ = from.readTotalConstant_;
    writeTotalMultiplier_ = from.writeTotalMultiplier_;
    writeTotalConstant_ = from.writeTotalConstant_;
}

void TSerialTimeouts::ApplyToPort(TCustomSerialPort &port) { port.ApplyTimeoutSettings(); }

// The comparison is made before the odd-size adjustment, so setting 1025 over 1024 still
// counts as a change.
void TSerialBuffer::StoreSize(std::int32_t &field, std::int32_t value) {
    if (field == value)
        return;
    field = value > 0 && value % 2 != 0 ? value - 1 : value;
    Changed();
}

void TSerialBuffer::Assign(const TPersistent &source) {
    const auto &from = SameClass<TSerialBuffer>(source);
    inputSize_ = from.inputSize_;
    outputSize_ = from.outputSize_;
}

void TSerialBuffer::ApplyToPort(TCustomSerialPort &port) { port.ApplyBufferSettings(); }

} // namespace serial
