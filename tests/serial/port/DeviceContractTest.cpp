// The contract both device back ends keep, run against each: the virtual line and the
// termios device on a pseudo-terminal pair, and the virtual line seen through the line
// trace, which must change nothing. Time-outs, the event mask and its wait, the
// event character, null stripping, the 80 % mark, the drained output, purge and abort,
// and an input count that is exactly what a read then gets.
#include "serial/trace/TracedDevice.h"
#include "serial/virtual/VirtualSerialLine.h"
#include "support/PtyHarness.h"

#include <gtest/gtest.h>

#include <thread>

namespace serial::testing {
namespace {

using namespace std::chrono_literals;
constexpr std::uint32_t M = MAXDWORD;

// The far end of each back end's line.
class VirtualBackEnd {
public:
    std::unique_ptr<SerialDevice> Open() { return line_.OpenProgramEnd(); }
    void Send(const std::string &bytes) { line_.WriteToProgram(bytes); }
    std::string Receive(std::size_t count, std::chrono::milliseconds quiet = 2s) {
        std::string got;
        while (got.size() < count) {
            const std::string more = line_.ReadFromProgram(count - got.size(), quiet);
            if (more.empty())
                break;
            got += more;
        }
        return got;
    }

    void Lose() { line_.Unplug(); }

private:
    VirtualSerialLine line_;
};

class PtyBackEnd {
public:
    std::unique_ptr<SerialDevice> Open() { return PosixSerialDevice::Open(pty_.SlavePath()); }
    void Send(const std::string &bytes) { pty_.Send(bytes); }
    std::string Receive(std::size_t count, std::chrono::milliseconds quiet = 2s) {
        return pty_.Receive(count, static_cast<int>(quiet.count()));
    }
    void Lose() { pty_.CloseMaster(); }

private:
    PtyPair pty_;
};

// A back end seen through the line trace, which must change nothing.
template <typename BackEnd> class Traced : public BackEnd {
public:
    using Inner = BackEnd;
    std::unique_ptr<SerialDevice> Open() {
        return std::make_unique<TracedDevice>(BackEnd::Open(), "COM1", trace_);
    }

private:
    std::shared_ptr<LineTrace> trace_ =
        std::make_shared<LineTrace>([](std::string_view bytes) { return long(bytes.size()); });
};

// A back end whose event waits are waited for as the main thread's loop waits for them.
template <typename BackEnd> class Looped : public BackEnd {
public:
    using Inner = BackEnd;
    static constexpr bool kLoopWaits = true;
};

template <typename BackEnd> class DeviceContract : public ::testing::Test {
protected:
    void SetUp() override {
        device = far.Open();
        ASSERT_NE(device, nullptr) << GetLastError();
        ASSERT_TRUE(device->SetupComm(100, 100));
        SetFlags(fBinary);
        SetTimeouts({M, 0, 0, 0, 0});
    }

    void SetFlags(std::uint32_t flags, char eventChar = 0) {
        TDCB dcb = Dcb8N1();
        dcb.Flags = flags;
        dcb.EvtChar = eventChar;
        ASSERT_TRUE(device->SetCommState(dcb)) << GetLastError();
    }
    void SetTimeouts(TCommTimeouts timeouts) {
        ASSERT_TRUE(device->SetCommTimeouts(timeouts)) << GetLastError();
    }

    std::uint32_t InputCount() {
        std::uint32_t errors = 0;
        TComStat stat;
        EXPECT_TRUE(device->ClearCommError(errors, &stat));
        return stat.cbInQue;
    }

    // The end of an event wait, waited for by a blocked thread or as a loop does.
    static long EventWaitResult(Async &wait, int &error) {
        if constexpr (requires { BackEnd::kLoopWaits; })
            return wait.LoopResult(error);
        else
            return wait.Result(error);
    }

    // Waits for the next events of the mask; 0 if none came within the safety limit.
    std::uint32_t NextEvents() {
        std::uint32_t mask = 0;
        Async wait;
        if (!device->WaitCommEvent(mask, wait.overlapped)) {
            EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
        }
        int error = 0;
        if (EventWaitResult(wait, error) < 0) {
            ADD_FAILURE() << "event wait ended with " << error;
            device->SetCommMask(EV_RXCHAR); // ends the wait before its record goes
            return 0;
        }
        return mask;
    }

    // Collects events until all of `wanted` have occurred (the far end's bytes may come
    // in several pieces); what occurred, or less when the safety limit passed.
    std::uint32_t AwaitEvents(std::uint32_t wanted) {
        std::uint32_t seen = 0;
        while ((seen & wanted) != wanted) {
            const std::uint32_t events = NextEvents();
            if (!events)
                break;
            seen |= events;
        }
        return seen;
    }

    // Waits until at least `count` bytes wait in the device (a pty's bytes reach the
    // reading side a little after they were written); what waits then.
    std::uint32_t AwaitInput(std::uint32_t count) {
        std::uint32_t waiting = InputCount();
        for (int i = 0; i < 20000 && waiting < count; ++i) {
            std::this_thread::sleep_for(1ms);
            waiting = InputCount();
        }
        return waiting;
    }

    std::string ReadNow(std::uint32_t count) { return testing::ReadNow(*device, count); }

    BackEnd far;
    std::unique_ptr<SerialDevice> device;
};

using BackEnds = ::testing::Types<VirtualBackEnd, PtyBackEnd, Traced<VirtualBackEnd>,
                                  Traced<PtyBackEnd>, Looped<VirtualBackEnd>, Looped<PtyBackEnd>>;
class BackEndNames {
public:
    template <typename T> static std::string GetName(int) {
        if constexpr (std::is_same_v<T, VirtualBackEnd>)
            return "VirtualLine";
        else if constexpr (std::is_same_v<T, PtyBackEnd>)
            return "Pty";
        else if constexpr (requires { T::kLoopWaits; })
            return "Looped" + GetName<typename T::Inner>(0);
        else
            return "Traced" + GetName<typename T::Inner>(0);
    }
};
TYPED_TEST_SUITE(DeviceContract, BackEnds, BackEndNames);

TYPED_TEST(DeviceContract, ReadTimeOutModes) {
    struct Case {
        const char *name;
        TCommTimeouts timeouts;
        std::string waiting; // there before the read starts
        std::string later;   // sent once it has started
        std::uint32_t asked;
        std::string expected;
    };
    const Case cases[] = {
        {"return at once with what waits", {M, 0, 0, 0, 0}, "abc", "", 2, "ab"},
        {"return at once with nothing", {M, 0, 0, 0, 0}, "", "", 5, ""},
        {"first byte, constant 0: at once", {M, M, 0, 0, 0}, "", "", 5, ""},
        {"bytes waiting end a timed read at once", {M, 1, M - 1, 0, 0}, "ab", "", 5, "ab"},
        {"total time-out, part comes", {0, 10, 100, 0, 0}, "", "12", 5, "12"},
        {"all asked comes before the time-out", {0, 0, 10000, 0, 0}, "", "12345", 5, "12345"},
        {"interval time-out after a pause", {30, 0, 0, 0, 0}, "", "xyz", 10, "xyz"},
        {"first byte ends the wait", {M, M, 10000, 0, 0}, "", "hi", 10, "hi"},
        {"first-byte wait times out", {M, M, 40, 0, 0}, "", "", 10, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        this->SetTimeouts({M, 0, 0, 0, 0});
        this->ReadNow(1000); // nothing left over from the last case
        this->far.Send(c.waiting);
        ASSERT_EQ(this->AwaitInput(c.waiting.size()), c.waiting.size());
        this->SetTimeouts(c.timeouts);
        std::string buffer(c.asked, '\0');
        Async read;
        std::uint32_t got = 0;
        const bool atOnce = this->device->ReadFile(buffer.data(), c.asked, &got, read.overlapped);
        ASSERT_TRUE(atOnce || GetLastError() == ERROR_IO_PENDING);
        this->far.Send(c.later);
        int error = 0;
        const long count = read.Result(error);
        ASSERT_GE(count, 0) << error;
        buffer.resize(static_cast<std::size_t>(count));
        // The first-byte mode may end on the first piece of what was sent.
        if (c.timeouts.ReadTotalTimeoutMultiplier == M && buffer.size() < c.expected.size()) {
            ASSERT_FALSE(buffer.empty());
            const auto rest = static_cast<std::uint32_t>(c.expected.size() - buffer.size());
            this->SetTimeouts({M, 0, 0, 0, 0});
            this->AwaitInput(rest);
            buffer += this->ReadNow(rest);
        }
        EXPECT_EQ(buffer, c.expected);
    }
    EXPECT_FALSE(this->device->SetCommTimeouts({M, M, M, 0, 0})) << "would wait for ever";
    EXPECT_EQ(GetLastError(), EINVAL);
}

// A read that waits for all it asked is filled piece by piece: each piece lands after the
// ones before it, not over them. The second piece is sent only once the first has reached
// the device (its reception event) and gone into the read (nothing left waiting in the
// device, the read still pending), so the read is certainly filled in two steps.
TYPED_TEST(DeviceContract, PendingReadFilledByTwoPiecesKeepsBothInOrder) {
    this->SetTimeouts({0, 0, 10000, 0, 0});
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR));
    std::string buffer(5, '\0');
    Async read;
    std::uint32_t got = 0;
    ASSERT_FALSE(this->device->ReadFile(buffer.data(), 5, &got, read.overlapped));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    std::uint32_t events = 0;
    Async arrival;
    ASSERT_FALSE(this->device->WaitCommEvent(events, arrival.overlapped));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    this->far.Send("12");
    int error = 0;
    ASSERT_EQ(this->EventWaitResult(arrival, error), 0) << error;
    ASSERT_EQ(events, static_cast<std::uint32_t>(EV_RXCHAR));
    ASSERT_EQ(this->InputCount(), 0u) << "the first piece waits outside the pending read";
    ASSERT_FALSE(read.event.IsSet()) << "the read ended with the first piece";
    this->far.Send("345");
    ASSERT_EQ(read.Result(error), 5) << error;
    EXPECT_EQ(buffer, "12345");
}

TYPED_TEST(DeviceContract, EventMaskAndItsWait) {
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR | EV_RXFLAG));
    std::uint32_t mask = 0xDEAD;
    Async wait;
    ASSERT_FALSE(this->device->WaitCommEvent(mask, wait.overlapped));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    std::uint32_t other = 0;
    Async second;
    EXPECT_FALSE(this->device->WaitCommEvent(other, second.overlapped)) << "one wait at a time";
    this->far.Send("1");
    int error = 0;
    ASSERT_EQ(this->EventWaitResult(wait, error), 0) << error;
    EXPECT_EQ(mask, EV_RXCHAR);

    // A new mask ends a pending wait with no event.
    ASSERT_FALSE(this->device->WaitCommEvent(mask, wait.overlapped));
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR | EV_RXFLAG));
    ASSERT_EQ(this->EventWaitResult(wait, error), 0);
    EXPECT_EQ(mask, 0u);

    // The event character raises its event with the bytes; events that occur while no
    // wait is pending complete the next wait at once.
    this->SetFlags(fBinary, '!');
    this->far.Send("ab!");
    EXPECT_EQ(this->AwaitEvents(EV_RXCHAR | EV_RXFLAG), EV_RXCHAR | EV_RXFLAG);
    EXPECT_EQ(this->ReadNow(10), "1ab!");
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR | EV_RXFLAG));
    this->far.Send("c");
    ASSERT_EQ(this->AwaitInput(1), 1u);
    std::uint32_t kept = 0;
    Async next;
    EXPECT_TRUE(this->device->WaitCommEvent(kept, next.overlapped));
    EXPECT_EQ(kept, EV_RXCHAR);
}

