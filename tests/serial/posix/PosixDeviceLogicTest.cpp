// The termios device's logic that only real adapters reach, on a fake terminal with a
// stepped clock: modem-line events from the driver's counters (two quick changes, a
// change the watcher misses, a driver that cannot notify or count), the emulated CTS/DSR
// output hold, the emulated DTR/RTS input handshake, and a held output's drain checks.
#include "serial/posix/FakeTerminal.h"
#include "support/PtyHarness.h"

#include <gtest/gtest.h>

namespace serial::testing {
namespace {

using namespace std::chrono_literals;
constexpr std::uint32_t kLineEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;

class PosixDeviceLogic : public ::testing::Test {
protected:
    void Start(FakeTerminal::Abilities abilities, std::uint32_t flags = fBinary) {
        fake = std::make_shared<FakeTerminal>(abilities);
        device = PosixSerialDevice::Attach(fake->Handle());
        ASSERT_NE(device, nullptr);
        ASSERT_TRUE(device->SetupComm(100, 100));
        TDCB dcb = Dcb8N1();
        dcb.Flags = flags;
        dcb.XonLim = dcb.XoffLim = 25;
        ASSERT_TRUE(device->SetCommState(dcb));
        ASSERT_TRUE(device->SetCommTimeouts({MAXDWORD, 0, 0, 0, 0}));
        ASSERT_TRUE(fake->AwaitIdle());
    }
    void TearDown() override {
        device.reset(); // before the pending operations' records below go
    }
    // Steps the clock, letting the device act on each step.
    void Step(std::chrono::milliseconds total, std::chrono::milliseconds step = 10ms) {
        for (auto done = 0ms; done < total; done += step) {
            fake->Advance(step);
            ASSERT_TRUE(fake->AwaitIdle());
        }
    }
    bool Ended(Async &op) {
        EXPECT_TRUE(fake->AwaitIdle());
        return op.event.IsSet();
    }

