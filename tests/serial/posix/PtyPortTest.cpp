// The port component on the termios device: a reading in, a command out, and a pulled
// device, end to end on a pseudo-terminal with events delivered on this (main) thread,
// by its own watch of the device or by an event worker.
#include "serial/PortTestSupport.h"
#include "support/PtyHarness.h"

#include "base/sync.h"

#include <algorithm>
#include <chrono>

namespace serial::testing {
namespace {

class PtyPortTest : public PortTest, public ::testing::WithParamInterface<DeliveryPath> {
protected:
    void SetUp() override {
        PortTest::SetUp();
        UsePath(GetParam());
        SetDeviceOpener(PosixDeviceOpener(""));
        port.SetPort(pty_.SlavePath());
        port.OnRxChar = TRxCharEvent::FromFunction([this](platform::TObject *, int count) {
            std::string text;
            port.ReadString(text, count);
            readings_.push_back(text);
        });
        port.OnError = TSerialErrorEvent::FromFunction(
            [this](platform::TObject *, TSerialErrors errors) { errors_ = errors; });
        port.Open();
    }

    PtyPair pty_;
    std::vector<std::string> readings_;
    TSerialErrors errors_{};
};

TEST_P(PtyPortTest, ReadingInAndCommandOut) {
    pty_.Send("127");
    ASSERT_TRUE(PumpUntil([&] { return !readings_.empty(); }));
    EXPECT_EQ(readings_, std::vector<std::string>{"127"});

    EXPECT_EQ(port.WriteString("!33A-4B+2C&"), 11);
    EXPECT_EQ(pty_.Receive(11), "!33A-4B+2C&");
}

TEST_P(PtyPortTest, PulledDeviceReportsAnErrorAndStillCloses) {
    pty_.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !errors_.Empty(); }));
    EXPECT_TRUE(errors_.Contains(ceDeviceIO));
    EXPECT_THROW(port.WriteString("?&"), ESerialPort);
    port.Close();
    EXPECT_FALSE(port.Connected());
}

// On the main loop's path the readings reach the handler without the device's I/O thread:
// the loop takes them in itself. A handler that runs a nested loop is not re-entered by
// the next reading; that one follows once the handler has returned.
TEST_P(PtyPortTest, ReadingsNeedNoOtherThreadAndNeverReenterAHandler) {
    auto *device = dynamic_cast<PosixSerialDevice *>(port.DeviceHandle());
    ASSERT_NE(device, nullptr);
    int depth = 0, deepest = 0;
    port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int count) {
        ++depth;
        deepest = std::max(deepest, depth);
        std::string text;
        port.ReadString(text, count);
        readings_.push_back(text);
        if (readings_.size() == 1) {
            pty_.Send("2");
            // A nested wait, as the main window's exchanges run them.
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
            while (std::chrono::steady_clock::now() < until)
                platform::SyncQueue::Instance().RunPending();
        }
        --depth;
    });
    // The first reading may find the I/O thread still settling after the open.
    pty_.Send("0");
    ASSERT_TRUE(PumpUntil([&] { return readings_.size() == 2; }));
    const std::uint64_t wakeups = device->IoWakeups();
    for (const char *reading : {"127", "3", "254"}) {
        const std::size_t before = readings_.size();
        pty_.Send(reading);
        ASSERT_TRUE(PumpUntil([&] { return readings_.size() > before; }));
    }
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(readings_, (std::vector<std::string>{"0", "2", "127", "3", "254"}));
    if (GetParam() == DeliveryPath::MainLoop) {
        EXPECT_EQ(device->IoWakeups(), wakeups) << "the I/O thread took part";
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, PtyPortTest,
                         ::testing::Values(DeliveryPath::MainLoop, DeliveryPath::Worker), PathName);

} // namespace
} // namespace serial::testing
