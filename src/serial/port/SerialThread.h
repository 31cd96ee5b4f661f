// The event worker of an open port: waits on the device for the port's events and hands
// each batch to the port in the delivery mode it asks for.
#pragma once

#include "base/sync.h"
#include "serial/port/SerialDevice.h"
#include "serial/port/SerialTypes.h"

#include <cstdint>
#include <memory>

namespace serial {

class TCustomSerialPort;

// The comm event mask bits of a set of events, and back; other mask bits are ignored.
std::uint32_t EventsToMask(TSerialEvents events);
TSerialEvents MaskToEvents(std::uint32_t mask);

// The fixed order in which the events of one batch reach the port: line errors are
// fetched before the input count, which clears the device's error flags.
inline constexpr TSerialEvent DeliveryOrder[] = {evError, evRxChar, evTxEmpty, evBreak, evRing,
                                                 evCTS,   evDSR,    evRxFlag,  evRLSD,  evRx80Full};

class TSerialThread : public platform::Thread {
public:
    // Sets the device's event mask from the port's Events and starts the worker.
    explicit TSerialThread(TCustomSerialPort &port);
    // Signals the stop event and waits for the worker; on the main thread the wait keeps
    // serving synchronised calls, so a worker blocked in a delivery can finish.
    ~TSerialThread() override;
    // Signals the stop event only: the worker ends once its delivery under way returns.
    void RequestStop() { stopEvent_.Set(); }

    TCustomSerialPort &OwnerPort() const { return ownerPort_; }
    TSerialEvents Occurred() const { return occurred_; }

protected:
    void Execute() override;

private:
    void DispatchEvents();
    void SendEventMessages();

    TCustomSerialPort &ownerPort_;
    std::shared_ptr<SerialDevice> device_; // until the body starts, which takes it over
    TWaitEvent stopEvent_{false};
    TSerialEvents occurred_;
};

} // namespace serial
