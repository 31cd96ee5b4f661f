// The serial devices present, printed for scripts and bug reports (--list-ports).
#pragma once

#include <cstdio>
#include <filesystem>

namespace app {

// One line per device, in the order the port choice dialog offers them: the path a link
// should name, the kernel's device node and the device's description, separated by tabs,
// each escaped as platform::EscapeUnprintable says.
void PrintPortList(std::FILE *out, const std::filesystem::path &root = "/");

} // namespace app
