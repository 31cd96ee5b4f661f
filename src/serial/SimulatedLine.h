// The in-process serial line whose far end the simulated module (or a test) plays, and the
// opener that connects the port names to it.
#pragma once

#include "serial/port/SerialDevice.h"
#include "serial/virtual/VirtualSerialLine.h"
