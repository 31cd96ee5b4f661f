#include "serial/devices/PortNames.h"

#include <filesystem>
#include <system_error>

namespace serial {

std::optional<PortName> FindPortName(std::string_view name) {
    for (const PortName &port : kPortNames)
        if (port.name == name)
            return port;
    return std::nullopt;
}

std::string ResolvePortPath(const std::string &port, const std::string &installDir) {
    if (!port.empty() && port.front() == '/')
        return port;
    const std::optional<PortName> known = FindPortName(port);
    if (!known)
        return {};
    // An entry in the installation folder wins even when it is a dangling link: the
    // device it names is then reported absent rather than another port opened.
    if (!installDir.empty()) {
        const std::filesystem::path entry = std::filesystem::path(installDir) / port;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(entry, error)))
            return entry.string();
    }
    return std::string(known->defaultDevice);
}

} // namespace serial
