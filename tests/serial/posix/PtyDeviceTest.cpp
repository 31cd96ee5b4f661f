// The termios device on a pseudo-terminal pair: data, time-outs, abort, purge, hang-up,
// removal and exclusive use, through the device interface itself.
#include "support/PtyHarness.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>

namespace serial::testing {
namespace {

class PtyDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        device_ = PosixSerialDevice::Open(pty_.SlavePath());
        ASSERT_NE(device_, nullptr) << GetLastError();
        ASSERT_TRUE(device_->SetupComm(1024, 1024));
        ASSERT_TRUE(device_->SetCommState(Dcb8N1()));
        ASSERT_TRUE(device_->SetCommTimeouts(ReturnAtOnce()));
    }

    // Waits (through the comm event) until the device holds at least count bytes.
    void AwaitInput(std::uint32_t count) {
        ASSERT_TRUE(device_->SetCommMask(EV_RXCHAR));
        for (;;) {
            std::uint32_t errors = 0;
            TComStat stat;
            ASSERT_TRUE(device_->ClearCommError(errors, &stat));
            if (stat.cbInQue >= count)
                return;
            std::uint32_t mask = 0;
            Async wait;
            if (!device_->WaitCommEvent(mask, wait.overlapped)) {
                ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
            }
            int error = 0;
            ASSERT_EQ(wait.Result(error), 0) << error;
        }
    }

    std::string ReadNow(std::uint32_t count) { return testing::ReadNow(*device_, count); }

    PtyPair pty_;
    std::unique_ptr<PosixSerialDevice> device_;
};

TEST_F(PtyDeviceTest, BytesGoBothWaysUnchanged) {
    // Every byte value, 0xFF included (the line discipline doubles it in its error marks).
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    Async write;
    std::uint32_t written = 0;
    ASSERT_TRUE(device_->WriteFile(all.data(), all.size(), &written, write.overlapped));
    EXPECT_EQ(written, all.size());
    EXPECT_EQ(pty_.Receive(all.size()), all);

    pty_.Send(all);
    AwaitInput(all.size());
    EXPECT_EQ(ReadNow(1000), all);
}

TEST_F(PtyDeviceTest, ClearingTheInputFlushesTheDriversQueue) {
    int on = 1;
    ASSERT_EQ(ioctl(pty_.Master(), TIOCPKT, &on), 0);
    pty_.Send("xyz");
    AwaitInput(3);
    ASSERT_TRUE(device_->PurgeComm(PURGE_RXCLEAR));
    const std::string packet = pty_.Receive(1, 1000);
    ASSERT_FALSE(packet.empty());
    EXPECT_TRUE(packet[0] & TIOCPKT_FLUSHREAD);
}

TEST_F(PtyDeviceTest, LineSettingsThePtyCannotCarryAreRefused) {
    TDCB custom = Dcb8N1(12345);
    EXPECT_TRUE(device_->SetCommState(custom)) << "any rate through termios2";
    EXPECT_TRUE(device_->SetCommState(Dcb8N1(256000)));

    TDCB sevenEven = Dcb8N1();
    sevenEven.ByteSize = 7;
    sevenEven.Parity = EVENPARITY;
    EXPECT_FALSE(device_->SetCommState(sevenEven)) << "a pty forces 8N1";
    EXPECT_EQ(GetLastError(), EINVAL);

    TDCB oneAndHalf = Dcb8N1();
    oneAndHalf.StopBits = ONE5STOPBITS;
    EXPECT_FALSE(device_->SetCommState(oneAndHalf)) << "1.5 stop bits need 5 data bits";
    TDCB fiveTwo = Dcb8N1();
    fiveTwo.ByteSize = 5;
    fiveTwo.StopBits = TWOSTOPBITS;
    EXPECT_FALSE(device_->SetCommState(fiveTwo));
    TDCB zero = Dcb8N1(0);
    EXPECT_FALSE(device_->SetCommState(zero));

    // A refused block leaves the device as it was: data still flows at 8N1.
    pty_.Send("ok");
    AwaitInput(2);
    EXPECT_EQ(ReadNow(2), "ok");
}

TEST_F(PtyDeviceTest, NoModemLinesOnAPty) {
    std::uint32_t status = 0xFF;
    ASSERT_TRUE(device_->GetCommModemStatus(status));
    EXPECT_EQ(status, 0u);
    EXPECT_FALSE(device_->EscapeCommFunction(SETRTS));
    EXPECT_EQ(GetLastError(), ENOTTY);
    EXPECT_FALSE(device_->EscapeCommFunction(77));
}

