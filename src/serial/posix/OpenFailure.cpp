#include "serial/posix/OpenFailure.h"

#include "serial/devices/PortLinks.h"
#include "serial/port/ESerialPort.h"
#include "serial/port/SerialDevice.h"

#include <cerrno>
#include <utility>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace serial {

namespace {

// The name of group gid; empty when the group database does not know it.
std::string GroupName(gid_t gid) {
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 4096);
    for (;;) {
        struct group entry {};
        struct group *found = nullptr;
        const int failed = ::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found);
        if (failed == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        return failed == 0 && found ? std::string(found->gr_name) : std::string();
    }
}

} // namespace

OpenFailure ClassifyOpenFailure(int comErrorCode, int systemError, std::string device,
                                const std::string &deviceGroup) {
    OpenFailure failure;
    failure.device = std::move(device);
    if (comErrorCode != 1)
        return failure;
    switch (systemError) {
    case EACCES:
    case EPERM:
        failure.kind = OpenFailure::Kind::NotPermitted;
        failure.groupToJoin =
            deviceGroup.empty() || deviceGroup == "root" ? kSerialDeviceGroup : deviceGroup;
        break;
    case ERROR_FILE_NOT_FOUND:
        failure.kind = OpenFailure::Kind::Absent;
        break;
    case ERROR_ACCESS_DENIED:
        failure.kind = OpenFailure::Kind::InUse;
        break;
    default:
        break;
    }
    return failure;
}

OpenFailure ExamineOpenFailure(const ESerialPort &error, const std::string &installDir,
                               const std::string &port) {
    std::string device = PortTarget(installDir, port);
    std::string owner;
    struct stat status {};
    if (::stat(device.c_str(), &status) == 0)
        owner = GroupName(status.st_gid);
    return ClassifyOpenFailure(error.ComErrorCode, error.WinErrorCode, std::move(device), owner);
}

} // namespace serial
