// What the user reads when the serial port cannot be opened: the cause and what to do
// about it, then the serial component's own message. The cause is the termios back end's
// (serial::OpenFailure); this is only its wording.
#pragma once

#include <QString>

namespace serial {
class ESerialPort;
struct OpenFailure;
} // namespace serial

namespace app {

// The message for a failed open of port ("COM1", "COM2") whose cause is failure; the
// component's message alone when the failure has no advice to go with it.
QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port,
                               const serial::OpenFailure &failure);

// The same for a port of the running program: asks the back end where port leads in the
// installation folder and why it failed, or, once worded for the simulated module, tells
// that the module is unplugged.
QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port);

// On --simulate the ports lead to the simulated module, not to devices: a port that is
// absent is worded as the module's pulled plug, with how to put it back.
void WordOpenFailuresForSimulatedModule(bool simulated);

} // namespace app
