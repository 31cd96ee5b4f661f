#include "sim/SimulatedLink.h"

namespace sim {

SimulatedLink::SimulatedLink(CompassOptions options)
    : line_(), compass_(line_, std::move(options)) {}

serial::DeviceOpener SimulatedLink::Opener() const {
    return serial::VirtualSerialLine::Opener({{"COM1", line_}, {"COM2", line_}});
}

} // namespace sim
