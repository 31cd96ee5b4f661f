#include "platform/app/PathBytes.h"

#include <QFile>

#include <fcntl.h>

namespace platform {

namespace {

std::optional<QString> AsText(const std::string &bytes) {
    const QString text = QFile::decodeName(QByteArray::fromStdString(bytes));
    if (QFile::encodeName(text).toStdString() != bytes)
        return std::nullopt;
    return text;
}

} // namespace

std::optional<QString> PathFromBytes(const std::string &bytes) {
    if (const auto text = AsText(bytes))
        return text;
    const auto through = [](const std::string &folder,
                            const QString &rest) -> std::optional<QString> {
        const int fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
        return rest.isEmpty() ? path : path + QLatin1Char('/') + rest;
    };
    // The whole path first, then from the longest folder down: "a/b/c" tries a/b (rest c),
    // then a (rest b/c). A rest that is not text cannot be kept, and a shorter folder only
    // makes it longer: the search ends there.
    if (const auto whole = through(bytes, QString()))
        return whole;
    for (std::size_t slash = bytes.rfind('/'); slash != std::string::npos && slash > 0;
         slash = bytes.rfind('/', slash - 1)) {
        const auto rest = AsText(bytes.substr(slash + 1));
        if (!rest)
            break;
        if (const auto path = through(bytes.substr(0, slash), *rest))
            return path;
    }
    return std::nullopt;
}

} // namespace platform
