// The opener of real ports: a port name resolved to its device path, then opened on termios.
#include "serial/devices/PortNames.h"
#include "serial/posix/PosixSerialDevice.h"

namespace serial {

DeviceOpener PosixDeviceOpener(std::string installDir) {
    return [installDir =
                std::move(installDir)](const std::string &port) -> std::unique_ptr<SerialDevice> {
        const std::string path = ResolvePortPath(port, installDir);
        if (path.empty()) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        return PosixSerialDevice::Open(path);
    };
}

} // namespace serial
