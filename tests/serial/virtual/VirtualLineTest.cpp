// The virtual serial line at the device interface: queues, time-outs, flow control,
// events, purge and unplugging, driven from the module's end.
#include "serial/virtual/VirtualSerialLine.h"
#include "support/PtyHarness.h"

#include <gtest/gtest.h>

#include <thread>

namespace serial {
namespace {

using namespace std::chrono_literals;

// One overlapped operation with its own event.
struct Op {
    TWaitEvent event{true};
    TOverlapped overlapped;
    Op() { overlapped.hEvent = &event; }
    // Waits for the end of the operation (with a generous safety limit) and fetches it.
    bool Finish(std::uint32_t &count) {
        if (WaitForEvents({&event}, 20000) != 0)
            return false;
        return GetOverlappedResult(overlapped, count, false);
    }
};

class VirtualLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = line.OpenProgramEnd();
        ASSERT_TRUE(device);
        TDCB dcb;
        dcb.BaudRate = 9600;
        dcb.Flags = fBinary;
        dcb.ByteSize = 8;
        ASSERT_TRUE(device->SetCommState(dcb));
        ASSERT_TRUE(device->SetupComm(100, 100));
        SetTimeouts({MAXDWORD, 0, 0, 0, 0});
    }
    void SetTimeouts(TCommTimeouts t) { ASSERT_TRUE(device->SetCommTimeouts(t)); }
    void SetFlags(std::uint32_t flags) {
        TDCB dcb = line.CommState();
        dcb.Flags = flags;
        ASSERT_TRUE(device->SetCommState(dcb));
    }
    std::string ReadNow(std::uint32_t count) { return testing::ReadNow(*device, count); }

    VirtualSerialLine line;
    std::unique_ptr<SerialDevice> device;
};

TEST_F(VirtualLineTest, OpenIsExclusiveAndClosingDropsTheControlLines) {
    SetLastError(0);
    EXPECT_FALSE(line.OpenProgramEnd());
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(device->EscapeCommFunction(SETRTS));
    ASSERT_TRUE(device->EscapeCommFunction(SETDTR));
    EXPECT_TRUE(line.RTS());
    EXPECT_TRUE(line.DTR());
    device.reset();
    EXPECT_FALSE(line.RTS());
    EXPECT_FALSE(line.DTR());
    EXPECT_TRUE(line.OpenProgramEnd());
}

TEST_F(VirtualLineTest, InputOverflowDropsBytesAndReportsRxOver) {
    ASSERT_TRUE(device->SetupComm(4, 4));
    EXPECT_EQ(line.WriteToProgram("abcdef"), 4u);
    std::uint32_t errors = 0;
    TComStat stat;
    ASSERT_TRUE(device->ClearCommError(errors, &stat));
    EXPECT_EQ(errors, CE_RXOVER);
    EXPECT_EQ(stat.cbInQue, 4u);
    ASSERT_TRUE(device->ClearCommError(errors, &stat));
    EXPECT_EQ(errors, 0u) << "reading the errors clears them";
}

TEST_F(VirtualLineTest, WriteHeldByCtsEndsAtItsTimeoutWithTheCountSent) {
    SetFlags(fBinary | fOutxCtsFlow);
    SetTimeouts({MAXDWORD, 0, 0, 10, 20});
    const std::string data = "held";
    Op op;
    ASSERT_FALSE(device->WriteFile(data.data(), 4, nullptr, op.overlapped));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    std::uint32_t sent = 99;
    ASSERT_TRUE(op.Finish(sent)) << "a time-out is not an error";
    EXPECT_EQ(sent, 0u);
    EXPECT_EQ(line.PendingFromProgram(), 0u) << "the unsent rest never goes out";

    // CTS up: the bytes leave at once.
    line.SetCTS(true);
    std::uint32_t written = 0;
    Op now;
    EXPECT_TRUE(device->WriteFile(data.data(), 4, &written, now.overlapped));
    EXPECT_EQ(written, 4u);
    EXPECT_EQ(line.ReadFromProgram(), "held");
}