TYPED_TEST(DeviceContract, InputCountIsWhatTheReadGetsChunkAfterChunk) {
    this->SetFlags(fBinary | fNull); // DiscardNull
    // Bytes the termios line discipline marks or doubles (0xFF, 0x00) among plain ones.
    const std::pair<std::string, std::string> chunks[] = {
        {std::string("12\0"
                     "7",
                     4),
         "127"},
        {std::string("\xFF\xFF\0\0a", 5), "\xFF\xFF"
                                          "a"},
        {std::string("\0", 1), ""},
        {std::string(60, '\xFF'), std::string(60, '\xFF')},
        {"end", "end"},
    };
    for (const auto &[sent, kept] : chunks) {
        SCOPED_TRACE(kept);
        this->far.Send(sent);
        this->far.Send("."); // a marker: once it is in, the whole chunk is
        const std::uint32_t count = this->AwaitInput(kept.size() + 1);
        EXPECT_EQ(count, kept.size() + 1);
        EXPECT_EQ(this->ReadNow(count), kept + ".");
        EXPECT_EQ(this->InputCount(), 0u);
    }
    // More than the input queue (100 bytes) holds: still what one read then gets.
    this->far.Send(std::string(60, '\xFF') + std::string(60, 'z'));
    const std::uint32_t count = this->AwaitInput(100);
    EXPECT_EQ(count, 100u);
    EXPECT_EQ(this->ReadNow(count).size(), count);
}

