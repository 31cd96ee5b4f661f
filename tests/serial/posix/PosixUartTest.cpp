// The modem-line watcher: it gives up where the driver cannot notify (a pty) and, where
// it blocks in the driver (a UART's TIOCMIWAIT), it is stopped cleanly on close.
#include "support/PtyHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace serial::testing {
namespace {

TEST(PosixModemWatcher, ReportsADriverThatCannotNotify) {
    PtyPair pty;
    int error = 0;
    auto terminal = OpenPosixTerminal(pty.SlavePath(), error);
    ASSERT_NE(terminal, nullptr) << error;
    std::promise<PosixModemWatcher::Report> report;
    PosixModemWatcher watcher(*terminal, [&](PosixModemWatcher::Report r) { report.set_value(r); });
    EXPECT_EQ(report.get_future().get(), PosixModemWatcher::Report::Unsupported);
}

// /dev/ttyS0 is a UART driver that blocks in TIOCMIWAIT even without hardware behind it.
class UartTest : public ::testing::Test {
protected:
    void SetUp() override {
        device_ = PosixSerialDevice::Open("/dev/ttyS0");
        if (!device_)
            GTEST_SKIP() << "/dev/ttyS0 cannot be opened here (error " << GetLastError() << ")";
    }
    std::unique_ptr<PosixSerialDevice> device_;
};

TEST_F(UartTest, CloseStopsTheBlockedWatcherAndEndsThePendingWait) {
    std::uint32_t status = 0;
    EXPECT_TRUE(device_->GetCommModemStatus(status));
    ASSERT_TRUE(device_->SetCommMask(EV_CTS | EV_DSR | EV_RLSD | EV_RING));
    std::uint32_t mask = 0;
    Async wait;
    ASSERT_FALSE(device_->WaitCommEvent(mask, wait.overlapped));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    // Closing interrupts the watcher's TIOCMIWAIT before the descriptor goes; several
    // rounds catch a stop signal that would land before the call is entered.
    for (int round = 0; round < 20; ++round) {
        device_.reset();
        int error = 0;
        if (round == 0) {
            EXPECT_EQ(wait.Result(error), -1);
            EXPECT_EQ(error, ERROR_OPERATION_ABORTED);
        }
        device_ = PosixSerialDevice::Open("/dev/ttyS0");
        ASSERT_NE(device_, nullptr) << GetLastError();
    }
}

} // namespace
} // namespace serial::testing
