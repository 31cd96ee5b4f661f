// The port's settings saved to an INI file and loaded back, group by group.
#include "serial/persistence/IniFile.h"
#include "serial/PortTestSupport.h"
#include "support/StoredPortSettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdlib.h>

namespace serial {
namespace {

using testing::PortTest;
using testing::StoredSettings;

const TStoredGroups kAllGroups{sgBasic, sgFlowControl, sgBuffer, sgTimeouts, sgParity, sgOthers};

// The keys of a section, in the order of the text.
std::vector<std::string> Keys(const std::string &text) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
        start = end + 2;
    }
    return keys;
}

class Persistence : public PortTest {
protected:
    void SetUp() override {
        PortTest::SetUp();
        char pattern[] = "/tmp/ventrose-port-ini-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        port.SetName("SerialPort1");
    }
    void TearDown() override {
        PortTest::TearDown();
        std::system(("rm -rf '" + dir_ + "'").c_str());
    }
    std::string Path() const { return dir_ + "/port.ini"; }
    // What a save writes into a new file.
    std::string Saved(TCustomSerialPort &from) {
        std::remove(Path().c_str());
        TIniFile ini(Path());
        from.SaveToIni(ini);
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void WriteIni(const std::string &text) { std::ofstream(Path(), std::ios::binary) << text; }
    void Load(TCustomSerialPort &into) {
        TIniFile ini(Path());
        into.LoadFromIni(ini);
    }
    std::string dir_;
};

TEST_F(Persistence, TheBasicGroupOfTheMainWindowsPort) {
    ConfigureAsMainWindow();
    EXPECT_EQ(Saved(port), "[SerialPort1]\r\nPort=COM1\r\nBaudRate=9600\r\nStopBits=1\r\n"
                           "DataBits=8\r\nParity=None\r\nFlowControl=None\r\n");
    port.SetBaudRate(brCustom);
    EXPECT_EQ(Keys(Saved(port))[2], "CustomBaudRate") << "only with a custom rate";
}

TEST_F(Persistence, AllGroupsInTheirOrderAndBackIntoAnotherPort) {
    port.SetStoredGroups(kAllGroups);
    port.SetPort("/dev/ttyUSB0");
    port.SetBaudRate(brCustom);
    port.SetCustomBaudRate(31250);
    port.SetStopBits(sbTwoStopBits);
    port.SetDataBits(dbSeven);
    port.SetEventChar('\r');
    port.SetDiscardNull(true);
    port.Parity().SetBits(prMark);
    port.Parity().SetCheck(true);
    port.Parity().SetReplace(true);
    port.Parity().SetReplaceChar('?');
    port.Buffer().SetInputSize(4096);
    port.Buffer().SetOutputSize(-2);
    port.Timeouts().SetReadInterval(5);
    port.Timeouts().SetReadTotalConstant(6);
    port.Timeouts().SetReadTotalMultiplier(7);
    port.Timeouts().SetWriteTotalConstant(8);
    port.Timeouts().SetWriteTotalMultiplier(9);
    port.FlowControl().SetControlRTS(rtsToggle);
    port.FlowControl().SetControlDTR(dtrHandshake);
    port.FlowControl().SetDSRSensitivity(true);
    port.FlowControl().SetOutDSRFlow(true);
    port.FlowControl().SetXonXoffIn(true);
    port.FlowControl().SetXonChar(' ');
    port.FlowControl().SetXoffChar(char(200));

    const std::string text = Saved(port);
    const std::vector<std::string> expected = {"Port",
                                               "BaudRate",
                                               "CustomBaudRate",
                                               "StopBits",
                                               "DataBits",
                                               "Parity",
                                               "FlowControl",
                                               "EventChar",
                                               "DiscardNull",
                                               "Parity.Check",
                                               "Parity.Replace",
                                               "Parity.ReplaceChar",
                                               "Buffer.OutputSize",
                                               "Buffer.InputSize",
                                               "Timeouts.ReadInterval",
                                               "Timeouts.ReadTotalConstant",
                                               "Timeouts.ReadTotalMultiplier",
                                               "Timeouts.WriteTotalConstant",
                                               "Timeouts.WriteTotalMultiplier",
                                               "FlowControl.ControlRTS",
                                               "FlowControl.ControlDTR",
                                               "FlowControl.DSRSensitivity",
                                               "FlowControl.OutCTSFlow",
                                               "FlowControl.OutDSRFlow",
                                               "FlowControl.TxContinueOnXoff",
                                               "FlowControl.XonXoffIn",
                                               "FlowControl.XonXoffOut",
                                               "FlowControl.XoffChar",
                                               "FlowControl.XonChar"};
    EXPECT_EQ(Keys(text), expected);
    EXPECT_NE(text.find("FlowControl=Custom\r\n"), std::string::npos);
    EXPECT_NE(text.find("FlowControl.XonChar=#32\r\n"), std::string::npos);

    TSerialPort other;
    other.SetName("SerialPort1");
    other.SetStoredGroups(kAllGroups);
    Load(other);
    EXPECT_EQ(StoredSettings(other), StoredSettings(port));
}

TEST_F(Persistence, LoadingKeepsWhatIsMissingAndReadsTheRateOnlyWhenCustom) {
    port.SetStoredGroups(kAllGroups);
    port.SetCustomBaudRate(1234);
    port.FlowControl().SetXonXoffOut(true);
    const std::string before = StoredSettings(port);
    WriteIni("[Other]\r\nPort=COM9\r\n");
    Load(port);
    EXPECT_EQ(StoredSettings(port), before);

    WriteIni("[serialport1]\nbaudrate=CUSTOM\n");
    Load(port);
    EXPECT_EQ(port.BaudRate(), brCustom);
    EXPECT_EQ(port.CustomBaudRate(), 9600) << "its own default, not the current rate";
    WriteIni("[SerialPort1]\nBaudRate=19200\nCustomBaudRate=777\n");
    Load(port);
    EXPECT_EQ(port.CustomBaudRate(), 9600) << "not read without a custom rate";

    // The summary resets the four flags it covers; a flag key then sets its own.
    WriteIni("[SerialPort1]\nFlowControl=Hardware\n");
    Load(port);
    EXPECT_EQ(port.FlowControl().ControlRTS(), rtsHandshake);
    EXPECT_TRUE(port.FlowControl().OutCTSFlow());
    EXPECT_FALSE(port.FlowControl().XonXoffOut());
    WriteIni("[SerialPort1]\nFlowControl=None\nFlowControl.XonXoffIn=Yes\n");
    Load(port);
    EXPECT_EQ(port.FlowControl().FlowControl(), fcCustom);
    EXPECT_TRUE(port.FlowControl().XonXoffIn());
    EXPECT_FALSE(port.FlowControl().OutCTSFlow());
}

TEST_F(Persistence, LoadingIntoAnOpenPortAppliesAndMovesIt) {
    port.Open();
    WriteIni("[SerialPort1]\nPort=COM2\nBaudRate=19200\n");
    Load(port);
    EXPECT_TRUE(port.Connected());
    EXPECT_FALSE(com1.ProgramEndOpen());
    EXPECT_TRUE(com2.ProgramEndOpen());
    EXPECT_EQ(com2.CommState().BaudRate, 19200u);

    com2.FailCall(VirtualCall::SetCommState, EINVAL);
    WriteIni("[SerialPort1]\nBaudRate=300\n");
    try {
        Load(port);
        FAIL() << "the device refused the rate";
    } catch (const ESerialPort &e) {
        EXPECT_EQ(e.ComErrorCode, 7);
    }
    EXPECT_EQ(port.BaudRate(), br300) << "the new value stays stored";
    com2.FailCall(VirtualCall::SetCommState, 0);
}

TEST_F(Persistence, NoRegistryOnThisPlatform) {
    TRegistry registry{"Software\\Ventrose"};
    for (auto operation :
         {&TCustomSerialPort::SaveToRegistry, &TCustomSerialPort::LoadFromRegistry}) {
        try {
            (port.*operation)(registry);
            FAIL();
        } catch (const ESerialPort &e) {
            EXPECT_EQ(e.ComErrorCode, 23);
            EXPECT_STREQ(e.what(), "Registry error");
        }
    }
}

} // namespace
} // namespace serial
