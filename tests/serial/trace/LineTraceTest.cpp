// The line trace: the exact lines of a known exchange on the virtual line, and a slow
// trace file that costs trace lines (with a note) but never holds up the line.
#include "serial/trace/TracedDevice.h"
#include "serial/virtual/VirtualSerialLine.h"
#include "support/PtyHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace serial::testing {
namespace {

using namespace std::chrono_literals;

// What the writer thread hands over, readable from the test thread.
class CollectedTrace {
public:
    LineTrace::Sink Sink() {
        return [this](std::string_view lines) {
            std::unique_lock lock(mutex_);
            entered_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return open_; });
            text_ += lines;
            changed_.notify_all();
            return long(lines.size());
        };
    }
    // Holds the writer inside the sink (a disk that does not keep up) until Release.
    void Hold() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }
    void Release() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // Waits (with a generous limit) until the writer has come into the sink.
    bool AwaitWriter() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [this] { return entered_; });
    }
    bool AwaitText(const std::string &part) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [&] { return text_.find(part) != std::string::npos; });
    }
    std::string Text() {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = true;
    bool entered_ = false;
    std::string text_;
};

// A clock the test steps; read by the trace on any thread.
class SteppedClock {
public:
    std::function<LineTrace::Clock::time_point()> Now() {
        return [this] { return LineTrace::Clock::time_point(std::chrono::microseconds(now_)); };
    }
    void Step(std::chrono::microseconds by) { now_ += by.count(); }

private:
    std::atomic<long long> now_{1'000'000};
};

// The trace's settings for a test that expects every line written: the end waits for them
// however busy the machine is.
LineTraceOptions Options(std::size_t capacity, SteppedClock &clock) {
    LineTraceOptions options;
    options.capacity = capacity;
    options.clock = clock.Now();
    options.finalWait = 60s;
    return options;
}

