// Overlapped reads and writes through the port: records, blocking forms, time-outs,
// abort and the record's own copy of written data.
#include "serial/PortTestSupport.h"

#include <gmock/gmock.h>

#include <cstring>
#include <thread>

namespace serial {
namespace {

using testing::PortTest;

class PortAsync : public PortTest {
protected:
    void SetUp() override {
        PortTest::SetUp();
        port.SetEvents({});
        port.Open();
    }
    static void ExpectCode(int code, int osCode, const std::function<void()> &call) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const ESerialPort &e) {
            EXPECT_EQ(e.ComErrorCode, code);
            EXPECT_EQ(e.WinErrorCode, osCode);
        }
    }
};

TEST_F(PortAsync, RecordsStartFreshAndAreReleased) {
    PPortAsync async = nullptr;
    NewAsync(async);
    ASSERT_NE(async, nullptr);
    EXPECT_TRUE(async->Overlapped.hEvent->IsSet());
    EXPECT_EQ(async->Overlapped.Internal, 0u);
    EXPECT_EQ(async->DataCopy, nullptr);
    EXPECT_EQ(async->DataSize, 0);
    EXPECT_EQ(port.WaitAsync(async), 0) << "a fresh record reports a finished empty transfer";

    EXPECT_EQ(port.WriteAsync("abc", 3, async), 3);
    EXPECT_EQ(async->Kind, akWrite);
    EXPECT_EQ(async->DataSize, 3);
    EXPECT_EQ(std::memcmp(async->DataCopy.get(), "abc", 3), 0);
    EXPECT_EQ(port.WaitAsync(async), 3);
    FreeAsync(async);
    EXPECT_EQ(async, nullptr);

    ExpectCode(4, -1, [&] { port.WriteAsync("x", 1, nullptr); });
    ExpectCode(4, -1, [&] {
        char b;
        port.ReadAsync(&b, 1, nullptr);
    });
    ExpectCode(4, -1, [&] { port.WaitAsync(nullptr); });
}

TEST_F(PortAsync, StringFormsSendAndReceiveBytesUnchanged) {
    const std::string bytes("\x00\xff\x80 &\r\n", 7);
    EXPECT_EQ(port.WriteString(bytes), 7);
    EXPECT_EQ(com1.ReadFromProgram(), bytes);
    EXPECT_EQ(port.WriteString(""), 0);
    EXPECT_EQ(com1.PendingFromProgram(), 0u);
    EXPECT_EQ(com1.CallCount(VirtualCall::WriteFile), 1) << "an empty text starts nothing";

    com1.WriteToProgram(bytes);
    std::string text = "old";
    EXPECT_EQ(port.ReadString(text, 0), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(port.ReadString(text, -2), 0);
    EXPECT_EQ(port.ReadString(text, 3), 3);
    EXPECT_EQ(text, bytes.substr(0, 3));
    EXPECT_EQ(port.ReadString(text, 50), 4) << "returns at once with what waits";
    EXPECT_EQ(text, bytes.substr(3));

    char raw[4];
    com1.WriteToProgram("wxyz");
    EXPECT_EQ(port.Read(raw, 4), 4);
    EXPECT_EQ(std::string(raw, 4), "wxyz");
}

TEST_F(PortAsync, WriteHeldByFlowControlEndsWithTheCountSent) {
    port.FlowControl().SetOutCTSFlow(true);
    port.Timeouts().SetWriteTotalMultiplier(2);
    port.Timeouts().SetWriteTotalConstant(40);
    EXPECT_EQ(port.WriteString("compass"), 0);
    EXPECT_EQ(com1.PendingFromProgram(), 0u);

    // A module that takes only part of the text before the time-out.
    com1.SetCTS(true);
    com1.SetModuleInputCapacity(4);
    EXPECT_EQ(port.WriteString("compass"), 4);
    EXPECT_EQ(com1.ReadFromProgram(), "comp");
}

TEST_F(PortAsync, AWriteSendsTheRecordsCopyEvenWhenTheCallersBufferIsGone) {
    port.FlowControl().SetOutCTSFlow(true);
    port.Timeouts().SetWriteTotalMultiplier(0);
    port.Timeouts().SetWriteTotalConstant(0);
    PPortAsync async = nullptr;
    NewAsync(async);
    auto buffer = std::make_unique<char[]>(6);
    std::memcpy(buffer.get(), "origin", 6);
    EXPECT_EQ(port.WriteAsync(buffer.get(), 6, async), 0) << "pending while CTS is low";
    std::memset(buffer.get(), 'X', 6);
    buffer.reset(); // the caller releases its buffer while the write is pending
    std::thread([line = com1]() mutable { line.SetCTS(true); }).join();
    EXPECT_EQ(port.WaitAsync(async), 6);
    EXPECT_EQ(com1.ReadFromProgram(), "origin");
    FreeAsync(async);
}

TEST_F(PortAsync, ReadsWaitUnderTotalTimeouts) {
    port.Timeouts().SetReadInterval(0);
    port.Timeouts().SetReadTotalConstant(30);
    PPortAsync async = nullptr;
    NewAsync(async);
    std::string text;
    EXPECT_EQ(port.ReadStringAsync(text, 4, async), 0);
    EXPECT_EQ(async->Kind, akRead);
    com1.WriteToProgram("ab");
    EXPECT_EQ(port.WaitAsync(async), 2);
    EXPECT_EQ(text.substr(0, 2), "ab");
    FreeAsync(async);
}

TEST_F(PortAsync, AbortEndsPendingTransfersWithOperationAborted) {
    port.Timeouts().SetReadInterval(0); // no read time-out: the read stays pending
    port.FlowControl().SetOutCTSFlow(true);
    port.Timeouts().SetWriteTotalConstant(0);
    port.Timeouts().SetWriteTotalMultiplier(0);
    PPortAsync reading = nullptr, writing = nullptr;
    NewAsync(reading);
    NewAsync(writing);
    char in[8];
    EXPECT_EQ(port.ReadAsync(in, 8, reading), 0);
    EXPECT_EQ(port.WriteStringAsync("held", writing), 0);
    port.AbortAll();
    ExpectCode(3, ERROR_OPERATION_ABORTED, [&] { port.WaitAsync(reading); });
    ExpectCode(2, ERROR_OPERATION_ABORTED, [&] { port.WaitAsync(writing); });

    // Refused starts.
    com1.FailCall(VirtualCall::WriteFile, EIO);
    com1.FailCall(VirtualCall::ReadFile, EAGAIN);
    ExpectCode(2, EIO, [&] { port.WriteStringAsync("x", writing); });
    ExpectCode(3, EAGAIN, [&] { port.ReadAsync(in, 1, reading); });
    com1.FailCall(VirtualCall::PurgeComm, EPERM);
    ExpectCode(5, EPERM, [&] { port.AbortAll(); });
    com1.FailCall(VirtualCall::PurgeComm, 0);
    FreeAsync(reading);
    FreeAsync(writing);
}

TEST_F(PortAsync, ClosingThePortAbortsATransferLeftPending) {
    port.Timeouts().SetReadInterval(0);
    PPortAsync async = nullptr;
    NewAsync(async);
    char in[2];
    port.ReadAsync(in, 2, async);
    port.Close();
    ExpectCode(3, ERROR_OPERATION_ABORTED, [&] { port.WaitAsync(async); });
    FreeAsync(async);
}

} // namespace
} // namespace serial
