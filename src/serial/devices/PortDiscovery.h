// The serial devices this machine has: USB adapters and modems by their stable names, then
// the other ports that really exist, read from sysfs and /dev.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace serial {

struct SerialPortInfo {
    std::string path;        // what a link should name: /dev/serial/by-id/… or /dev/ttyS0
    std::string device;      // the kernel's device node: /dev/ttyUSB0, /dev/ttyS0
    std::string description; // the maker and model a USB device reports, or the UART kind
    bool usb = false;

    bool operator==(const SerialPortInfo &) const = default;
};

// Every serial device present under root ("/" on a running system; tests give a folder
// holding a fake sys/ and dev/). USB devices come first, by their /dev/serial/by-id name
// when udev made one (else by their kernel name), then the other ports in natural order
// (ttyS2 before ttyS10). A tty without a device behind it (virtual consoles, ptys) and a
// ttyS whose UART the kernel did not find are left out, and so is any whose /dev node is
// missing. The paths returned are the system's, not prefixed by root.
std::vector<SerialPortInfo> ListSerialPorts(const std::filesystem::path &root = "/");

// The device node (a system path such as /dev/ttyUSB0) that the absolute path leads to,
// read under root; nothing when the device is absent: no such file, a dangling link, or a
// ttyS node without a UART behind it.
std::optional<std::string> DeviceBehind(const std::filesystem::path &root, const std::string &path);

} // namespace serial
