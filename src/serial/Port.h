// The serial port component for its users: TSerialPort with its settings and events, the
// exceptions it raises and where their reports go, and the device interface with the
// opener that the program installs (which back end a port name opens).
#pragma once

#include "serial/port/ESerialPort.h"
#include "serial/port/ExceptionReport.h"
#include "serial/port/SerialDevice.h"
#include "serial/port/SerialPort.h"
