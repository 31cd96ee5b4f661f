// The port's events: the firing operations and the handlers the event dispatch runs.
#include "serial/port/SerialPort.h"

namespace serial {

void TCustomSerialPort::FireAfterClose() {
    if (OnAfterClose)
        OnAfterClose(this);
}
void TCustomSerialPort::FireAfterOpen() {
    if (OnAfterOpen)
        OnAfterOpen(this);
}
void TCustomSerialPort::FireBeforeClose() {
    if (OnBeforeClose)
        OnBeforeClose(this);
}
void TCustomSerialPort::FireBeforeOpen() {
    if (OnBeforeOpen)
        OnBeforeOpen(this);
}
void TCustomSerialPort::FireRxChar(int Count) {
    if (OnRxChar)
        OnRxChar(this, Count);
}
void TCustomSerialPort::FireRxBuf(const void *Buffer, int Count) {
    if (OnRxBuf)
        OnRxBuf(this, Buffer, Count);
}
void TCustomSerialPort::FireTxEmpty() {
    if (OnTxEmpty)
        OnTxEmpty(this);
}
void TCustomSerialPort::FireBreak() {
    if (OnBreak)
        OnBreak(this);
}
void TCustomSerialPort::FireRing() {
    if (OnRing)
        OnRing(this);
}
void TCustomSerialPort::FireRxFlag() {
    if (OnRxFlag)
        OnRxFlag(this);
}
void TCustomSerialPort::FireCTSChange(bool OnOff) {
    if (OnCTSChange)
        OnCTSChange(this, OnOff);
}
void TCustomSerialPort::FireDSRChange(bool OnOff) {
    if (OnDSRChange)
        OnDSRChange(this, OnOff);
}
void TCustomSerialPort::FireError(TSerialErrors Errors) {
    if (OnError)
        OnError(this, Errors);
}
void TCustomSerialPort::FireRLSDChange(bool OnOff) {
    if (OnRLSDChange)
        OnRLSDChange(this, OnOff);
}
void TCustomSerialPort::FireRx80Full() {
    if (OnRx80Full)
        OnRx80Full(this);
}

void TCustomSerialPort::HandleError() {
    const TSerialErrors errors = LineErrors();
    if (!errors.Empty())
        FireError(errors);
}

// The count is the one waiting when the handler runs, which may be 0 when the bytes
// have been read since the event fired.
void TCustomSerialPort::HandleRxChar() {
    const std::int32_t count = PendingInput();
    if (count > 0)
        FireRxChar(count);
}

void TCustomSerialPort::HandleTxEmpty() { FireTxEmpty(); }
void TCustomSerialPort::HandleBreak() { FireBreak(); }
void TCustomSerialPort::HandleRing() { FireRing(); }
void TCustomSerialPort::HandleCTSChange() { FireCTSChange(ModemSignals().Contains(msCTS)); }
void TCustomSerialPort::HandleDSRChange() { FireDSRChange(ModemSignals().Contains(msDSR)); }
void TCustomSerialPort::HandleRxFlag() { FireRxFlag(); }
void TCustomSerialPort::HandleRLSDChange() { FireRLSDChange(ModemSignals().Contains(msRLSD)); }
void TCustomSerialPort::HandleRx80Full() { FireRx80Full(); }

void TCustomSerialPort::DeliverEvents(TSerialEvents occurred) {
    const std::thread::id outer = deliveringThread_.exchange(std::this_thread::get_id());
    struct Restore {
        std::atomic<std::thread::id> &slot;
        std::thread::id outer;
        ~Restore() { slot = outer; }
    } restore{deliveringThread_, outer};
    for (TSerialEvent event : DeliveryOrder) {
        // A handler that closed the port ends the batch.
        if (!occurred.Contains(event) || !connected_)
            continue;
        switch (event) {
        case evError:
            HandleError();
            break;
        case evRxChar:
            HandleRxChar();
            break;
        case evTxEmpty:
            HandleTxEmpty();
            break;
        case evBreak:
            HandleBreak();
            break;
        case evRing:
            HandleRing();
            break;
        case evCTS:
            HandleCTSChange();
            break;
        case evDSR:
            HandleDSRChange();
            break;
        case evRxFlag:
            HandleRxFlag();
            break;
        case evRLSD:
            HandleRLSDChange();
            break;
        case evRx80Full:
            HandleRx80Full();
            break;
        }
    }
}

// One event message: its handler runs only while the port is still open.
void TCustomSerialPort::HandlePortEvent(std::uint32_t eventBit) {
    if (!connected_)
        return;
    const TSerialEvents event = MaskToEvents(eventBit);
    if (event.Empty() || EventsToMask(event) != eventBit)
        return; // not exactly one known event bit
    DeliverEvents(event);
}

} // namespace serial
