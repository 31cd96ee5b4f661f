#include "serial/port/ESerialPort.h"

#include <cstdio>
#include <string>

namespace serial {

const std::array<const char *, 24> PortErrorTexts = {
    "",
    "Unable to open com port",
    "WriteFile function failed",
    "ReadFile function failed",
    "Invalid Async parameter",
    "PurgeComm function failed",
    "Unable to get async status",
    "SetCommState function failed",
    "SetCommTimeouts failed",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set property while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state while the port is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
    "A component is linked to OnRxBuf event",
    "Registry error",
};

namespace {
const char *TextOf(int code) {
    return code > 0 && code < static_cast<int>(PortErrorTexts.size()) ? PortErrorTexts[code] : "";
}

std::string WithOsCode(int comErrorCode, int winErrorCode) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, " (win error code: %d)", winErrorCode);
    return std::string(TextOf(comErrorCode)) + suffix;
}

std::string AssignMessage(const char *sourceClass, const char *targetClass) {
    return std::string("Cannot assign a ") + sourceClass + " to a " + targetClass;
}
} // namespace

ESerialPort::ESerialPort(int comErrorCode)
    : std::runtime_error(TextOf(comErrorCode)), WinErrorCode(-1), ComErrorCode(comErrorCode) {}

ESerialPort::ESerialPort(int comErrorCode, int winErrorCode)
    : std::runtime_error(WithOsCode(comErrorCode, winErrorCode)), WinErrorCode(winErrorCode),
      ComErrorCode(comErrorCode) {}

EAssignError::EAssignError(const char *sourceClass, const char *targetClass)
    : std::runtime_error(AssignMessage(sourceClass, targetClass)) {}

} // namespace serial
