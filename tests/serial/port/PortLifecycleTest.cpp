// Opening, configuring and closing the port on a virtual line.
#include "serial/PortTestSupport.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>

namespace serial {
namespace {

using testing::DeliveryPath;
using ::testing::ElementsAre;
using testing::PortTest;

class PortLifecycle : public PortTest {};

TEST_F(PortLifecycle, MainWindowConfigurationReachesTheDevice) {
    ConfigureAsMainWindow();
    EXPECT_EQ(port.FlowControl().FlowControl(), fcNone);
    port.Open();
    ASSERT_TRUE(port.Connected());
    const TDCB dcb = com1.CommState();
    EXPECT_EQ(dcb.DCBlength, 28u);
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.Flags, 1u);
    EXPECT_EQ(dcb.XonLim, 256);
    EXPECT_EQ(dcb.XoffLim, 256);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.XonChar, 17);
    EXPECT_EQ(dcb.XoffChar, 19);
    EXPECT_EQ(dcb.ErrorChar, 0);
    EXPECT_EQ(dcb.EofChar, 0);
    EXPECT_EQ(dcb.EvtChar, 0);
    EXPECT_EQ(com1.InputQueueSize(), 1024u);
    EXPECT_EQ(com1.OutputQueueSize(), 1024u);
    EXPECT_EQ(com1.CommTimeouts(), (TCommTimeouts{MAXDWORD, 0, 0, 100, 1000}));
    EXPECT_TRUE(PumpUntil([&] { return com1.CommMask() == 0x05FFu; }));
    EXPECT_TRUE(port.WorkerRunning());
}

// The same on both paths of the synchronised events: the main thread's loop, a worker.
TEST_F(PortLifecycle, OpenAndCloseRunTheirEventsInOrder) {
    RecordEvents();
    com1.SetDSR(true);
    com1.SetRLSD(true);
    for (DeliveryPath path : {DeliveryPath::MainLoop, DeliveryPath::Worker}) {
        SCOPED_TRACE(path == DeliveryPath::MainLoop ? "main loop" : "worker");
        UsePath(path);
        log.clear();
        port.Open();
        EXPECT_THAT(log, ElementsAre("BeforeOpen", "AfterOpen", "CTS=0", "DSR=1", "RLSD=1"));
        log.clear();
        port.Open();
        EXPECT_TRUE(log.empty()) << "an open port opens nothing";
        port.Close();
        EXPECT_THAT(log, ElementsAre("CTS=0", "DSR=0", "RLSD=0", "BeforeClose", "AfterClose"));
        EXPECT_FALSE(port.Connected());
        EXPECT_EQ(port.DeviceHandle(), nullptr);
        EXPECT_FALSE(port.WorkerRunning());
        EXPECT_FALSE(com1.ProgramEndOpen());
        log.clear();
        port.Close();
        EXPECT_TRUE(log.empty());
    }
}

TEST_F(PortLifecycle, FailedOpenLeavesThePortClosedAndCanBeRetried) {
    RecordEvents();
    port.SetPort("COM9");
    try {
        port.Open();
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 1);
        EXPECT_EQ(e.WinErrorCode, ERROR_FILE_NOT_FOUND);
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_THAT(log, ElementsAre("BeforeOpen"));

    // A device in use elsewhere, then free again.
    auto other = com1.OpenProgramEnd();
    port.SetPort("COM1");
    EXPECT_THROW(port.Open(), ESerialPort);
    other.reset();
    port.Open();
    EXPECT_TRUE(port.Connected());
}

TEST_F(PortLifecycle, RefusedConfigurationClosesTheDeviceAgain) {
    com1.FailCall(VirtualCall::SetCommTimeouts, EINVAL);
    try {
        port.Open();
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 8);
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_FALSE(com1.ProgramEndOpen());
    EXPECT_EQ(com1.CallCount(VirtualCall::SetupComm), 1) << "queue sizes come first";
    EXPECT_EQ(com1.CallCount(VirtualCall::SetCommState), 1);
}

