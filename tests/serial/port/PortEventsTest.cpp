// The delivery of the port's events in the three modes, on a virtual line; the
// synchronised modes on both paths: the main thread's loop waiting on the device itself,
// and an event worker.
#include "serial/PortTestSupport.h"

#include "base/sync.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>

namespace serial {
namespace {

using ::testing::ElementsAre;
using testing::PortTest;
using namespace std::chrono_literals;

class PortEvents : public PortTest, public ::testing::WithParamInterface<testing::DeliveryPath> {
protected:
    void SetUp() override {
        PortTest::SetUp();
        UsePath(GetParam());
    }
    bool OnMainLoop() const { return GetParam() == testing::DeliveryPath::MainLoop; }
    // Opens the port and waits until the worker waits on the device.
    void OpenAndWait() {
        port.Open();
        log.clear();
        ASSERT_TRUE(PumpUntilWaiting(0));
    }
    // Waits without serving anything, as a busy main thread would.
    static bool WaitWithoutServing(const std::function<bool()> &done) {
        const auto limit = std::chrono::steady_clock::now() + 20s;
        while (!done()) {
            if (std::chrono::steady_clock::now() > limit)
                return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
};

TEST_P(PortEvents, OneBatchIsDeliveredInTheFixedOrder) {
    port.SetEventChar('!');
    RecordEvents();
    OpenAndWait();
    // The first event ends the device wait; the worker then blocks in its delivery while
    // everything else piles up for the next batch.
    com1.SetCTS(true);
    com1.SetRLSD(true);
    com1.SetDSR(true);
    com1.SetRing(true);
    com1.WriteToProgram(std::string(819, 'x') + "!");
    port.WriteString("out");
    com1.InjectBreak();
    com1.InjectLineErrors(CE_FRAME);
    ASSERT_TRUE(PumpUntilWaiting(1, 2));
    EXPECT_THAT(log, ElementsAre("CTS=1", "Error 9", "RxChar 820", "TxEmpty", "Break", "Ring",
                                 "DSR=1", "RxFlag", "RLSD=1", "Rx80Full"));
}

// Each line's handler is given that line's own level, even when the others differ.
TEST_P(PortEvents, CtsAndDsrAtDifferentLevelsAreEachReportedAsTheyAre) {
    RecordEvents();
    OpenAndWait();
    com1.SetCTS(true);
    ASSERT_TRUE(PumpUntilWaiting(1));
    // The first change ends the device wait on its own; the second makes the next batch.
    com1.SetCTS(false);
    com1.SetDSR(true);
    ASSERT_TRUE(PumpUntilWaiting(2, 2));
    EXPECT_THAT(log, ElementsAre("CTS=1", "CTS=0", "DSR=1"));
}

TEST_P(PortEvents, RxCharReportsTheCountWhenTheHandlerRuns) {
    std::vector<std::string> received;
    port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int count) {
        std::string text;
        EXPECT_EQ(port.ReadString(text, count), count);
        received.push_back(text);
    });
    OpenAndWait();
    com1.WriteToProgram("12");
    com1.WriteToProgram("345"); // arrives before the main thread serves the first batch
    // Batch one reads all five bytes; batch two finds nothing and calls no handler.
    ASSERT_TRUE(PumpUntilWaiting(1, 2));
    EXPECT_THAT(received, ElementsAre("12345"));
}

TEST_P(PortEvents, TwoQuickDsrChangesMayReportTheSameStateTwice) {
    RecordEvents();
    OpenAndWait();
    com1.SetDSR(true);
    com1.SetDSR(false);
    ASSERT_TRUE(PumpUntilWaiting(1, 2));
    EXPECT_THAT(log, ElementsAre("DSR=0", "DSR=0"));
}

TEST_P(PortEvents, EventsChangedWhileOpenApplyAtTheNextOpen) {
    OpenAndWait();
    port.SetEvents({evDSR});
    EXPECT_EQ(com1.CommMask(), 0x05FFu);
    port.Close();
    port.Open();
    EXPECT_TRUE(PumpUntil([&] { return com1.CommMask() == EV_DSR; }));
}

TEST_P(PortEvents, AnExceptionInAHandlerEndsTheWorkerSilently) {
    int reports = 0;
    SetExceptionReporter([&](const std::exception &) { ++reports; });
    int calls = 0;
    port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int) {
        ++calls;
        throw std::runtime_error("handler failed");
    });
    OpenAndWait();
    com1.WriteToProgram("a");
    ASSERT_TRUE(PumpUntil([&] { return DeliveryEnded(); }));
    EXPECT_TRUE(DeliveryFailure());
    const int waits = Waits();
    com1.WriteToProgram("b");
    com1.SetDSR(true);
    platform::SyncQueue::Instance().RunPending();
    EXPECT_EQ(Waits(), waits);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reports, 0);

    // Transfers and Close still work.
    std::string text;
    EXPECT_EQ(port.ReadString(text, 5), 2);
    EXPECT_EQ(port.WriteString("ok"), 2);
    port.Close();
    EXPECT_FALSE(port.Connected());
}

