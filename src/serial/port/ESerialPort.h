// The serial port's exception: a component error code with its fixed text, and the
// operating system's error code when the failure came from it.
#pragma once

#include <array>
#include <stdexcept>

namespace serial {

// Indexed by component error code, 1 to 23 (index 0 is unused).
extern const std::array<const char *, 24> PortErrorTexts;

class ESerialPort : public std::runtime_error {
public:
    // Without an operating-system code: WinErrorCode is -1, the message the table text.
    explicit ESerialPort(int comErrorCode);
    // With one: the message ends in " (win error code: <code>)".
    ESerialPort(int comErrorCode, int winErrorCode);

    int WinErrorCode;
    int ComErrorCode;
};

// The framework's general assignment error: a settings object copied from an object of
// another class.
class EAssignError : public std::runtime_error {
public:
    EAssignError(const char *sourceClass, const char *targetClass);
};

} // namespace serial