TEST_F(PortLifecycle, ChangingThePortWhileOpenMovesToTheNewDevice) {
    port.Open();
    RecordEvents();
    port.SetPort("COM1");
    EXPECT_TRUE(log.empty());
    // A different text (case counts): closed, then the reopen fails on the unknown name.
    EXPECT_THROW(port.SetPort("com1"), ESerialPort);
    EXPECT_THAT(log,
                ElementsAre("CTS=0", "DSR=0", "RLSD=0", "BeforeClose", "AfterClose", "BeforeOpen"));
    EXPECT_FALSE(port.Connected());
    log.clear();
    port.SetPort("COM2");
    EXPECT_TRUE(log.empty()) << "a closed port only stores the name";
    port.Open();
    log.clear();
    com1.SetCTS(true);
    port.SetPort("COM1");
    EXPECT_THAT(log, ElementsAre("CTS=0", "DSR=0", "RLSD=0", "BeforeClose", "AfterClose",
                                 "BeforeOpen", "AfterOpen", "CTS=1", "DSR=0", "RLSD=0"));
    EXPECT_TRUE(com1.ProgramEndOpen());
    EXPECT_FALSE(com2.ProgramEndOpen());
}

TEST_F(PortLifecycle, SyncMethodCannotChangeWhileOpen) {
    port.Open();
    try {
        port.SetSyncMethod(smNone);
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 14);
        EXPECT_EQ(e.WinErrorCode, -1);
    }
    EXPECT_EQ(port.SyncMethod(), smThreadSync);
    port.SetSyncMethod(smThreadSync); // unchanged: allowed
    port.Close();
    port.SetSyncMethod(smNone);
    EXPECT_EQ(port.SyncMethod(), smNone);
}

TEST_F(PortLifecycle, NoEventsMeansNoWorkerButTransfersWork) {
    port.SetEvents({});
    RecordEvents();
    port.Open();
    EXPECT_FALSE(port.WorkerRunning());
    EXPECT_EQ(port.EventWorker(), nullptr);
    com1.WriteToProgram("12");
    EXPECT_EQ(com1.CallCount(VirtualCall::WaitCommEvent), 0);
    std::string text;
    EXPECT_EQ(port.ReadString(text, 5), 2);
    EXPECT_EQ(text, "12");
    EXPECT_EQ(port.WriteString("go"), 2);
    EXPECT_EQ(com1.ReadFromProgram(), "go");
}

TEST_F(PortLifecycle, DeviceQueriesOnAClosedPortFailWithInvalidHandle) {
    auto expectCode = [](int code, auto call) {
        try {
            call();
            ADD_FAILURE() << "no error for code " << code;
        } catch (const ESerialPort &e) {
            EXPECT_EQ(e.ComErrorCode, code);
            EXPECT_EQ(e.WinErrorCode, ERROR_INVALID_HANDLE);
        }
    };
    expectCode(10, [&] { port.PendingInput(); });
    expectCode(10, [&] { port.LineErrors(); });
    expectCode(11, [&] { port.ModemSignals(); });
    expectCode(12, [&] { port.SetRTSLine(true); });
    expectCode(2, [&] { port.WriteString("x"); });
    expectCode(3, [&] {
        std::string text;
        port.ReadString(text, 1);
    });
    expectCode(5, [&] { port.AbortAll(); });
}

TEST_F(PortLifecycle, LinesAndErrorsOfAnOpenPort) {
    port.SetEvents({});
    port.Open();
    port.SetRTSLine(true);
    EXPECT_TRUE(com1.RTS());
    port.SetRTSLine(false);
    EXPECT_FALSE(com1.RTS());
    com1.SetCTS(true);
    com1.SetRing(true);
    EXPECT_EQ(port.ModemSignals(), (TModemSignals{msCTS, msRing}));

    com1.InjectLineErrors(CE_FRAME | CE_RXPARITY | CE_BREAK);
    EXPECT_EQ(port.LineErrors(), (TSerialErrors{ceFraming, ceBreak}))
        << "parity errors count only when the port checks parity";
    EXPECT_TRUE(port.LineErrors().Empty());
    port.Parity().SetCheck(true);
    com1.InjectLineErrors(CE_RXPARITY);
    com1.WriteToProgram("abc");
    EXPECT_EQ(port.PendingInput(), 3);
    EXPECT_TRUE(port.LineErrors().Empty()) << "reading the input count cleared them";

    com1.FailCall(VirtualCall::EscapeCommFunction, EIO);
    EXPECT_THROW(port.SetRTSLine(true), ESerialPort);
}

