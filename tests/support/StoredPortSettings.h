// Every value that a port's settings persistence stores, as one text, so that two ports
// can be compared whole (the persistence tests and the INI fuzz target).
#pragma once

#include "serial/port/SerialPort.h"

#include <string>

namespace serial::testing {

inline std::string StoredSettings(TCustomSerialPort &port) {
    auto &f = port.FlowControl();
    auto &t = port.Timeouts();
    std::string text = port.Port() + ":";
    for (long v : {long(port.BaudRate()),
                   long(port.CustomBaudRate()),
                   long(port.StopBits()),
                   long(port.DataBits()),
                   long(port.Parity().Bits()),
                   long(port.EventChar()),
                   long(port.DiscardNull()),
                   long(port.Parity().Check()),
                   long(port.Parity().Replace()),
                   long(port.Parity().ReplaceChar()),
                   long(port.Buffer().InputSize()),
                   long(port.Buffer().OutputSize()),
                   long(t.ReadInterval()),
                   long(t.ReadTotalConstant()),
                   long(t.ReadTotalMultiplier()),
                   long(t.WriteTotalConstant()),
                   long(t.WriteTotalMultiplier()),
                   long(f.ControlRTS()),
                   long(f.ControlDTR()),
                   long(f.DSRSensitivity()),
                   long(f.OutCTSFlow()),
                   long(f.OutDSRFlow()),
                   long(f.TxContinueOnXoff()),
                   long(f.XonXoffIn()),
                   long(f.XonXoffOut()),
                   long(f.XoffChar()),
                   long(f.XonChar())})
        text += std::to_string(v) + ",";
    return text;
}

} // namespace serial::testing
