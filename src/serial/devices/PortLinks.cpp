#include "serial/devices/PortLinks.h"

#include "serial/devices/PortNames.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace serial {

namespace fs = std::filesystem;

std::string PortTarget(const std::string &installDir, const std::string &port) {
    const fs::path resolved = ResolvePortPath(port, installDir);
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(resolved, error)))
        return resolved.string();
    const fs::path target = fs::read_symlink(resolved, error);
    if (error)
        return resolved.string();
    return (resolved.parent_path() / target).lexically_normal().string();
}

PortLinkResult WritePortLink(const std::string &installDir, const std::string &port,
                             const std::string &target) {
    const fs::path entry = fs::path(installDir) / port;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(entry, error);
    if (fs::exists(status) && !fs::is_symlink(status))
        return {EEXIST, entry.string()};
    // A leftover of an interrupted change goes; a folder of that name is not ours to remove.
    const fs::path staging = fs::path(installDir) / ("." + port + ".link");
    ::unlink(staging.c_str());
    if (::symlink(target.c_str(), staging.c_str()) != 0) {
        const int failure = errno;
        return {failure, failure == EEXIST ? staging.string() : std::string()};
    }
    if (::rename(staging.c_str(), entry.c_str()) != 0) {
        const int failure = errno;
        ::unlink(staging.c_str());
        return {failure, {}};
    }
    return {};
}

} // namespace serial
