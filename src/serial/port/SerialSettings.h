// The four settings objects a serial port owns: parity, flow control, time-outs and
// queue sizes. A change asks the owning port to push the affected group to its device.
#pragma once

#include "base/Event.h"
#include "serial/port/SerialTypes.h"

#include <cstdint>

namespace serial {

class TCustomSerialPort;

// The framework's persistent base: objects that can be copied from one another.
class TPersistent : public platform::TObject {
public:
    // Copies from source; fails with EAssignError when source is of another class.
    virtual void Assign(const TPersistent &source) = 0;
    virtual const char *ClassName() const = 0;
};

// What the four settings objects share: the owning port and the store-then-apply rule.
class TSerialSettings : public TPersistent {
public:
    TCustomSerialPort *OwnerPort() const { return ownerPort_; }
    void SetOwnerPort(TCustomSerialPort *port) { ownerPort_ = port; }

protected:
    // Asks the owning port, if any, to apply this object's group to its device.
    virtual void ApplyToPort(TCustomSerialPort &port) = 0;
    void Changed();
    // Stores value and applies; nothing at all when the value is already there.
    template <typename T> void Store(T &field, T value) {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // The object of the same class to copy from, or EAssignError.
    template <typename Self> const Self &SameClass(const TPersistent &source) const {
        const auto *same = dynamic_cast<const Self *>(&source);
        if (!same)
            FailAssign(source);
        return *same;
    }

private:
    [[noreturn]] void FailAssign(const TPersistent &source) const;
    TCustomSerialPort *ownerPort_ = nullptr;
};

class TSerialParity : public TSerialSettings {
public:
    TParityBits Bits() const { return bits_; }
    void SetBits(TParityBits value) { Store(bits_, value); }
    bool Check() const { return check_; }
    void SetCheck(bool value) { Store(check_, value); }
    bool Replace() const { return replace_; }
    void SetReplace(bool value) { Store(replace_, value); }
    char ReplaceChar() const { return replaceChar_; }
    void SetReplaceChar(char value) { Store(replaceChar_, value); }

    void Assign(const TPersistent &source) override;
    const char *ClassName() const override { return "TSerialParity"; }

protected:
    void ApplyToPort(TCustomSerialPort &port) override;

private:
    TParityBits bits_ = prNone;
    bool check_ = false;
    bool replace_ = false;
    char replaceChar_ = 0;
};

class TSerialFlowControl : public TSerialSettings {
public:
    bool OutCTSFlow() const { return outCTSFlow_; }
    void SetOutCTSFlow(bool value) { Store(outCTSFlow_, value); }
    bool OutDSRFlow() const { return outDSRFlow_; }
    void SetOutDSRFlow(bool value) { Store(outDSRFlow_, value); }
    TDTRFlowControl ControlDTR() const { return controlDTR_; }
    void SetControlDTR(TDTRFlowControl value) { Store(controlDTR_, value); }
    TRTSFlowControl ControlRTS() const { return controlRTS_; }
    void SetControlRTS(TRTSFlowControl value) { Store(controlRTS_, value); }
    bool XonXoffOut() const { return xonXoffOut_; }
    void SetXonXoffOut(bool value) { Store(xonXoffOut_, value); }
    bool XonXoffIn() const { return xonXoffIn_; }
    void SetXonXoffIn(bool value) { Store(xonXoffIn_, value); }
    bool DSRSensitivity() const { return dsrSensitivity_; }
    void SetDSRSensitivity(bool value) { Store(dsrSensitivity_, value); }
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool value) { Store(txContinueOnXoff_, value); }
    char XonChar() const { return xonChar_; }
    void SetXonChar(char value) { Store(xonChar_, value); }
    char XoffChar() const { return xoffChar_; }
    void SetXoffChar(char value) { Store(xoffChar_, value); }

    // A summary of ControlRTS, OutCTSFlow, XonXoffIn and XonXoffOut, with no storage of
    // its own. Writing it always applies the line settings, even when nothing changed.
    TFlowControl FlowControl() const;
    void SetFlowControl(TFlowControl value);

    void Assign(const TPersistent &source) override;
    const char *ClassName() const override { return "TSerialFlowControl"; }

protected:
    void ApplyToPort(TCustomSerialPort &port) override;

private:
    bool outCTSFlow_ = false;
    bool outDSRFlow_ = false;
    TDTRFlowControl controlDTR_ = dtrDisable;
    TRTSFlowControl controlRTS_ = rtsDisable;
    bool xonXoffOut_ = false;
    bool xonXoffIn_ = false;
    bool dsrSensitivity_ = false;
    bool txContinueOnXoff_ = false;
    char xonChar_ = 17;
    char xoffChar_ = 19;
};

// Milliseconds; 0 switches a time-out off, ReadInterval -1 means no interval limit.
class TSerialTimeouts : public TSerialSettings {
public:
    std::int32_t ReadInterval() const { return readInterval_; }
    void SetReadInterval(std::int32_t value) { Store(readInterval_, value); }
    std::int32_t ReadTotalMultiplier() const { return readTotalMultiplier_; }
    void SetReadTotalMultiplier(std::int32_t value) { Store(readTotalMultiplier_, value); }
    std::int32_t ReadTotalConstant() const { return readTotalConstant_; }
    void SetReadTotalConstant(std::int32_t value) { Store(readTotalConstant_, value); }
    std::int32_t WriteTotalMultiplier() const { return writeTotalMultiplier_; }
    void SetWriteTotalMultiplier(std::int32_t value) { Store(writeTotalMultiplier_, value); }
    std::int32_t WriteTotalConstant() const { return writeTotalConstant_; }
    void SetWriteTotalConstant(std::int32_t value) { Store(writeTotalConstant_, value); }

    void Assign(const TPersistent &source) override;
    const char *ClassName() const override { return "TSerialTimeouts"; }

protected:
    void ApplyToPort(TCustomSerialPort &port) override;

private:
    std::int32_t readInterval_ = -1;
    std::int32_t readTotalMultiplier_ = 0;
    std::int32_t readTotalConstant_ = 0;
    std::int32_t writeTotalMultiplier_ = 100;
    std::int32_t writeTotalConstant_ = 1000;
};

// Queue sizes in bytes. A positive odd size is lowered by one when set.
class TSerialBuffer : public TSerialSettings {
public:
    std::int32_t InputSize() const { return inputSize_; }
    void SetInputSize(std::int32_t value) { StoreSize(inputSize_, value); }
    std::int32_t OutputSize() const { return outputSize_; }
    void SetOutputSize(std::int32_t value) { StoreSize(outputSize_, value); }

    void Assign(const TPersistent &source) override;
    const char *ClassName() const override { return "TSerialBuffer"; }

protected:
    void ApplyToPort(TCustomSerialPort &port) override;

private:
    void StoreSize(std::int32_t &field, std::int32_t value);

    std::int32_t inputSize_ = 1024;
    std::int32_t outputSize_ = 1024;
};

} // namespace serial
