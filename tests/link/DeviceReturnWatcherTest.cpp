// The return of the link's device, on a fake device tree: a device that was missing and is
// there again is one return, whether the watcher is told by the folders' changes or looks.
#include "link/DeviceReturnWatcher.h"
#include "FakeDeviceTree.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace app {
namespace {

using namespace std::chrono_literals;

constexpr const char *kStableName = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";

class DeviceReturnWatcherTest : public ::testing::Test {
protected:
    DeviceReturnWatcherTest() {
        tree.AddUsb("ttyUSB0", "1-1", "FTDI", "FT232R");
        tree.AddStableName(kStableName, "ttyUSB0");
        QObject::connect(&watcher, &DeviceReturnWatcher::Returned, [this] { ++returns; });
    }
    void Unplug() { tree.Unplug(kStableName, "ttyUSB0"); }
    void Plug() {
        tree.AddUsb("ttyUSB0", "1-1", "FTDI", "FT232R");
        tree.AddStableName(kStableName, "ttyUSB0");
    }

    testsupport::FakeDeviceTree tree;
    std::string device = (tree.Root() / "dev/serial/by-id" / kStableName).string();
    DeviceReturnWatcher watcher{[this] { return device; }, tree.Root(), 0ms};
    int returns = 0;
};

TEST_F(DeviceReturnWatcherTest, OnlyAMissingDeviceThatIsBackIsAReturn) {
    enum Step { Look, Pull, Put };
    const struct {
        const char *name;
        std::vector<Step> steps;
        int returns;
    } cases[] = {
        {"there all along", {Look, Look}, 0},
        {"still missing", {Pull, Look, Look}, 0},
        {"back", {Pull, Look, Put, Look}, 1},
        {"back, looked at twice", {Pull, Look, Put, Look, Look}, 1},
        {"back twice", {Pull, Look, Put, Look, Pull, Look, Put, Look}, 2},
    };
    for (const auto &c : cases) {
        watcher.Look(); // present: the case starts from a device that is there
        returns = 0;
        for (Step step : c.steps) {
            if (step == Look)
                watcher.Look();
            else if (step == Pull)
                Unplug();
            else
                Plug();
        }
        EXPECT_EQ(returns, c.returns) << c.name;
        if (!std::filesystem::exists(device))
            Plug();
    }
}

TEST_F(DeviceReturnWatcherTest, TheFoldersChangesMakeItLook) {
    Unplug();
    watcher.Look();
    Plug(); // told by the folders alone
    EXPECT_TRUE(testsupport::PumpEventsUntil([this] { return returns == 1; }));
}

} // namespace
} // namespace app
