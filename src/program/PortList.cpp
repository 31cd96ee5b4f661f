#include "program/PortList.h"

#include "base/EscapedText.h"
#include "serial/Devices.h"

namespace app {

void PrintPortList(std::FILE *out, const std::filesystem::path &root) {
    // A device's strings and names are whatever it or a hand-made link says: escaped, so a
    // tab or a line break cannot split a device over two lines or fields, and an escape
    // sequence never reaches the terminal.
    for (const serial::SerialPortInfo &port : serial::ListSerialPorts(root))
        std::fprintf(out, "%s\t%s\t%s\n", platform::EscapeUnprintable(port.path).c_str(),
                     platform::EscapeUnprintable(port.device).c_str(),
                     platform::EscapeUnprintable(port.description).c_str());
}

} // namespace app
