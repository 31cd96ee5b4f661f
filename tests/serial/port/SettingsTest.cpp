// The settings objects, the flow-control summary and the port's error texts.
#include "serial/PortTestSupport.h"

#include <gtest/gtest.h>

namespace serial {
namespace {

using testing::PortTest;

TEST(SerialSettings, DefaultsMatchTheDocumentedValues) {
    TSerialParity parity;
    EXPECT_EQ(parity.Bits(), prNone);
    EXPECT_FALSE(parity.Check());
    EXPECT_FALSE(parity.Replace());
    EXPECT_EQ(parity.ReplaceChar(), 0);
    EXPECT_EQ(parity.OwnerPort(), nullptr);

    TSerialFlowControl flow;
    EXPECT_EQ(flow.XonChar(), 17);
    EXPECT_EQ(flow.XoffChar(), 19);
    EXPECT_EQ(flow.ControlDTR(), dtrDisable);
    EXPECT_EQ(flow.ControlRTS(), rtsDisable);
    EXPECT_EQ(flow.FlowControl(), fcNone);

    TSerialTimeouts timeouts;
    EXPECT_EQ(timeouts.ReadInterval(), -1);
    EXPECT_EQ(timeouts.ReadTotalMultiplier(), 0);
    EXPECT_EQ(timeouts.ReadTotalConstant(), 0);
    EXPECT_EQ(timeouts.WriteTotalMultiplier(), 100);
    EXPECT_EQ(timeouts.WriteTotalConstant(), 1000);

    TSerialBuffer buffer;
    EXPECT_EQ(buffer.InputSize(), 1024);
    EXPECT_EQ(buffer.OutputSize(), 1024);

    TSerialPort port;
    EXPECT_EQ(port.Parity().OwnerPort(), &port);
    EXPECT_EQ(port.Buffer().OwnerPort(), &port);
    EXPECT_EQ(port.Events(), AllSerialEvents);
    EXPECT_EQ(EventsToMask(port.Events()), 0x05FFu);
    EXPECT_EQ(port.StoredGroups(), TStoredGroups{sgBasic});
    EXPECT_EQ(port.DeviceHandle(), nullptr);
}

TEST(SerialSettings, OddQueueSizesAreLoweredAfterTheComparison) {
    TSerialBuffer buffer;
    const std::pair<int, int> cases[] = {{1025, 1024}, {1, 0}, {-3, -3}, {0, 0}, {7, 6}};
    for (auto [given, stored] : cases) {
        buffer.SetInputSize(given);
        EXPECT_EQ(buffer.InputSize(), stored) << given;
        buffer.SetOutputSize(given);
        EXPECT_EQ(buffer.OutputSize(), stored) << given;
    }
}

TEST(SerialSettings, FlowControlSummaryReadsOnlyItsFourFlags) {
    TSerialFlowControl flow;
    flow.SetControlRTS(rtsHandshake);
    flow.SetOutCTSFlow(true);
    flow.SetControlDTR(dtrHandshake);
    flow.SetOutDSRFlow(true);
    EXPECT_EQ(flow.FlowControl(), fcHardware);
    flow.SetXonXoffIn(true);
    EXPECT_EQ(flow.FlowControl(), fcCustom);

    // Writing a summary resets the four flags and leaves the others alone.
    flow.SetDSRSensitivity(true);
    flow.SetTxContinueOnXoff(true);
    flow.SetFlowControl(fcNone);
    EXPECT_EQ(flow.FlowControl(), fcNone);
    EXPECT_EQ(flow.ControlDTR(), dtrHandshake);
    EXPECT_TRUE(flow.OutDSRFlow());
    EXPECT_TRUE(flow.DSRSensitivity());
    EXPECT_TRUE(flow.TxContinueOnXoff());

    flow.SetFlowControl(fcSoftware);
    EXPECT_TRUE(flow.XonXoffIn() && flow.XonXoffOut());
    EXPECT_EQ(flow.ControlRTS(), rtsDisable);
    EXPECT_EQ(flow.FlowControl(), fcSoftware);
    flow.SetFlowControl(fcHardware);
    EXPECT_FALSE(flow.XonXoffIn() || flow.XonXoffOut());
    EXPECT_EQ(flow.FlowControl(), fcHardware);
    flow.SetFlowControl(fcCustom);
    EXPECT_EQ(flow.FlowControl(), fcHardware) << "fcCustom changes no field";

    flow.SetFlowControl(fcNone);
    flow.SetControlRTS(rtsEnable);
    EXPECT_EQ(flow.FlowControl(), fcCustom);
}

TEST(SerialSettings, AssignCopiesFieldsAndRefusesAnotherClass) {
    TSerialFlowControl from;
    from.SetXonChar('a');
    from.SetXoffChar('b');
    from.SetTxContinueOnXoff(true);
    from.SetControlDTR(dtrEnable);
    TSerialPort port;
    port.FlowControl().Assign(from);
    EXPECT_EQ(port.FlowControl().XonChar(), 'a');
    EXPECT_EQ(port.FlowControl().XoffChar(), 'b');
    EXPECT_TRUE(port.FlowControl().TxContinueOnXoff());
    EXPECT_EQ(port.FlowControl().ControlDTR(), dtrEnable);
    EXPECT_EQ(port.FlowControl().OwnerPort(), &port) << "the copy keeps the owner";

    TSerialBuffer odd;
    odd.SetInputSize(10);
    TSerialBuffer copy;
    copy.Assign(odd);
    EXPECT_EQ(copy.InputSize(), 10);

    TSerialTimeouts timeouts;
    try {
        timeouts.Assign(odd);
        FAIL() << "no assignment error";
    } catch (const EAssignError &error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TSerialBuffer to a TSerialTimeouts");
    }
    EXPECT_EQ(timeouts.WriteTotalConstant(), 1000);
}

TEST(SerialPortError, TextsAndCodes) {
    const ESerialPort withOs(1, 2);
    EXPECT_EQ(withOs.ComErrorCode, 1);
    EXPECT_EQ(withOs.WinErrorCode, 2);
    EXPECT_STREQ(withOs.what(), "Unable to open com port (win error code: 2)");

    const ESerialPort plain(14);
    EXPECT_EQ(plain.WinErrorCode, -1);
    EXPECT_STREQ(plain.what(), "Cannot set property while connected");

    EXPECT_STREQ(ESerialPort(4).what(), "Invalid Async parameter");
    EXPECT_STREQ(ESerialPort(8, 5).what(), "SetCommTimeouts failed (win error code: 5)");
    EXPECT_STREQ(ESerialPort(8, -7).what(), "SetCommTimeouts failed (win error code: -7)");
    // Codes no operation raises still carry their texts.
    EXPECT_STREQ(PortErrorTexts[6], "Unable to get async status");
    EXPECT_STREQ(PortErrorTexts[13], "TransmitCommChar function failed");
    EXPECT_STREQ(PortErrorTexts[18], "Link (un)registration failed");
    EXPECT_STREQ(PortErrorTexts[19], "Cannot change led state while the port is selected");
    EXPECT_STREQ(PortErrorTexts[22], "A component is linked to OnRxBuf event");
    EXPECT_STREQ(PortErrorTexts[23], "Registry error");
}

TEST(SerialEventMask, MappingIsAnExactInverseOverTheTenBits) {
    EXPECT_EQ(EventsToMask({evRxChar, evRxFlag, evTxEmpty}), 0x0007u);
    EXPECT_EQ(EventsToMask({evRing, evRx80Full}), 0x0500u);
    EXPECT_EQ(MaskToEvents(0xFFFF), AllSerialEvents) << "other bits are ignored";
    for (int bit = 0; bit < 10; ++bit) {
        const TSerialEvents one{static_cast<TSerialEvent>(bit)};
        EXPECT_EQ(MaskToEvents(EventsToMask(one)), one);
    }
}

// ---- Settings on an open port ----

class OpenPortSettings : public PortTest {
protected:
    void SetUp() override {
        PortTest::SetUp();
        port.SetEvents({});
        port.Open();
    }
    int Calls(VirtualCall call) const { return com1.CallCount(call); }
};

TEST_F(OpenPortSettings, UnchangedValuesMakeNoDeviceCall) {
    const int state = Calls(VirtualCall::SetCommState);
    const int timeouts = Calls(VirtualCall::SetCommTimeouts);
    const int setup = Calls(VirtualCall::SetupComm);
    port.SetBaudRate(br9600);
    port.SetDataBits(dbEight);
    port.SetEventChar(0);
    port.Parity().SetBits(prNone);
    port.FlowControl().SetXonChar(17);
    port.Timeouts().SetReadInterval(-1);
    port.Buffer().SetInputSize(1024);
    EXPECT_EQ(Calls(VirtualCall::SetCommState), state);
    EXPECT_EQ(Calls(VirtualCall::SetCommTimeouts), timeouts);
    EXPECT_EQ(Calls(VirtualCall::SetupComm), setup);

    // The summary and whole objects always apply, once.
    port.FlowControl().SetFlowControl(fcNone);
    EXPECT_EQ(Calls(VirtualCall::SetCommState), state + 1);
    port.SetParity(TSerialParity());
    EXPECT_EQ(Calls(VirtualCall::SetCommState), state + 2);
    TSerialTimeouts other;
    other.SetWriteTotalConstant(5);
    port.Timeouts().Assign(other);
    EXPECT_EQ(Calls(VirtualCall::SetCommTimeouts), timeouts) << "a copy touches no device";
    port.SetTimeouts(other);
    EXPECT_EQ(Calls(VirtualCall::SetCommTimeouts), timeouts + 1);
    EXPECT_EQ(com1.CommTimeouts().WriteTotalTimeoutConstant, 5u);

    // 1025 over 1024 is a change: it stores 1024 and applies.
    port.Buffer().SetInputSize(1025);
    EXPECT_EQ(Calls(VirtualCall::SetupComm), setup + 1);
}

TEST_F(OpenPortSettings, ChangesReachTheDeviceAtOnce) {
    port.SetBaudRate(br115200);
    EXPECT_EQ(com1.CommState().BaudRate, 115200u);
    port.SetCustomBaudRate(12345);
    EXPECT_EQ(com1.CommState().BaudRate, 115200u) << "only used with brCustom";
    port.SetBaudRate(brCustom);
    EXPECT_EQ(com1.CommState().BaudRate, 12345u);

    port.Parity().SetReplace(true);
    port.Parity().SetReplaceChar('?');
    EXPECT_EQ(com1.CommState().Flags & (fParity | fErrorChar), 0u);
    EXPECT_EQ(com1.CommState().ErrorChar, 0);
    port.Parity().SetCheck(true);
    EXPECT_EQ(com1.CommState().Flags & (fParity | fErrorChar), fParity | fErrorChar);
    EXPECT_EQ(com1.CommState().ErrorChar, '?');

    port.Buffer().SetInputSize(10);
    port.SetDiscardNull(true);
    const TDCB dcb = com1.CommState();
    EXPECT_EQ(dcb.XonLim, 2);
    EXPECT_EQ(dcb.XoffLim, 2);
    EXPECT_EQ(com1.InputQueueSize(), 10u);
    EXPECT_TRUE(dcb.Flags & fNull);

    port.FlowControl().SetFlowControl(fcHardware);
    port.FlowControl().SetControlDTR(dtrEnable);
    EXPECT_EQ(com1.CommState().Flags & (fRtsControlMask | fDtrControlMask | fOutxCtsFlow),
              (RTS_CONTROL_HANDSHAKE << fRtsControlShift) |
                  (DTR_CONTROL_ENABLE << fDtrControlShift) | fOutxCtsFlow);
}

TEST_F(OpenPortSettings, RefusedGroupRaisesItsCodeAndKeepsTheNewValue) {
    com1.FailCall(VirtualCall::SetCommState, EINVAL);
    com1.FailCall(VirtualCall::SetCommTimeouts, EIO);
    com1.FailCall(VirtualCall::SetupComm, ENOMEM);
    try {
        port.SetStopBits(sbTwoStopBits);
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 7);
        EXPECT_EQ(e.WinErrorCode, EINVAL);
    }
    EXPECT_EQ(port.StopBits(), sbTwoStopBits);
    try {
        port.Timeouts().SetReadTotalConstant(3);
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 8);
        EXPECT_EQ(e.WinErrorCode, EIO);
    }
    EXPECT_EQ(port.Timeouts().ReadTotalConstant(), 3);
    try {
        port.Buffer().SetOutputSize(64);
        FAIL();
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 9);
    }
    EXPECT_TRUE(port.Connected());
}

} // namespace
} // namespace serial
