#include "sim/SimulatedLink.h"

#include "serial/Devices.h"

#include <map>
#include <string>

namespace sim {

SimulatedLink::SimulatedLink(CompassOptions options)
    : line_(), compass_(line_, std::move(options)) {}

serial::DeviceOpener SimulatedLink::Opener() const {
    std::map<std::string, serial::VirtualSerialLine> lines;
    for (const serial::PortName &port : serial::kPortNames)
        lines.emplace(std::string(port.name), line_);
    return serial::VirtualSerialLine::Opener(std::move(lines));
}

} // namespace sim
