// The two port names the user chooses between, "COM1" and "COM2": the value of the port
// slot that stands for each, and the device each leads to when the installation folder has
// no entry of that name. The settings, the main window, the device paths, the simulated
// link and the port choice dialog all read them here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace serial {

struct PortName {
    std::string_view name;          // "COM1": the name the port component opens
    std::string_view slotValue;     // "1": what PortSlot holds for it
    std::string_view defaultDevice; // "/dev/ttyS0": where it leads without an entry
};

inline constexpr std::array<PortName, 2> kPortNames{{
    {"COM1", "1", "/dev/ttyS0"},
    {"COM2", "2", "/dev/ttyS1"},
}};

// The entry of kPortNames with that name; nullopt for any other text (names are exact and
// case-sensitive).
std::optional<PortName> FindPortName(std::string_view name);

// "COM1"/"COM2": an entry of that name in installDir (typically a symbolic link to
// /dev/ttyUSB0) when there is one, else its default device; an absolute path is taken as
// it is; any other name resolves to "" (no such device).
std::string ResolvePortPath(const std::string &port, const std::string &installDir);

} // namespace serial