TEST_F(VirtualLineTest, WriteToAModuleThatIsNotReadingSendsWhatItTakes) {
    line.SetModuleInputCapacity(3);
    SetTimeouts({MAXDWORD, 0, 0, 0, 0});
    const std::string data = "abcdef";
    Op op;
    ASSERT_FALSE(device->WriteFile(data.data(), 6, nullptr, op.overlapped));
    EXPECT_EQ(line.ReadFromProgram(2), "ab");
    EXPECT_EQ(line.ReadFromProgram(), "cde");
    EXPECT_EQ(line.ReadFromProgram(), "f");
    std::uint32_t sent = 0;
    ASSERT_TRUE(op.Finish(sent));
    EXPECT_EQ(sent, 6u);

    // A module that takes bytes only as it reads them, with a write time-out.
    line.SetModuleInputCapacity(0);
    SetTimeouts({MAXDWORD, 0, 0, 1, 30});
    Op held;
    ASSERT_FALSE(device->WriteFile(data.data(), 6, nullptr, held.overlapped));
    EXPECT_EQ(line.ReadFromProgram(2), "ab");
    ASSERT_TRUE(held.Finish(sent));
    EXPECT_EQ(sent, 2u);
}

// The module's lines and injected line errors as events (the rest of the event contract
// is shared with the termios device).
TEST_F(VirtualLineTest, LineAndErrorEventsOfTheMask) {
    ASSERT_TRUE(device->SetCommMask(EV_CTS | EV_ERR | EV_BREAK));
    std::uint32_t mask = 0, n = 0;
    Op wait;
    ASSERT_FALSE(device->WaitCommEvent(mask, wait.overlapped));
    line.SetDSR(true); // not in the mask
    EXPECT_FALSE(wait.event.IsSet());
    line.SetCTS(true);
    ASSERT_TRUE(wait.Finish(n));
    EXPECT_EQ(mask, EV_CTS);

    line.InjectLineErrors(CE_FRAME | CE_BREAK);
    Op next;
    EXPECT_TRUE(device->WaitCommEvent(mask, next.overlapped));
    EXPECT_EQ(mask, EV_ERR | EV_BREAK);
    std::uint32_t errors = 0;
    ASSERT_TRUE(device->ClearCommError(errors, nullptr));
    EXPECT_EQ(errors, CE_FRAME | CE_BREAK);
}

TEST_F(VirtualLineTest, UnplugFailsEverythingAfterwardsWithoutBlocking) {
    ASSERT_TRUE(device->SetCommMask(EV_RXCHAR));
    SetTimeouts({0, 0, 0, 0, 0});
    std::uint32_t mask = 0, n = 0;
    char in[4];
    Op wait, read;
    ASSERT_FALSE(device->WaitCommEvent(mask, wait.overlapped));
    ASSERT_FALSE(device->ReadFile(in, 4, nullptr, read.overlapped));
    std::thread module([line = line]() mutable { line.Unplug(); });
    module.join();
    EXPECT_FALSE(wait.Finish(n));
    EXPECT_EQ(GetLastError(), EIO);
    EXPECT_FALSE(read.Finish(n));
    EXPECT_EQ(GetLastError(), EIO);

    Op again;
    EXPECT_FALSE(device->WaitCommEvent(mask, again.overlapped));
    EXPECT_EQ(GetLastError(), EIO);
    EXPECT_FALSE(device->EscapeCommFunction(SETRTS));
    EXPECT_EQ(GetLastError(), EIO);
    std::uint32_t errors = 0;
    ASSERT_TRUE(device->ClearCommError(errors, nullptr));
    EXPECT_EQ(errors, CE_IOE);
    EXPECT_EQ(line.WriteToProgram("x"), 0u);

    device.reset();
    EXPECT_FALSE(line.OpenProgramEnd());
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    line.Replug();
    EXPECT_TRUE(line.OpenProgramEnd());
}

TEST_F(VirtualLineTest, ControlModesAndHandshakeDriveTheOutputLines) {
    TDCB dcb = line.CommState();
    dcb.Flags = fBinary | (DTR_CONTROL_ENABLE << fDtrControlShift) |
                (RTS_CONTROL_HANDSHAKE << fRtsControlShift);
    dcb.XonLim = dcb.XoffLim = 25;
    ASSERT_TRUE(device->SetCommState(dcb));
    EXPECT_TRUE(line.DTR());
    EXPECT_TRUE(line.RTS());
    line.WriteToProgram(std::string(80, 'x'));
    EXPECT_FALSE(line.RTS()) << "input nearly full";
    ReadNow(60);
    EXPECT_TRUE(line.RTS()) << "drained to the low limit";
}

} // namespace
} // namespace serial
