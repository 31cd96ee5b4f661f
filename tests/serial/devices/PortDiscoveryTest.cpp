// Finding the serial devices over a fake sysfs and /dev tree, the COM1/COM2 links, and the
// notification of devices that come and go.
#include "serial/devices/PortDiscovery.h"
#include "serial/devices/PortLinks.h"
#include "serial/devices/PortWatcher.h"
#include "support/FakeDeviceTree.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace serial {
namespace {

namespace fs = std::filesystem;

class FakeTree : public ::testing::Test, public testsupport::FakeDeviceTree {
protected:
    const fs::path root_ = Root();
};

TEST_F(FakeTree, ListsUsbDevicesByStableNameThenThePortsThatReallyExist) {
    AddUsb("ttyUSB0", "1-1", "FTDI", "FT232R USB UART");
    AddStableName("usb-FTDI_FT232R_USB_UART_A5-if00-port0", "ttyUSB0");
    AddUsb("ttyACM0", "1-2", "", ""); // no stable name, no maker or model
    AddUsb("ttyUSB1", "1-3", "Prolific", "Prolific USB-Serial");
    AddStableName("usb-Gone-if00-port0", "ttyUSB9"); // its device was pulled
    AddUart("ttyS10", 4);
    AddUart("ttyS2", 12);
    AddUart("ttyS0", 4);
    AddUart("ttyS1", 0);                                  // the kernel found no UART there
    AddUart("ttyS3", 4, false);                           // no /dev node
    AddUart("ttyS4", 77);                                 // a kind without a name here
    fs::create_directories(root_ / "sys/class/tty/tty1"); // a console: no device behind it
    Write(root_ / "dev/tty1", "");

    const std::vector<SerialPortInfo> expected = {
        {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A5-if00-port0", "/dev/ttyUSB0",
         "FTDI FT232R USB UART", true},
        {"/dev/ttyACM0", "/dev/ttyACM0", "USB 0403:6001", true},
        {"/dev/ttyUSB1", "/dev/ttyUSB1", "Prolific USB-Serial", true},
        {"/dev/ttyS0", "/dev/ttyS0", "port série 16550A", false},
        {"/dev/ttyS2", "/dev/ttyS2", "port série XR16850", false},
        {"/dev/ttyS4", "/dev/ttyS4", "port série", false},
        {"/dev/ttyS10", "/dev/ttyS10", "port série 16550A", false},
    };
    EXPECT_EQ(ListSerialPorts(root_), expected);

    // Where a path leads: the device node behind it, or nothing when it is absent.
    const std::vector<std::pair<std::string, std::optional<std::string>>> paths = {
        {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A5-if00-port0", "/dev/ttyUSB0"},
        {"/dev/ttyS0", "/dev/ttyS0"},
        {"/dev/serial/by-id/usb-Gone-if00-port0", std::nullopt},
        {"/dev/ttyS1", std::nullopt},
        {"/dev/ttyUSB7", std::nullopt},
    };
    for (const auto &[path, device] : paths)
        EXPECT_EQ(DeviceBehind(root_, path), device) << path;
}

TEST_F(FakeTree, PortLinksAreWrittenAndReadBack) {
    const fs::path dir = root_ / "install";
    fs::create_directory(dir);
    // No entry: the standard ports; a link made by hand, relative, is read as absolute.
    EXPECT_EQ(PortTarget(dir, "COM1"), "/dev/ttyS0");
    fs::create_symlink("../dev/ttyUSB0", dir / "COM2");
    EXPECT_EQ(PortTarget(dir, "COM2"), (root_ / "dev/ttyUSB0").string());

    // Written, replaced, and each time a plain link with no staging file left behind.
    EXPECT_EQ(WritePortLink(dir, "COM1", "/dev/serial/by-id/usb-A").error, 0);
    EXPECT_EQ(PortTarget(dir, "COM1"), "/dev/serial/by-id/usb-A");
    EXPECT_EQ(WritePortLink(dir, "COM2", "/dev/ttyS0").error, 0);
    EXPECT_EQ(fs::read_symlink(dir / "COM2"), "/dev/ttyS0");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);

    // An entry that is not a link is the user's: left as it is, and said to be in the way.
    fs::remove(dir / "COM1");
    Write(dir / "COM1", "mine");
    const PortLinkResult result = WritePortLink(dir, "COM1", "/dev/ttyS0");
    EXPECT_EQ(result.error, EEXIST);
    EXPECT_EQ(result.inTheWay, (dir / "COM1").string());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "COM1")));
    EXPECT_EQ(PortTarget(dir, "COM1"), (dir / "COM1").string());

    EXPECT_EQ(WritePortLink(root_ / "missing", "COM1", "/dev/ttyS0").error, ENOENT);
}

TEST_F(FakeTree, WatcherTellsDevicesComingAndGoingAndFollowsNewFolders) {
    PortWatcher watcher(root_);
    ASSERT_GE(watcher.Descriptor(), 0);
    EXPECT_FALSE(watcher.TakeChanges());

    Write(root_ / "dev/sda1", ""); // not a serial device
    EXPECT_FALSE(watcher.TakeChanges());
    Write(root_ / "dev/ttyUSB0", "");
    EXPECT_TRUE(watcher.TakeChanges());
    EXPECT_FALSE(watcher.TakeChanges()); // taken

    // udev makes the folders of stable names with the first device that has one.
    fs::create_directories(root_ / "dev/serial/by-id");
    EXPECT_TRUE(watcher.TakeChanges());
    fs::create_symlink("../../ttyUSB0", root_ / "dev/serial/by-id/usb-A");
    EXPECT_TRUE(watcher.TakeChanges());
    fs::remove(root_ / "dev/serial/by-id/usb-A");
    EXPECT_TRUE(watcher.TakeChanges());
    // ...and removes them with the last one; made again, they are watched again.
    fs::remove_all(root_ / "dev/serial");
    EXPECT_TRUE(watcher.TakeChanges());
    fs::create_directories(root_ / "dev/serial/by-id");
    watcher.TakeChanges();
    fs::create_symlink("../../ttyUSB0", root_ / "dev/serial/by-id/usb-B");
    EXPECT_TRUE(watcher.TakeChanges());
}

} // namespace
} // namespace serial
