#include "app/PortList.h"

#include "serial/devices/PortDiscovery.h"

namespace app {

void PrintPortList(std::FILE *out, const std::filesystem::path &root) {
    for (const serial::SerialPortInfo &port : serial::ListSerialPorts(root))
        std::fprintf(out, "%s\t%s\t%s\n", port.path.c_str(), port.device.c_str(),
                     port.description.c_str());
}

} // namespace app