    std::shared_ptr<FakeTerminal> fake;
    std::unique_ptr<PosixSerialDevice> device;
};

TEST_F(PosixDeviceLogic, ModemLineEventsFromCountersLevelsAndTheSafetyCheck) {
    const FakeTerminal::Abilities full{true, true, true}, noWait{true, true, false},
        levelsOnly{true, false, false};
    struct Case {
        const char *name;
        FakeTerminal::Abilities abilities;
        std::function<void(FakeTerminal &)> change;
        // Not reported before `before`, reported by `by` (a poll's first round may come
        // late, as the watcher's news that the driver cannot notify may).
        std::chrono::milliseconds before, by;
        std::uint32_t expected; // 0: never reported
    };
    const Case cases[] = {
        {"a change, at once", full, [](FakeTerminal &f) { f.SetLine(MS_CTS_ON, true); }, 0ms, 0ms,
         EV_CTS},
        {"two quick changes, counted", full, [](FakeTerminal &f) { f.Pulse(MS_DSR_ON); }, 0ms, 0ms,
         EV_DSR},
        {"missed by the watcher: the safety check", full,
         [](FakeTerminal &f) { f.ChangeUnnoticed(MS_RLSD_ON, true); }, 250ms, 250ms, EV_RLSD},
        {"driver cannot notify: the counters, polled", noWait,
         [](FakeTerminal &f) { f.Pulse(MS_RING_ON); }, 0ms, 300ms, EV_RING},
        {"no counters: levels, polled", levelsOnly,
         [](FakeTerminal &f) { f.SetLine(MS_DSR_ON, true); }, 0ms, 300ms, EV_DSR},
        {"no counters: a pulse is lost", levelsOnly, [](FakeTerminal &f) { f.Pulse(MS_CTS_ON); },
         0ms, 300ms, 0},
        {"no counters: ring on its trailing edge", levelsOnly,
         [](FakeTerminal &f) {
             f.SetLine(MS_RING_ON, true);
             for (int i = 0; i < 30; ++i) {
                 f.Advance(10ms);
                 f.AwaitIdle();
             }
             f.SetLine(MS_RING_ON, false);
         },
         0ms, 300ms, EV_RING},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.abilities);
        ASSERT_TRUE(device->SetCommMask(kLineEvents));
        std::uint32_t mask = 0;
        Async wait;
        ASSERT_FALSE(device->WaitCommEvent(mask, wait.overlapped));
        ASSERT_TRUE(fake->AwaitIdle());
        c.change(*fake);
        auto stepped = 0ms;
        if (c.before > 0ms) {
            stepped = c.before - 10ms;
            Step(stepped);
            EXPECT_FALSE(Ended(wait)) << "reported too early";
        }
        Step(c.by - stepped);
        EXPECT_EQ(Ended(wait), c.expected != 0);
        int error = 0;
        if (c.expected) {
            EXPECT_EQ(wait.Result(error), 0);
        }
        EXPECT_EQ(wait.event.IsSet() ? mask : 0u, c.expected);
        device.reset();
    }
}

// A device that floods the line: every event wait completes at once with received
// bytes, as the event worker's loop waits, reads and waits again. Where the driver cannot
// notify, the lines are still checked on their own schedule, so DSR's rise is reported.
TEST_F(PosixDeviceLogic, ModemLinesAreCheckedUnderContinuousInput) {
    const std::pair<const char *, FakeTerminal::Abilities> drivers[] = {
        {"counters, no notification", {true, true, false}},
        {"levels only", {true, false, false}},
    };
    for (const auto &[name, abilities] : drivers) {
        SCOPED_TRACE(name);
        Start(abilities);
        ASSERT_TRUE(device->SetCommMask(EV_RXCHAR | kLineEvents));
        std::uint32_t seen = 0;
        std::size_t received = 0;
        for (int step = 0; step < 60; ++step) {
            if (step == 20)
                fake->SetLine(MS_DSR_ON, true);
            fake->Feed(std::string(40, '7'));
            std::uint32_t mask = 0;
            Async wait;
            ASSERT_TRUE(device->WaitCommEvent(mask, wait.overlapped)) << "bytes wait: at once";
            seen |= mask;
            received += ReadNow(*device, 100).size();
            fake->Advance(10ms);
            ASSERT_TRUE(fake->AwaitIdle());
        }
        EXPECT_EQ(received, 60u * 40);
        EXPECT_EQ(seen & EV_DSR, EV_DSR) << "the rise of DSR was reported";
        device.reset();
    }
}

TEST_F(PosixDeviceLogic, EmulatedOutputFlowHoldsWritesUntilTheLineRises) {
    const std::pair<std::uint32_t, std::uint32_t> holds[] = {{fOutxCtsFlow, MS_CTS_ON},
                                                             {fOutxDsrFlow, MS_DSR_ON}};
    for (const auto &[flag, line] : holds) {
        SCOPED_TRACE(flag);
        Start({}, fBinary | flag);
        Async write;
        ASSERT_FALSE(device->WriteFile("abc", 3, nullptr, write.overlapped));
        Step(100ms);
        EXPECT_FALSE(Ended(write));
        EXPECT_EQ(fake->Queued() + fake->Sent(), 0u) << "nothing reached the driver";
        std::uint32_t errors = 0;
        TComStat stat;
        ASSERT_TRUE(device->ClearCommError(errors, &stat));
        EXPECT_TRUE(flag == fOutxCtsFlow ? stat.CtsHold : stat.DsrHold);
        EXPECT_EQ(stat.cbOutQue, 3u);

        fake->SetLine(line, true);
        Step(20ms);
        EXPECT_TRUE(Ended(write));
        int error = 0;
        EXPECT_EQ(write.Result(error), 3);
        EXPECT_EQ(fake->Sent(), 3u);
        device.reset();
    }
}

TEST_F(PosixDeviceLogic, EmulatedInputHandshakeDropsAndRaisesItsLine) {
    const std::uint32_t modes[] = {DTR_CONTROL_HANDSHAKE << fDtrControlShift,
                                   RTS_CONTROL_HANDSHAKE << fRtsControlShift};
    for (const std::uint32_t mode : modes) {
        SCOPED_TRACE(mode);
        Start({}, fBinary | mode);
        auto line = [&] { return mode & fDtrControlMask ? fake->DTR() : fake->RTS(); };
        EXPECT_TRUE(line()) << "raised to begin with";
        fake->Feed(std::string(74, 'x'));
        ASSERT_TRUE(fake->AwaitIdle());
        EXPECT_TRUE(line()) << "26 bytes free of 100";
        fake->Feed("x");
        ASSERT_TRUE(fake->AwaitIdle());
        EXPECT_FALSE(line()) << "no more than XoffLim (25) free";
        std::string buffer(50, '\0');
        Async read;
        std::uint32_t got = 0;
        ASSERT_TRUE(device->ReadFile(buffer.data(), 49, &got, read.overlapped));
        EXPECT_FALSE(line()) << "26 bytes still wait";
        ASSERT_TRUE(device->ReadFile(buffer.data(), 1, &got, read.overlapped));
        EXPECT_TRUE(line()) << "drained to XonLim";
        device.reset();
    }
}

// While the driver holds output (XOFF, or CTS under its own flow control), the drain is
// looked at less and less often: once past the predicted drain time, a held port wakes
// no more often than the modem lines' safety check.
TEST_F(PosixDeviceLogic, HeldOutputIsCheckedLessAndLessOften) {
    Start({});
    fake->HoldOutput(true);
    Async write; // write time-outs 0/0: held for as long as the line holds it
    ASSERT_FALSE(device->WriteFile("0123456789", 10, nullptr, write.overlapped));
    Step(4s); // past the back-off
    const std::uint64_t before = device->IoWakeups();
    Step(4s);
    EXPECT_LE(device->IoWakeups() - before, 4000u / 250 + 1);
    EXPECT_FALSE(Ended(write));

    fake->HoldOutput(false);
    Step(260ms);
    EXPECT_TRUE(Ended(write)) << "the drain is still noticed";
    int error = 0;
    EXPECT_EQ(write.Result(error), 10);
}

} // namespace
} // namespace serial::testing
