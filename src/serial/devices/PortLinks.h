// The links of the installation folder that lead "COM1" and "COM2" to a device: read what
// each leads to, and point it at another device.
#pragma once

#include <string>

namespace serial {

// The device path "COM1" or "COM2" leads to: what its link in installDir names (made
// absolute against the folder when the link is relative), the entry itself when it is
// not a link, else the default /dev/ttyS0 or /dev/ttyS1.
std::string PortTarget(const std::string &installDir, const std::string &port);

// What WritePortLink did: error 0 when the link was made; else the errno of the call that
// failed and, when something the program must not remove stands where the link or its
// temporary name has to go, the path of that thing, left as it is.
struct PortLinkResult {
    int error = 0;
    std::string inTheWay;
};

// Makes the entry "COM1" or "COM2" of installDir a plain symbolic link to target (an
// absolute device path, its bytes as they are), the same link a user can make by hand. An
// earlier link is replaced at once: the new one is made under the temporary name
// ".COM1.link" and renamed over it, so the entry never goes missing. An entry that is not
// a symbolic link, or a temporary name taken by a folder, is in the way (EEXIST).
PortLinkResult WritePortLink(const std::string &installDir, const std::string &port,
                             const std::string &target);

} // namespace serial