TEST_F(PortLifecycle, RefusedPurgeStopsCloseAndKeepsThePortOpen) {
    RecordEvents();
    port.Open();
    log.clear();
    // A refusal that is not the device's loss (that one lets the port close).
    com1.FailCall(VirtualCall::PurgeComm, EINVAL);
    try {
        port.Close();
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 5);
        EXPECT_EQ(e.WinErrorCode, EINVAL);
    }
    EXPECT_THAT(log, ElementsAre("CTS=0", "DSR=0", "RLSD=0", "BeforeClose"));
    EXPECT_TRUE(port.Connected());
    EXPECT_TRUE(port.WorkerRunning());
    com1.FailCall(VirtualCall::PurgeComm, 0);
}

TEST_F(PortLifecycle, DestroyingAPortWhoseCloseFailsStillReleasesTheDevice) {
    {
        TSerialPort doomed;
        doomed.Open();
        com1.FailCall(VirtualCall::PurgeComm, EINVAL);
    }
    EXPECT_FALSE(com1.ProgramEndOpen());
    com1.FailCall(VirtualCall::PurgeComm, 0);
}

TEST_F(PortLifecycle, ConnectedReadFromAFormOpensAfterLoading) {
    port.BeginLoading();
    port.SetConnected(true);
    port.SetBaudRate(br19200);
    EXPECT_FALSE(com1.ProgramEndOpen()) << "only stored while loading";
    port.EndLoading();
    EXPECT_TRUE(port.Connected());
    EXPECT_EQ(com1.CommState().BaudRate, 19200u);

    // A failure at that point goes to the exception report; the port stays closed.
    std::vector<std::string> reported;
    SetExceptionReporter([&](const std::exception &e) { reported.push_back(e.what()); });
    TSerialPort second;
    second.SetPort("COM1"); // in use by the first
    second.BeginLoading();
    second.SetConnected(true);
    second.EndLoading();
    EXPECT_FALSE(second.Connected());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "Unable to open com port (win error code: " +
                               std::to_string(ERROR_ACCESS_DENIED) + ")");
}

// The module's thread changes a line again and again while the main thread opens and
// closes the port: each close ends the worker's device wait while the module thread may
// be completing it, and the worker's (or the loop's) records must not be written once it
// has ended.
TEST_F(PortLifecycle, LineChangesWhileThePortOpensAndClosesOverAndOver) {
    std::vector<int> counts;
    port.OnRxChar = TRxCharEvent::FromFunction(
        [&](platform::TObject *, int count) { counts.push_back(count); });
    for (DeliveryPath path : {DeliveryPath::MainLoop, DeliveryPath::Worker}) {
        SCOPED_TRACE(path == DeliveryPath::MainLoop ? "main loop" : "worker");
        UsePath(path);
        std::atomic<bool> stop{false};
        std::thread module([line = com1, &stop]() mutable {
            for (bool on = true; !stop; on = !on)
                line.SetCTS(on);
        });
        for (int i = 0; i < 2000; ++i) {
            port.Open();
            port.Close();
        }
        stop = true;
        module.join();

        counts.clear();
        port.Open();
        com1.WriteToProgram("still");
        EXPECT_TRUE(PumpUntil([&] { return !counts.empty(); }));
        EXPECT_EQ(counts, std::vector<int>{5});
        port.Close();
    }
}

TEST_F(PortLifecycle, DesigningStoresOnly) {
    port.SetDesigning(true);
    port.SetConnected(true);
    port.Open();
    EXPECT_FALSE(com1.ProgramEndOpen());
    port.Close(); // does nothing either
    EXPECT_TRUE(port.Connected());
}

} // namespace
} // namespace serial