TEST(LineTrace, KnownExchangeOnTheVirtualLine) {
    CollectedTrace collected;
    SteppedClock clock;
    auto trace = std::make_shared<LineTrace>(collected.Sink(), Options(64, clock));
    VirtualSerialLine line;
    DeviceOpener open = TracingOpener(VirtualSerialLine::Opener({{"COM1", line}}), trace);

    EXPECT_EQ(open("COM3"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << "the opener's error reaches the caller";
    clock.Step(1500us);
    auto device = open("COM1");
    ASSERT_NE(device, nullptr);
    TDCB dcb = Dcb8N1();
    dcb.Flags |= fOutX | (DTR_CONTROL_ENABLE << fDtrControlShift);
    ASSERT_TRUE(device->SetCommState(dcb));
    ASSERT_TRUE(device->SetCommTimeouts(ReturnAtOnce()));
    std::uint32_t status = 0;
    ASSERT_TRUE(device->GetCommModemStatus(status));
    clock.Step(2ms);
    ASSERT_TRUE(device->SetCommState(Dcb8N1(19200))); // DTR drops, RTS stays off
    ASSERT_TRUE(device->EscapeCommFunction(SETRTS));
    clock.Step(300ms);
    line.SetDSR(true);
    ASSERT_TRUE(device->GetCommModemStatus(status));
    ASSERT_TRUE(device->GetCommModemStatus(status)); // nothing changed: nothing recorded
    ASSERT_TRUE(device->EscapeCommFunction(CLRRTS));
    clock.Step(1000ms);
    Async write;
    ASSERT_TRUE(device->WriteFile("!33A-4B+2C&", 11, nullptr, write.overlapped));
    clock.Step(250ms);
    line.WriteToProgram("127\r\n");
    EXPECT_EQ(ReadNow(*device, 8), "127\r\n");

    // A read that waits: recorded when it ends, before its caller sees the result.
    ASSERT_TRUE(device->SetCommTimeouts({0, 0, 60000, 0, 0}));
    char buffer[2];
    Async pending;
    ASSERT_FALSE(device->ReadFile(buffer, 2, nullptr, pending.overlapped));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    clock.Step(20ms);
    line.WriteToProgram("\xFF"
                        "9");
    int error = 0;
    EXPECT_EQ(pending.Result(error), 2) << error;
    clock.Step(5ms);
    line.InjectLineErrors(CE_FRAME | CE_OVERRUN);
    std::uint32_t errors = 0;
    ASSERT_TRUE(device->ClearCommError(errors, nullptr));

    // Closed with a read still waiting: it ends (aborted) before the close is recorded.
    Async abandoned;
    ASSERT_FALSE(device->ReadFile(buffer, 2, nullptr, abandoned.overlapped));
    line.WriteToProgram("8");
    clock.Step(1ms);
    device.reset();
    EXPECT_EQ(abandoned.Result(error), -1);
    EXPECT_EQ(error, ERROR_OPERATION_ABORTED);
    EXPECT_EQ(abandoned.overlapped.InternalHigh, 1u);

    // A pulled cable: the refused change is recorded with its reason.
    device = open("COM1");
    ASSERT_NE(device, nullptr);
    line.Unplug();
    clock.Step(10ms);
    EXPECT_FALSE(device->EscapeCommFunction(SETRTS));
    EXPECT_EQ(GetLastError(), EIO);
    device.reset();
    open = nullptr;
    trace.reset(); // the last holder: everything is written

    EXPECT_EQ(collected.Text(), "      0.000 -- open COM3 failed: No such file or directory (2)\n"
                                "      1.500 -- open COM1\n"
                                "      1.500 -- 9600 8N1, Xon/Xoff out\n"
                                "      1.500 -> DTR on\n"
                                "      1.500 -> RTS off\n"
                                "      1.500 <- CTS off, DSR off, DCD off, RI off\n"
                                "      3.500 -- 19200 8N1, no flow control\n"
                                "      3.500 -> DTR off\n"
                                "      3.500 -> RTS on\n"
                                "    303.500 <- DSR on\n"
                                "    303.500 -> RTS off\n"
                                "   1303.500 -> \"!33A-4B+2C&\"  21 33 33 41 2D 34 42 2B 32 43 26\n"
                                "   1553.500 <- \"127..\"  31 32 37 0D 0A\n"
                                "   1573.500 <- \".9\"  FF 39\n"
                                "   1578.500 <- line errors: framing, overrun\n"
                                "   1579.500 <- \"8\"  38\n"
                                "   1579.500 <- read ended: Operation canceled (125)\n"
                                "   1579.500 -- close COM1\n"
                                "   1579.500 -- open COM1\n"
                                "   1589.500 -> RTS on failed: Input/output error (5)\n"
                                "   1589.500 -- close COM1\n");
}

TEST(LineTrace, SlowTraceFileDropsLinesWithANoteAndNeverWaits) {
    CollectedTrace collected;
    SteppedClock clock;
    auto trace = std::make_shared<LineTrace>(collected.Sink(), Options(4, clock));
    collected.Hold();
    trace->Record(TraceDirection::Port, "first");
    ASSERT_TRUE(collected.AwaitWriter());
    // The writer is stuck on the disk: four events wait, the rest are dropped at once.
    for (int i = 1; i <= 10; ++i) {
        clock.Step(1ms);
        trace->RecordBytes(TraceDirection::In, std::to_string(i));
    }
    collected.Release();
    ASSERT_TRUE(collected.AwaitText("\"4\""));
    clock.Step(1ms);
    trace->Record(TraceDirection::Out, "RTS on");
    trace->Note("a note");
    trace.reset();

    EXPECT_EQ(collected.Text(), "      0.000 -- first\n"
                                "      1.000 <- \"1\"  31\n"
                                "      2.000 <- \"2\"  32\n"
                                "      3.000 <- \"3\"  33\n"
                                "      4.000 <- \"4\"  34\n"
                                "      5.000 -- 6 trace lines dropped: the trace file could not "
                                "keep up\n"
                                "     11.000 -> RTS on\n"
                                "     11.000 ** a note\n");
}

// What the trace told the user, from whichever thread.
struct Told {
    std::mutex mutex;
    std::vector<std::string> notes, failures;
    LineTraceOptions Options(std::chrono::milliseconds finalWait) {
        LineTraceOptions options;
        options.capacity = 100000;
        options.finalWait = finalWait;
        options.tell = [this](const std::string &note) { Add(notes, note); };
        options.failed = [this](const std::string &note) { Add(failures, note); };
        return options;
    }
    void Add(std::vector<std::string> &to, const std::string &note) {
        std::lock_guard lock(mutex);
        to.push_back(note);
    }
    bool Failed() {
        std::lock_guard lock(mutex);
        return !failures.empty();
    }
};

// A destination that fails (a full device) or stops reading (a named pipe whose reader
// reads no more): the failure is told once, every line either arrives or is counted, and
// the end never waits for a writer stuck in the pipe. A pipe nobody reads is refused.
TEST(LineTrace, FailingOrStalledDestinationsAreToldAndNeverHoldUpTheEnd) {
    std::signal(SIGPIPE, SIG_IGN); // as the program does: a writer given up on may meet it
    const std::string fifo = ::testing::TempDir() + "trace-" + std::to_string(::getpid());
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_EQ(LineTrace::OpenFile(fifo, error), nullptr) << "refused at once, not awaited";
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const std::size_t pipeSize = static_cast<std::size_t>(::fcntl(reader, F_GETPIPE_SZ));

    const std::pair<std::string, const char *> destinations[] = {
        {"/dev/full", "No space left on device"}, {fifo, nullptr}};
    for (const auto &[path, failure] : destinations) {
        SCOPED_TRACE(path);
        Told told;
        auto trace = LineTrace::OpenFile(path, error, told.Options(failure ? 60s : 0ms));
        ASSERT_NE(trace, nullptr) << error;
        const std::size_t recorded = 3000; // more than the pipe holds
        for (std::size_t i = 0; i < recorded; ++i)
            trace->Record(TraceDirection::Port, std::to_string(i) + std::string(50, '.'));
        // The device has failed, or the pipe holds all it can and the writer waits.
        for (int i = 0; i < 20000 && !(failure ? told.Failed() : trace->BytesWritten() == pipeSize);
             ++i)
            std::this_thread::sleep_for(1ms);
        trace.reset(); // gives up on a writer stuck in the full pipe

        std::string arrived(pipeSize, '\0');
        arrived.resize(std::max<ssize_t>(::read(reader, arrived.data(), pipeSize), 0));
        ASSERT_FALSE(told.notes.empty());
        EXPECT_EQ(std::count(arrived.begin(), arrived.end(), '\n') + std::stoul(told.notes.back()),
                  recorded)
            << told.notes.back();
        ASSERT_EQ(told.failures.size(), failure ? 1u : 0u) << "said once";
        if (failure) {
            EXPECT_NE(told.failures[0].find(failure), std::string::npos) << told.failures[0];
        }
    }
    ::close(reader);
    ::unlink(fifo.c_str());
}

} // namespace
} // namespace serial::testing
