// A folder holding sys/ and dev/ as the kernel and udev lay them out, for the code that
// finds serial devices. Header only and Qt-free, so every test program can use it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

class FakeDeviceTree {
public:
    FakeDeviceTree() {
        std::string name =
            (std::filesystem::temp_directory_path() / "ventrose-tree-XXXXXX").string();
        root_ = ::mkdtemp(name.data());
        std::filesystem::create_directories(root_ / "dev");
        std::filesystem::create_directories(root_ / "sys/class/tty");
    }
    ~FakeDeviceTree() { std::filesystem::remove_all(root_); }
    FakeDeviceTree(const FakeDeviceTree &) = delete;
    FakeDeviceTree &operator=(const FakeDeviceTree &) = delete;

    const std::filesystem::path &Root() const { return root_; }

    static void Write(const std::filesystem::path &file, const std::string &text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text << "\n";
    }

    // A tty of the class, its device folder under sys/devices/<parent>, and its /dev node.
    void AddTty(const std::string &name, const std::string &parent, bool node = true) {
        namespace fs = std::filesystem;
        const fs::path device = root_ / "sys/devices" / parent / name;
        fs::create_directories(device / "tty" / name);
        fs::create_directory_symlink(fs::relative(device / "tty" / name, root_ / "sys/class/tty"),
                                     root_ / "sys/class/tty" / name);
        fs::remove(device / "tty" / name / "device"); // left by an earlier plug
        fs::create_directory_symlink("../..", device / "tty" / name / "device");
        if (node)
            Write(root_ / "dev" / name, "");
    }

    // A built-in port; type is the kind of UART the kernel found (0: none).
    void AddUart(const std::string &name, int type, bool node = true) {
        AddTty(name, "platform/serial8250", node);
        Write(root_ / "sys/class/tty" / name / "type", std::to_string(type));
    }

    // A USB serial device: maker and model on the USB device, the tty two levels below.
    void AddUsb(const std::string &name, const std::string &usb, const std::string &maker,
                const std::string &model) {
        const std::filesystem::path device = root_ / "sys/devices/pci0000:00/usb1" / usb;
        Write(device / "idVendor", "0403");
        Write(device / "idProduct", "6001");
        if (!maker.empty())
            Write(device / "manufacturer", maker);
        if (!model.empty())
            Write(device / "product", model);
        AddTty(name, "pci0000:00/usb1/" + usb + "/" + usb + ":1.0");
    }

    // The stable name udev gives a USB device in /dev/serial/by-id.
    void AddStableName(const std::string &link, const std::string &name) {
        std::filesystem::create_directories(root_ / "dev/serial/by-id");
        std::filesystem::create_symlink("../../" + name, root_ / "dev/serial/by-id" / link);
    }

    // Pulls a USB device: its stable name, its node and its tty go.
    void Unplug(const std::string &link, const std::string &name) {
        std::filesystem::remove(root_ / "dev/serial/by-id" / link);
        std::filesystem::remove(root_ / "dev" / name);
        std::filesystem::remove(root_ / "sys/class/tty" / name);
    }

private:
    std::filesystem::path root_;
};

} // namespace testsupport
