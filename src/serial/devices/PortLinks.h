// The links of the installation folder that lead "COM1" and "COM2" to a device: read what
// each leads to, and point it at another device.
#pragma once

#include <string>

namespace serial {

// The device path "COM1" or "COM2" leads to: what its link in installDir names (made
// absolute against the folder when the link is relative), the entry itself when it is
// not a link, else the default /dev/ttyS0 or /dev/ttyS1.
std::string PortTarget(const std::string &installDir, const std::string &port);

// Makes the entry "COM1" or "COM2" of installDir a plain symbolic link to target (an
// absolute device path), the same link a user can make by hand. An earlier link is
// replaced at once: the new one is made under a temporary name and renamed over it, so
// the entry never goes missing. Returns 0, EEXIST when the entry is something other than
// a symbolic link (left untouched), or the errno of the failing call.
int WritePortLink(const std::string &installDir, const std::string &port,
                  const std::string &target);

} // namespace serial