TEST_P(PortEvents, CloseWithADeliveryPendingRunsItInsteadOfDeadlocking) {
    RecordEvents();
    port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int count) {
        std::string text;
        port.ReadString(text, count); // the device is still open here
        log.push_back("read " + text);
    });
    OpenAndWait();
    std::atomic<bool> queued{false};
    platform::SyncQueue::Instance().SetWakeUp([&] { queued = true; });
    com1.WriteToProgram("42");
    // The main thread is busy elsewhere (a nested wait that serves nothing yet) when the
    // worker queues its delivery, or when the bytes end the wait its loop watches; then
    // it closes the port.
    ASSERT_TRUE(OnMainLoop() || WaitWithoutServing([&] { return queued.load(); }));
    platform::SyncQueue::Instance().SetWakeUp(nullptr);
    port.Close();
    EXPECT_THAT(log,
                ElementsAre("CTS=0", "DSR=0", "RLSD=0", "BeforeClose", "read 42", "AfterClose"));
    EXPECT_FALSE(port.Connected());
}

TEST_P(PortEvents, WindowSyncReleasesTheWorkerBeforeTheHandlerEnds) {
    port.SetSyncMethod(smWindowSync);
    bool workerWentOn = false;
    std::thread::id handlerThread;
    int waits = 0;
    port.OnCTSChange = TSerialSignalEvent::FromFunction([&](platform::TObject *, bool on) {
        if (!on)
            return;
        handlerThread = std::this_thread::get_id();
        // Still inside the handler: the worker is back waiting on the device.
        workerWentOn = WaitWithoutServing([&] { return Waits() > waits; });
    });
    OpenAndWait();
    waits = Waits();
    com1.SetCTS(true);
    ASSERT_TRUE(PumpUntil([&] { return handlerThread != std::thread::id(); }));
    EXPECT_TRUE(workerWentOn);
    EXPECT_EQ(handlerThread, std::this_thread::get_id());
}

TEST_P(PortEvents, WindowSyncReportsAHandlerExceptionAndCarriesOn) {
    port.SetSyncMethod(smWindowSync);
    std::vector<std::string> reported;
    SetExceptionReporter([&](const std::exception &e) { reported.push_back(e.what()); });
    RecordEvents();
    port.OnCTSChange = TSerialSignalEvent::FromFunction([&](platform::TObject *, bool on) {
        if (on)
            throw std::runtime_error("CTS handler failed");
    });
    OpenAndWait();
    com1.SetCTS(true);
    ASSERT_TRUE(PumpUntil([&] { return reported.size() == 1; }));
    com1.SetRing(true);
    ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }));
    EXPECT_THAT(log, ElementsAre("Ring"));
    EXPECT_THAT(reported, ElementsAre("CTS handler failed"));
}

TEST_P(PortEvents, WithoutSynchronisationHandlersRunOnTheWorker) {
    port.SetSyncMethod(smNone);
    std::atomic<int> count{0};
    std::atomic<bool> onWorker{false};
    port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int n) {
        onWorker = !platform::SyncQueue::Instance().IsMainThread();
        count = n;
    });
    OpenAndWait();
    com1.WriteToProgram("abc");
    ASSERT_TRUE(WaitWithoutServing([&] { return count.load() == 3; }));
    EXPECT_TRUE(onWorker);
}

// A handler that closes the port: the worker that delivered the event cannot be waited
// for there (it waits for that handler, or runs it), so it is let go and ends by itself.
TEST_P(PortEvents, CloseFromInsideAHandlerClosesInEveryDeliveryMode) {
    for (TSyncMethod method : {smThreadSync, smWindowSync, smNone}) {
        SCOPED_TRACE(method);
        port.SetSyncMethod(method);
        std::atomic<int> closes{0};
        std::atomic<int> later{0};
        port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int) {
            port.Close();
            ++closes;
        });
        OpenAndWait();
        com1.WriteToProgram("x");
        ASSERT_TRUE(PumpUntil([&] { return closes.load() == 1; }));
        EXPECT_FALSE(port.Connected());
        EXPECT_TRUE(PumpUntil([&] { return !com1.ProgramEndOpen(); })) << "the device goes";

        // Open again: the stopped worker is reaped and a new one delivers.
        port.OnRxChar = TRxCharEvent::FromFunction([&](platform::TObject *, int) { ++later; });
        OpenAndWait();
        com1.WriteToProgram("y");
        EXPECT_TRUE(PumpUntil([&] { return later.load() == 1; }));
        port.Close();
    }
}

TEST_P(PortEvents, UnpluggedDeviceIsReportedOnceThenEndsTheWorker) {
    RecordEvents();
    OpenAndWait();
    std::thread([line = com1]() mutable { line.Unplug(); }).join();
    // The pending wait ends with the loss, delivered as a device error; the next wait is
    // refused: the worker ends instead of spinning.
    ASSERT_TRUE(PumpUntil([&] { return DeliveryEnded(); }));
    EXPECT_FALSE(DeliveryFailure());
    EXPECT_EQ(Waits(), 2);
    EXPECT_EQ(log, std::vector<std::string>{"Error " +
                                            std::to_string(TSerialErrors{ceDeviceIO}.ToBits())});

    EXPECT_EQ(port.LineErrors(), TSerialErrors{ceDeviceIO});
    try {
        port.WriteString("x");
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 2);
        EXPECT_EQ(e.WinErrorCode, EIO);
    }
    EXPECT_THROW(port.ModemSignals(), ESerialPort);
    // A device that is gone cannot be purged, yet the port closes, so that it can be
    // opened again once the device is back.
    port.Close();
    EXPECT_FALSE(port.Connected());
    std::thread([line = com1]() mutable { line.Replug(); }).join();
    OpenAndWait();
    EXPECT_TRUE(port.Connected());
    port.Close();
}

INSTANTIATE_TEST_SUITE_P(Paths, PortEvents,
                         ::testing::Values(testing::DeliveryPath::MainLoop,
                                           testing::DeliveryPath::Worker),
                         testing::PathName);

} // namespace
} // namespace serial
