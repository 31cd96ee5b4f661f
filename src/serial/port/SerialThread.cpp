#include "serial/port/SerialThread.h"

#include "serial/port/PortEventReceiver.h"
#include "serial/port/SerialPort.h"

#include <array>
#include <thread>
#include <utility>

namespace serial {

namespace {
constexpr std::array<std::pair<TSerialEvent, std::uint32_t>, 10> EventBits = {{
    {evRxChar, EV_RXCHAR},
    {evTxEmpty, EV_TXEMPTY},
    {evRxFlag, EV_RXFLAG},
    {evRing, EV_RING},
    {evBreak, EV_BREAK},
    {evCTS, EV_CTS},
    {evDSR, EV_DSR},
    {evError, EV_ERR},
    {evRLSD, EV_RLSD},
    {evRx80Full, EV_RX80FULL},
}};
} // namespace

std::uint32_t EventsToMask(TSerialEvents events) {
    std::uint32_t mask = 0;
    for (auto [event, bit] : EventBits)
        if (events.Contains(event))
            mask |= bit;
    return mask;
}

TSerialEvents MaskToEvents(std::uint32_t mask) {
    TSerialEvents events;
    for (auto [event, bit] : EventBits)
        if (mask & bit)
            events.Include(event);
    return events;
}

TSerialThread::TSerialThread(TCustomSerialPort &port) : ownerPort_(port), device_(port.device_) {
    // The result is not examined: a device that refuses the mask simply reports nothing.
    device_->SetCommMask(EventsToMask(port.Events()));
    Start();
}

TSerialThread::~TSerialThread() {
    RequestStop();
    std::this_thread::yield();
    Terminate();
    WaitFor();
}

// The body holds the device until it ends, even when the port has let it go meanwhile
// (closed from inside a delivery): the last wait and the closing steps still use it.
void TSerialThread::Execute() {
    const std::shared_ptr<SerialDevice> held = std::move(device_);
    SerialDevice &device = *held;
    TWaitEvent completed(true);
    TOverlapped overlapped;
    overlapped.hEvent = &completed;
    std::uint32_t mask = 0;
    const std::vector<TWaitEvent *> waitList{&stopEvent_, &completed};
    for (;;) {
        // A wait that completes at once also sets its event. A wait the device refuses
        // outright (it has gone away) ends the worker: waiting again would only spin, and
        // the event still set from the last pass would deliver that batch once more.
        if (!device.WaitCommEvent(mask, overlapped) && GetLastError() != ERROR_IO_PENDING)
            break;
        if (WaitForEvents(waitList, INFINITE) != 1)
            break;
        std::uint32_t transferred = 0;
        if (GetOverlappedResult(overlapped, transferred, false)) {
            occurred_ = MaskToEvents(mask);
            DispatchEvents();
        }
    }
    // Also ends the device wait still pending after a stop, before this frame goes.
    device.SetCommMask(0);
    device.PurgeComm(PURGE_TXCLEAR | PURGE_RXCLEAR);
}

void TSerialThread::DispatchEvents() {
    switch (ownerPort_.SyncMethod()) {
    case smThreadSync:
        Synchronize([this] { ownerPort_.DeliverEvents(occurred_); });
        break;
    case smWindowSync:
        SendEventMessages();
        break;
    case smNone:
        ownerPort_.DeliverEvents(occurred_);
        break;
    }
}

// One message per occurred event, in the delivery order; each send returns as soon as
// the main thread has taken the message.
void TSerialThread::SendEventMessages() {
    for (TSerialEvent event : DeliveryOrder)
        if (occurred_.Contains(event))
            ownerPort_.NotifyWindow()->Send(EventsToMask({event}));
}

} // namespace serial
