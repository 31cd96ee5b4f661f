// What the user reads when the serial port cannot be opened: the cause in French and what
// to do about it, then the serial component's own message.
#pragma once

#include <QString>

namespace serial {
class ESerialPort;
}

namespace app {

// The message for a failed open of port ("COM1", "COM2") that leads to device (the path
// it resolves to); the component's message alone when the failure has no advice to go
// with it. groupOfDevice is the group that owns the device node (empty when unknown).
QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port,
                               const QString &device, const QString &groupOfDevice);

// The same for a port of the running program: finds where port leads in the installation
// folder and who owns the device, or, on --simulate, tells that the simulated module is
// unplugged.
QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port);

// On --simulate the ports lead to the simulated module, not to devices.
void SetPortsSimulated(bool simulated);

} // namespace app
