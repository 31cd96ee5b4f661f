// The port's settings saved to and loaded from an INI file, group by group, key by key.
#include "serial/persistence/IniFile.h"
#include "serial/persistence/SettingsText.h"
#include "serial/port/SerialPort.h"

#include <array>

namespace serial {

namespace {

using Port = TCustomSerialPort;

// One stored value: its key, and how it reads and assigns the property, as a text or as
// an integer (exactly one pair is set).
struct Key {
    const char *name;
    std::string (*text)(Port &) = nullptr;
    void (*setText)(Port &, const std::string &) = nullptr;
    std::int32_t (*number)(Port &) = nullptr;
    void (*setNumber)(Port &, std::int32_t) = nullptr;
};

template <std::size_t N> using Group = std::array<Key, N>;

const Group<7> kBasic = {{
    {"Port", [](Port &p) { return p.Port(); }, [](Port &p, const std::string &v) { p.SetPort(v); }},
    {"BaudRate", [](Port &p) { return BaudRateText(p.BaudRate()); },
     [](Port &p, const std::string &v) { p.SetBaudRate(TextToBaudRate(v)); }},
    // Only with a custom rate; loading reads it with 9600 as its default (LoadGroup).
    {"CustomBaudRate", nullptr, nullptr, [](Port &p) { return p.CustomBaudRate(); },
     [](Port &p, std::int32_t v) { p.SetCustomBaudRate(v); }},
    {"StopBits", [](Port &p) { return StopBitsText(p.StopBits()); },
     [](Port &p, const std::string &v) { p.SetStopBits(TextToStopBits(v)); }},
    {"DataBits", [](Port &p) { return DataBitsText(p.DataBits()); },
     [](Port &p, const std::string &v) { p.SetDataBits(TextToDataBits(v)); }},
    {"Parity", [](Port &p) { return ParityText(p.Parity().Bits()); },
     [](Port &p, const std::string &v) { p.Parity().SetBits(TextToParity(v)); }},
    // The derived summary: "Custom" keeps the flags, the others reset them.
    {"FlowControl", [](Port &p) { return FlowControlText(p.FlowControl().FlowControl()); },
     [](Port &p, const std::string &v) { p.FlowControl().SetFlowControl(TextToFlowControl(v)); }},
}};

const Group<2> kOthers = {{
    {"EventChar", [](Port &p) { return CharText(p.EventChar()); },
     [](Port &p, const std::string &v) { p.SetEventChar(TextToChar(v)); }},
    {"DiscardNull", [](Port &p) { return BoolText(p.DiscardNull()); },
     [](Port &p, const std::string &v) { p.SetDiscardNull(TextToBool(v)); }},
}};

const Group<3> kParity = {{
    {"Parity.Check", [](Port &p) { return BoolText(p.Parity().Check()); },
     [](Port &p, const std::string &v) { p.Parity().SetCheck(TextToBool(v)); }},
    {"Parity.Replace", [](Port &p) { return BoolText(p.Parity().Replace()); },
     [](Port &p, const std::string &v) { p.Parity().SetReplace(TextToBool(v)); }},
    {"Parity.ReplaceChar", [](Port &p) { return CharText(p.Parity().ReplaceChar()); },
     [](Port &p, const std::string &v) { p.Parity().SetReplaceChar(TextToChar(v)); }},
}};

const Group<2> kBuffer = {{
    {"Buffer.OutputSize", nullptr, nullptr, [](Port &p) { return p.Buffer().OutputSize(); },
     [](Port &p, std::int32_t v) { p.Buffer().SetOutputSize(v); }},
    {"Buffer.InputSize", nullptr, nullptr, [](Port &p) { return p.Buffer().InputSize(); },
     [](Port &p, std::int32_t v) { p.Buffer().SetInputSize(v); }},
}};

const Group<5> kTimeouts = {{
    {"Timeouts.ReadInterval", nullptr, nullptr, [](Port &p) { return p.Timeouts().ReadInterval(); },
     [](Port &p, std::int32_t v) { p.Timeouts().SetReadInterval(v); }},
    {"Timeouts.ReadTotalConstant", nullptr, nullptr,
     [](Port &p) { return p.Timeouts().ReadTotalConstant(); },
     [](Port &p, std::int32_t v) { p.Timeouts().SetReadTotalConstant(v); }},
    {"Timeouts.ReadTotalMultiplier", nullptr, nullptr,
     [](Port &p) { return p.Timeouts().ReadTotalMultiplier(); },
     [](Port &p, std::int32_t v) { p.Timeouts().SetReadTotalMultiplier(v); }},
    {"Timeouts.WriteTotalConstant", nullptr, nullptr,
     [](Port &p) { return p.Timeouts().WriteTotalConstant(); },
     [](Port &p, std::int32_t v) { p.Timeouts().SetWriteTotalConstant(v); }},
    {"Timeouts.WriteTotalMultiplier", nullptr, nullptr,
     [](Port &p) { return p.Timeouts().WriteTotalMultiplier(); },
     [](Port &p, std::int32_t v) { p.Timeouts().SetWriteTotalMultiplier(v); }},
}};

// The six Boolean flags of the flow control, each read and set through its property.
#define FLAG_KEY(Flag)                                                                             \
    Key {                                                                                          \
        "FlowControl." #Flag, [](Port &p) { return BoolText(p.FlowControl().Flag()); },            \
            [](Port &p, const std::string &v) { p.FlowControl().Set##Flag(TextToBool(v)); }        \
    }
#define CHAR_KEY(Char)                                                                             \
    Key {                                                                                          \
        "FlowControl." #Char, [](Port &p) { return CharText(p.FlowControl().Char()); },            \
            [](Port &p, const std::string &v) { p.FlowControl().Set##Char(TextToChar(v)); }        \
    }

const Group<10> kFlowControl = {{
    {"FlowControl.ControlRTS", [](Port &p) { return RTSText(p.FlowControl().ControlRTS()); },
     [](Port &p, const std::string &v) { p.FlowControl().SetControlRTS(TextToRTS(v)); }},
    {"FlowControl.ControlDTR", [](Port &p) { return DTRText(p.FlowControl().ControlDTR()); },
     [](Port &p, const std::string &v) { p.FlowControl().SetControlDTR(TextToDTR(v)); }},
    FLAG_KEY(DSRSensitivity),
    FLAG_KEY(OutCTSFlow),
    FLAG_KEY(OutDSRFlow),
    FLAG_KEY(TxContinueOnXoff),
    FLAG_KEY(XonXoffIn),
    FLAG_KEY(XonXoffOut),
    CHAR_KEY(XoffChar),
    CHAR_KEY(XonChar),
}};

#undef FLAG_KEY
#undef CHAR_KEY

bool CustomRateKey(const Key &key) { return key.name == kBasic[2].name; }

template <std::size_t N> void SaveGroup(Port &port, const Group<N> &group, TIniFile &ini) {
    const std::string &section = port.Name();
    for (const Key &key : group) {
        if (CustomRateKey(key) && port.BaudRate() != brCustom)
            continue;
        if (key.text)
            ini.WriteString(section, key.name, key.text(port));
        else
            ini.WriteInteger(section, key.name, key.number(port));
    }
}

template <std::size_t N> void LoadGroup(Port &port, const Group<N> &group, TIniFile &ini) {
    const std::string &section = port.Name();
    for (const Key &key : group) {
        if (CustomRateKey(key)) {
            if (port.BaudRate() == brCustom)
                key.setNumber(port, ini.ReadInteger(section, key.name, 9600));
        } else if (key.text) {
            key.setText(port, ini.ReadString(section, key.name, key.text(port)));
        } else {
            key.setNumber(port, ini.ReadInteger(section, key.name, key.number(port)));
        }
    }
}

// Every stored group, in the fixed order of processing; a group not stored is skipped.
template <typename Action> void ForEachStoredGroup(Port &port, Action action) {
    const TStoredGroups stored = port.StoredGroups();
    if (stored.Contains(sgBasic))
        action(kBasic);
    if (stored.Contains(sgOthers))
        action(kOthers);
    if (stored.Contains(sgParity))
        action(kParity);
    if (stored.Contains(sgBuffer))
        action(kBuffer);
    if (stored.Contains(sgTimeouts))
        action(kTimeouts);
    if (stored.Contains(sgFlowControl))
        action(kFlowControl);
}

} // namespace

void TCustomSerialPort::SaveToIni(TIniFile &IniFile) {
    ForEachStoredGroup(*this, [&](const auto &group) { SaveGroup(*this, group, IniFile); });
    IniFile.UpdateFile();
}

void TCustomSerialPort::LoadFromIni(TIniFile &IniFile) {
    ForEachStoredGroup(*this, [&](const auto &group) { LoadGroup(*this, group, IniFile); });
}

void TCustomSerialPort::SaveToRegistry(TRegistry &) { throw ESerialPort(23); }
void TCustomSerialPort::LoadFromRegistry(TRegistry &) { throw ESerialPort(23); }

} // namespace serial