TYPED_TEST(DeviceContract, EightyPercentMarkAndDrainedOutput) {
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR | EV_RX80FULL | EV_TXEMPTY));
    this->far.Send(std::string(79, 'x'));
    ASSERT_EQ(this->AwaitInput(79), 79u);
    EXPECT_EQ(this->AwaitEvents(EV_RXCHAR) & EV_RX80FULL, 0u) << "79 of 100 bytes";
    this->far.Send("y");
    EXPECT_EQ(this->AwaitEvents(EV_RX80FULL) & EV_RX80FULL, EV_RX80FULL);

    Async write;
    std::uint32_t written = 0;
    if (!this->device->WriteFile("out", 3, &written, write.overlapped)) {
        int error = 0;
        written = static_cast<std::uint32_t>(write.Result(error));
    }
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(this->AwaitEvents(EV_TXEMPTY) & EV_TXEMPTY, EV_TXEMPTY);
    EXPECT_EQ(this->far.Receive(3), "out");
}

TYPED_TEST(DeviceContract, AbortEndsPendingTransfersAndClearEmptiesTheInput) {
    this->SetTimeouts({0, 0, 0, 0, 0}); // the read waits for all of it
    char buffer[8];
    Async read;
    ASSERT_FALSE(this->device->ReadFile(buffer, sizeof buffer, nullptr, read.overlapped));
    // One byte, so it arrives in one piece: once its event is reported, it is in the read.
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR));
    this->far.Send("a");
    ASSERT_EQ(this->AwaitEvents(EV_RXCHAR), EV_RXCHAR);
    ASSERT_TRUE(this->device->PurgeComm(PURGE_RXABORT | PURGE_TXABORT));
    int error = 0;
    EXPECT_EQ(read.Result(error), -1);
    EXPECT_EQ(error, ERROR_OPERATION_ABORTED);
    EXPECT_EQ(read.overlapped.InternalHigh, 1u) << "the bytes taken before the abort";

    this->SetTimeouts({M, 0, 0, 0, 0});
    this->far.Send("xyz");
    ASSERT_EQ(this->AwaitInput(3), 3u);
    ASSERT_TRUE(this->device->PurgeComm(PURGE_RXCLEAR));
    EXPECT_EQ(this->InputCount(), 0u);
    EXPECT_EQ(this->ReadNow(10), "");
}