void ExpectLostDevice(PosixSerialDevice &device, Async &pendingRead, Async &pendingWait,
                      std::uint32_t &waitMask) {
    int error = 0;
    EXPECT_EQ(pendingRead.Result(error), -1);
    EXPECT_EQ(error, EIO);
    EXPECT_EQ(pendingWait.Result(error), 0) << "the event wait completes";
    EXPECT_EQ(waitMask, EV_ERR);

    std::uint32_t mask = 0;
    Async wait;
    EXPECT_FALSE(device.WaitCommEvent(mask, wait.overlapped)) << "later waits fail at once";
    EXPECT_EQ(GetLastError(), EIO);
    Async write;
    EXPECT_FALSE(device.WriteFile("x", 1, nullptr, write.overlapped));
    EXPECT_EQ(GetLastError(), EIO);
    std::uint32_t errors = 0;
    TComStat stat;
    ASSERT_TRUE(device.ClearCommError(errors, &stat));
    EXPECT_TRUE(errors & CE_IOE);
    EXPECT_TRUE(device.PurgeComm(PURGE_TXABORT | PURGE_RXABORT)) << "a close must go through";

    // Its I/O thread sleeps until called again: a device still watched would report
    // itself ready (hung up) again and again. The purge above may wake it once more.
    const std::uint64_t wakeups = device.IoWakeups();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_LE(device.IoWakeups(), wakeups + 1);
}

TEST_F(PtyDeviceTest, MasterCloseIsALostDeviceAndTheNameIsGone) {
    ASSERT_TRUE(device_->SetCommTimeouts({0, 0, 0, 0, 0}));
    ASSERT_TRUE(device_->SetCommMask(EV_RXCHAR | EV_ERR));
    char buffer[4];
    Async read, wait;
    std::uint32_t mask = 0;
    ASSERT_FALSE(device_->ReadFile(buffer, sizeof buffer, nullptr, read.overlapped));
    ASSERT_FALSE(device_->WaitCommEvent(mask, wait.overlapped));
    const std::string path = pty_.SlavePath();
    pty_.CloseMaster();
    ExpectLostDevice(*device_, read, wait, mask);
    device_.reset();
    EXPECT_EQ(PosixSerialDevice::Open(path), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(PtyDeviceTest, LossWhileNoWaitIsPendingIsStillReportedOnce) {
    ASSERT_TRUE(device_->SetCommMask(EV_RXCHAR | EV_ERR));
    pty_.CloseMaster();
    std::uint32_t errors = 0;
    for (int i = 0; i < 5000 && !(errors & CE_IOE); ++i) {
        ASSERT_TRUE(device_->ClearCommError(errors, nullptr));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(errors & CE_IOE);
    std::uint32_t mask = 0;
    Async wait;
    EXPECT_TRUE(device_->WaitCommEvent(mask, wait.overlapped));
    EXPECT_EQ(mask, EV_ERR);
    EXPECT_FALSE(device_->WaitCommEvent(mask, wait.overlapped));
    EXPECT_EQ(GetLastError(), EIO);
}

TEST_F(PtyDeviceTest, HangUpIsALostDeviceAndReplugOpensAgain) {
    ASSERT_TRUE(device_->SetCommTimeouts({0, 0, 0, 0, 0}));
    ASSERT_TRUE(device_->SetCommMask(EV_RXCHAR | EV_ERR));
    char buffer[4];
    Async read, wait;
    std::uint32_t mask = 0;
    ASSERT_FALSE(device_->ReadFile(buffer, sizeof buffer, nullptr, read.overlapped));
    ASSERT_FALSE(device_->WaitCommEvent(mask, wait.overlapped));
    const int slave = ::open(pty_.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(slave, 0);
    if (ioctl(slave, TIOCVHANGUP) != 0) {
        ::close(slave);
        GTEST_SKIP() << "TIOCVHANGUP needs CAP_SYS_ADMIN";
    }
    ::close(slave);
    ExpectLostDevice(*device_, read, wait, mask);
    device_.reset();

    device_ = PosixSerialDevice::Open(pty_.SlavePath());
    ASSERT_NE(device_, nullptr) << GetLastError();
    ASSERT_TRUE(device_->SetCommState(Dcb8N1()));
    ASSERT_TRUE(device_->SetCommTimeouts(ReturnAtOnce()));
    pty_.Send("back");
    AwaitInput(4);
    EXPECT_EQ(ReadNow(4), "back");
}

// Drops CAP_SYS_ADMIN from this process (a forked child), which TIOCEXCL lets through.
bool DropSysAdmin() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    data[CAP_TO_INDEX(CAP_SYS_ADMIN)].effective &= ~CAP_TO_MASK(CAP_SYS_ADMIN);
    data[CAP_TO_INDEX(CAP_SYS_ADMIN)].permitted &= ~CAP_TO_MASK(CAP_SYS_ADMIN);
    return syscall(SYS_capset, &header, data) == 0;
}

TEST_F(PtyDeviceTest, SecondOpenIsRefused) {
    EXPECT_EQ(PosixSerialDevice::Open(pty_.SlavePath()), nullptr) << "locked by this open";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    // Another program that takes no lock is stopped by TIOCEXCL (unless privileged).
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!DropSysAdmin())
            _exit(2);
        const int fd = ::open(pty_.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        _exit(fd < 0 && errno == EBUSY ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: capabilities could not be dropped";

    device_.reset();
    device_ = PosixSerialDevice::Open(pty_.SlavePath());
    EXPECT_NE(device_, nullptr) << "free again once closed";
}

} // namespace
} // namespace serial::testing
