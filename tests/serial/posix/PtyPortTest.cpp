// The port component on the termios device: a reading in, a command out, and a pulled
// device, end to end on a pseudo-terminal with events delivered on this (main) thread.
#include "serial/PortTestSupport.h"
#include "support/PtyHarness.h"

namespace serial::testing {
namespace {

class PtyPortTest : public PortTest {
protected:
    void SetUp() override {
        PortTest::SetUp();
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

TEST_F(PtyPortTest, ReadingInAndCommandOut) {
    pty_.Send("127");
    ASSERT_TRUE(PumpUntil([&] { return !readings_.empty(); }));
    EXPECT_EQ(readings_, std::vector<std::string>{"127"});

    EXPECT_EQ(port.WriteString("!33A-4B+2C&"), 11);
    EXPECT_EQ(pty_.Receive(11), "!33A-4B+2C&");
}

TEST_F(PtyPortTest, PulledDeviceReportsAnErrorAndStillCloses) {
    pty_.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !errors_.Empty(); }));
    EXPECT_TRUE(errors_.Contains(ceDeviceIO));
    EXPECT_THROW(port.WriteString("?&"), ESerialPort);
    port.Close();
    EXPECT_FALSE(port.Connected());
}

} // namespace
} // namespace serial::testing