TYPED_TEST(DeviceContract, WriteHeldByXoffEndsAtItsTimeOutWithWhatWasSent) {
    this->SetFlags(fBinary | fOutX);
    this->SetTimeouts({M, 0, 0, 1, 50});
    this->far.Send("\x13");
    // The stop character takes effect once the far end's bytes are in; a write that still
    // went out whole proves nothing, so try again until one is held.
    const std::string data(64, 'w');
    long sent = -1;
    for (int attempt = 0; attempt < 50 && sent < 0; ++attempt) {
        Async write;
        std::uint32_t written = 0;
        if (this->device->WriteFile(data.data(), data.size(), &written, write.overlapped)) {
            this->far.Receive(data.size(), 100ms);
            continue;
        }
        ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
        int error = 0;
        sent = write.Result(error);
        ASSERT_EQ(error, 0) << "a time-out is no error";
    }
    EXPECT_EQ(sent, 0) << "held output: nothing sent when the time-out ended the write";
    EXPECT_EQ(this->far.Receive(1, 100ms), "") << "the unsent rest never goes out";

    // Held without a time-out, then aborted.
    this->SetTimeouts({M, 0, 0, 0, 0});
    Async held;
    ASSERT_FALSE(this->device->WriteFile(data.data(), data.size(), nullptr, held.overlapped));
    ASSERT_TRUE(this->device->PurgeComm(PURGE_TXABORT));
    int error = 0;
    EXPECT_EQ(held.Result(error), -1);
    EXPECT_EQ(error, ERROR_OPERATION_ABORTED);

    // Resumed: once the XON is in, the next write goes out whole. It is written once and
    // waits for the XON (a write time-out far above any scheduling delay): a write tried
    // again after an abort could send twice, since an abort leaves what the driver took.
    this->SetTimeouts({M, 0, 0, 0, 10000});
    this->far.Send("\x11");
    Async resumed;
    long written = 2;
    if (!this->device->WriteFile("go", 2, nullptr, resumed.overlapped)) {
        ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
        written = resumed.Result(error);
    }
    EXPECT_EQ(written, 2);
    EXPECT_EQ(this->far.Receive(2), "go");
}

// A lost device (cable pulled, terminal hung up) reports itself once as an error event,
// even to a wait that starts after the loss, and then refuses everything but the calls
// that let the port close.
TYPED_TEST(DeviceContract, LossIsReportedOnceThenRefused) {
    ASSERT_TRUE(this->device->SetCommMask(EV_RXCHAR | EV_ERR));
    this->far.Lose();
    std::uint32_t errors = 0;
    for (int i = 0; i < 20000 && !(errors & CE_IOE); ++i) {
        ASSERT_TRUE(this->device->ClearCommError(errors, nullptr));
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(errors, CE_IOE) << "still answered, with the device error";
    std::uint32_t mask = 0;
    Async wait;
    ASSERT_TRUE(this->device->WaitCommEvent(mask, wait.overlapped));
    EXPECT_EQ(mask, EV_ERR);
    EXPECT_FALSE(this->device->WaitCommEvent(mask, wait.overlapped)) << "only once";
    EXPECT_EQ(GetLastError(), EIO);
    EXPECT_FALSE(this->device->WriteFile("x", 1, nullptr, wait.overlapped));
    EXPECT_EQ(GetLastError(), EIO);
    EXPECT_EQ(this->InputCount(), 0u);
}

} // namespace
} // namespace serial::testing
