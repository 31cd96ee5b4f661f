// The program's exceptions, their messages in the program's language, and the integer
// conversion.
#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <string>

namespace platform {

// The base of the program's own errors: a message for the user, kept as UTF-8 so that
// what() gives it to code that only knows std::exception.
class Exception : public std::exception {
public:
    explicit Exception(const QString &message);
    const char *what() const noexcept override { return utf8_.c_str(); }
    QString Message() const { return QString::fromUtf8(utf8_.c_str()); }

private:
    std::string utf8_;
};

// A text that is not what a conversion expects.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError NotAnInteger(const QString &text);
};

// A file that cannot be opened.
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const QString &fileName);
};

// A read, write, close or rename of a file that failed after the file was found; the
// reason is the system's own description.
class EInOutError : public Exception {
public:
    EInOutError(const QString &fileName, const QString &reason);
};

// An animation clip that cannot be opened or read.
class EAviError : public Exception {
public:
    EAviError();
};

// The text to show for any exception: the program's message, what() of a standard
// exception (read as UTF-8), or a generic text for anything else.
QString ExceptionMessage(std::exception_ptr error);

// Decimal integer conversion with exactly this syntax: optional leading spaces, an
// optional sign, one or more digits 0-9, nothing after them; the value must fit a
// 32-bit signed integer. Tabs and other blanks are not accepted.
std::optional<int> TryStrToInt(const QString &text);
std::optional<int> TryStrToInt(const std::string &text);
// As TryStrToInt, raising EConvertError with the text when it is not an integer.
int StrToInt(const QString &text);
int StrToInt(const std::string &text);

} // namespace platform
