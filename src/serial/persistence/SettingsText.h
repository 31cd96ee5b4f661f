// The text forms in which the port's settings are stored, and their readers. The readers
// accept any letter case and fall back to a fixed value for a text they do not know.
#pragma once

#include "serial/port/SerialTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace serial {

std::string BaudRateText(TBaudRate value);       // "Custom", "110" ... "256000"
std::string StopBitsText(TStopBits value);       // "1", "1.5", "2"
std::string DataBitsText(TDataBits value);       // "5" ... "8"
std::string ParityText(TParityBits value);       // "None", "Odd", "Even", "Mark", "Space"
std::string FlowControlText(TFlowControl value); // "Hardware", "Software", "None", "Custom"
std::string DTRText(TDTRFlowControl value);      // "Disable", "Enable", "Handshake"
std::string RTSText(TRTSFlowControl value);      // "Disable", "Enable", "Handshake", "Toggle"
std::string BoolText(bool value);                // "Yes", "No"
// A byte from 33 to 127 as itself, any other as "#" and its decimal code ("#0", "#200").
std::string CharText(char value);

TBaudRate TextToBaudRate(std::string_view text);       // else br9600
TStopBits TextToStopBits(std::string_view text);       // else sbOneStopBit
TDataBits TextToDataBits(std::string_view text);       // else dbEight
TParityBits TextToParity(std::string_view text);       // else prNone
TFlowControl TextToFlowControl(std::string_view text); // else fcCustom
TDTRFlowControl TextToDTR(std::string_view text);      // else dtrDisable
TRTSFlowControl TextToRTS(std::string_view text);      // else rtsDisable
bool TextToBool(std::string_view text);                // "yes" in any case, else false
// "" gives #0; a text not starting with "#", or "#" alone, its first byte; otherwise the
// low byte of the decimal number after "#", or #0 when that is no number.
char TextToChar(std::string_view text);

// A decimal 32-bit integer: optional leading blanks, an optional sign, digits, nothing
// after them.
std::optional<std::int32_t> ParseInt32(std::string_view text);
// ASCII letters compared without regard to case; every other byte exactly.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace serial
