// The program's --simulate mode: one simulated module reachable as "COM1" and "COM2".
#pragma once

#include "sim/SimulatedCompass.h"

namespace sim {

// A virtual line with the module on its far end. Both port names open the same line
// (one module, whichever port the user chooses; the two are never open at once, since
// the program closes one port before it opens the other).
class SimulatedLink {
public:
    explicit SimulatedLink(CompassOptions options = {});

    // For serial::SetDeviceOpener: "COM1" and "COM2" open the module's line, any other
    // name fails with ERROR_FILE_NOT_FOUND.
    serial::DeviceOpener Opener() const;
    SimulatedCompass &Compass() { return compass_; }
    serial::VirtualSerialLine Line() const { return line_; }

private:
    serial::VirtualSerialLine line_;
    SimulatedCompass compass_;
};

} // namespace sim
