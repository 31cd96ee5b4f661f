#include "serial/PosixSerialDevice.h"

#include <filesystem>
#include <system_error>

namespace serial {

std::string ResolvePortPath(const std::string &port, const std::string &installDir) {
    if (!port.empty() && port.front() == '/')
        return port;
    if (port != "COM1" && port != "COM2")
        return {};
    // An entry in the installation folder wins even when it is a dangling link: the
    // device it names is then reported absent rather than another port opened.
    if (!installDir.empty()) {
        const std::filesystem::path entry = std::filesystem::path(installDir) / port;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(entry, error)))
            return entry.string();
    }
    return port == "COM1" ? "/dev/ttyS0" : "/dev/ttyS1";
}

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
