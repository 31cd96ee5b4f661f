#include "platform/app/Errors.h"

#include <cstdint>
#include <string_view>

#include <QCoreApplication>

namespace platform {

Exception::Exception(const QString &message) : utf8_(message.toUtf8().toStdString()) {}

EConvertError EConvertError::NotAnInteger(const QString &text) {
    return EConvertError(
        QCoreApplication::translate("Errors", "'%1' n'est pas une valeur entière correcte")
            .arg(text));
}

EFOpenError::EFOpenError(const QString &fileName)
    : Exception(QCoreApplication::translate("Errors", "Impossible d'ouvrir le fichier %1")
                    .arg(fileName)) {}

EInOutError::EInOutError(const QString &fileName, const QString &reason)
    : Exception(
          QCoreApplication::translate("Errors", "Erreur d'entrée/sortie sur le fichier %1 : %2")
              .arg(fileName, reason)) {}

EAviError::EAviError()
    : Exception(QCoreApplication::translate("Errors", "Impossible d'ouvrir l'AVI")) {}

QString ExceptionMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QCoreApplication::translate("Errors", "Une erreur inattendue s'est produite.");
    }
}

namespace {

// Works on UTF-16 code units or bytes alike: only ASCII characters are accepted, so a
// non-ASCII unit (or a UTF-8 byte of one) simply fails the digit test.
template <typename Char> std::optional<int> ParseInteger(const Char *text, std::size_t length) {
    std::size_t i = 0;
    while (i < length && text[i] == Char(' '))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == Char('+') || text[i] == Char('-'))) {
        negative = text[i] == Char('-');
        ++i;
    }
    if (i == length)
        return std::nullopt;
    // Accumulated as a magnitude so that -2147483648 fits.
    const std::int64_t limit = negative ? std::int64_t(INT32_MAX) + 1 : INT32_MAX;
    std::int64_t magnitude = 0;
    for (; i < length; ++i) {
        if (text[i] < Char('0') || text[i] > Char('9'))
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - Char('0'));
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

std::optional<int> TryStrToInt(const QString &text) {
    return ParseInteger(text.utf16(), static_cast<std::size_t>(text.size()));
}

std::optional<int> TryStrToInt(const std::string &text) {
    return ParseInteger(text.data(), text.size());
}

int StrToInt(const QString &text) {
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError::NotAnInteger(text);
}

int StrToInt(const std::string &text) {
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError::NotAnInteger(QString::fromStdString(text));
}

} // namespace platform
