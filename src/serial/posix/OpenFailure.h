// Why a real port could not be opened, as the termios back end sees it: the kind of
// failure, the device the port leads to and, when the account lacks the right to open it,
// the group to join. The program words the message; what it says comes from here.
#pragma once

#include <string>

namespace serial {

class ESerialPort;

struct OpenFailure {
    enum class Kind {
        Other,        // not an open failure, or one the user can do nothing about
        NotPermitted, // the device exists but the account may not open it
        Absent,       // the port leads to a device that is not there
        InUse,        // another program holds the device
    };
    Kind kind = Kind::Other;
    std::string device;      // the path the port leads to, its bytes as they are
    std::string groupToJoin; // NotPermitted: the group whose members may open the device
};

// The group that may open serial devices is dialout on Debian; a device owned by another
// group (not root's) names that one instead.
inline constexpr const char *kSerialDeviceGroup = "dialout";

// Classifies a failure from the component's codes (comErrorCode 1 is a failed open,
// systemError its errno) and the group that owns the device node (empty when unknown).
OpenFailure ClassifyOpenFailure(int comErrorCode, int systemError, std::string device,
                                const std::string &deviceGroup);

// The same for a failed open of port ("COM1", "COM2") by the program installed in
// installDir: finds where the port leads and which group owns that device.
OpenFailure ExamineOpenFailure(const ESerialPort &error, const std::string &installDir,
                               const std::string &port);

} // namespace serial
