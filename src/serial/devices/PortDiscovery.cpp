#include "serial/devices/PortDiscovery.h"

#include "base/Language.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <system_error>
#include <tuple>

namespace serial {

namespace fs = std::filesystem;

namespace {

std::string Tr(const char *text) { return platform::Translated("PortDiscovery", text); }

// A system path read under root.
fs::path Under(const fs::path &root, const fs::path &systemPath) {
    return root / systemPath.relative_path();
}

// The first line of a sysfs attribute, without surrounding blanks; empty when unreadable.
std::string ReadAttribute(const fs::path &file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    line.erase(std::find_if_not(line.rbegin(), line.rend(), blank).base(), line.end());
    return line;
}

bool Exists(const fs::path &path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The kinds of UART the 8250 driver names in its "type" attribute; 0 means it found none.
std::string UartKind(const std::string &type) {
    static const char *const kinds[] = {"",           "8250",    "16450",     "16550",   "16550A",
                                        "Cirrus",     "ST16650", "ST16650V2", "TI16750", "Startech",
                                        "16C950/954", "ST16654", "XR16850",   "RSA"};
    if (type.empty() ||
        !std::all_of(type.begin(), type.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }) ||
        type.size() > 3)
        return {};
    const std::size_t index = std::stoul(type);
    return index < std::size(kinds) ? kinds[index] : std::string();
}

struct TtyFacts {
    bool hasDevice = false; // a real device stands behind the tty
    bool uartMissing = false;
    bool usb = false;
    std::string description;
};

// Joins the maker and model of a USB device, skipping the maker when the model already
// starts with it.
std::string UsbDescription(const fs::path &usbDevice) {
    const std::string maker = ReadAttribute(usbDevice / "manufacturer");
    const std::string model = ReadAttribute(usbDevice / "product");
    if (maker.empty() && model.empty())
        return "USB " + ReadAttribute(usbDevice / "idVendor") + ":" +
               ReadAttribute(usbDevice / "idProduct");
    if (maker.empty() || model.rfind(maker, 0) == 0)
        return model;
    return model.empty() ? maker : maker + " " + model;
}

TtyFacts FactsOf(const fs::path &root, const std::string &name) {
    TtyFacts facts;
    const fs::path tty = Under(root, "/sys/class/tty") / name;
    std::error_code error;
    const fs::path device = fs::canonical(tty / "device", error);
    if (error)
        return facts;
    facts.hasDevice = true;
    if (Exists(tty / "type")) {
        const std::string type = ReadAttribute(tty / "type");
        facts.uartMissing = type == "0";
        const std::string kind = UartKind(type);
        facts.description =
            kind.empty() ? Tr(QT_TRANSLATE_NOOP("PortDiscovery", "port série"))
                         : platform::Substituted(
                               Tr(QT_TRANSLATE_NOOP("PortDiscovery", "port série %1")), {kind});
    }
    // A USB serial device's tty hangs below the USB device that names its maker and model.
    const fs::path sys = fs::weakly_canonical(Under(root, "/sys"), error);
    for (fs::path at = device; at != at.parent_path() && at != sys; at = at.parent_path()) {
        if (Exists(at / "idVendor")) {
            facts.usb = true;
            facts.description = UsbDescription(at);
            break;
        }
    }
    return facts;
}

// Natural order of kernel names: ttyS2 before ttyS10.
bool NaturalLess(const std::string &a, const std::string &b) {
    const auto split = [](const std::string &name) {
        std::size_t digits = name.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
            --digits;
        const std::string number = name.substr(digits);
        return std::make_tuple(name.substr(0, digits), number.size(), number);
    };
    return split(a) < split(b);
}

std::vector<std::string> SortedEntries(const fs::path &folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

} // namespace

std::vector<SerialPortInfo> ListSerialPorts(const fs::path &root) {
    std::vector<SerialPortInfo> usb;
    std::vector<SerialPortInfo> others;
    std::set<std::string> named; // kernel names already listed by a stable name

    std::vector<std::string> byId = SortedEntries(Under(root, "/dev/serial/by-id"));
    std::sort(byId.begin(), byId.end());
    for (const std::string &link : byId) {
        const fs::path entry = Under(root, "/dev/serial/by-id") / link;
        std::error_code error;
        const std::string name = fs::read_symlink(entry, error).filename().string();
        if (error || !Exists(entry) || !named.insert(name).second)
            continue;
        const TtyFacts facts = FactsOf(root, name);
        usb.push_back({"/dev/serial/by-id/" + link, "/dev/" + name,
                       facts.description.empty() ? link : facts.description, true});
    }

    std::vector<std::string> ttys = SortedEntries(Under(root, "/sys/class/tty"));
    std::sort(ttys.begin(), ttys.end(), NaturalLess);
    for (const std::string &name : ttys) {
        if (named.count(name) || !Exists(Under(root, "/dev") / name))
            continue;
        const TtyFacts facts = FactsOf(root, name);
        if (!facts.hasDevice || facts.uartMissing)
            continue;
        const std::string device = "/dev/" + name;
        (facts.usb ? usb : others).push_back({device, device, facts.description, facts.usb});
    }
    usb.insert(usb.end(), others.begin(), others.end());
    return usb;
}

std::optional<std::string> DeviceBehind(const fs::path &root, const std::string &path) {
    std::error_code error;
    const fs::path device = fs::canonical(Under(root, path), error);
    if (error)
        return std::nullopt;
    const fs::path type = Under(root, "/sys/class/tty") / device.filename() / "type";
    if (Exists(type) && ReadAttribute(type) == "0")
        return std::nullopt;
    return (fs::path("/") / device.lexically_relative(fs::canonical(root, error))).string();
}

} // namespace serial
