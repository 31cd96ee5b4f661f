#include "platform/desktop/SystemInfo.h"

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>

#include <map>

namespace platform {

MemoryStatus ParseMemInfo(const QString &text) {
    // Lines read "MemTotal:       16314204 kB".
    static const QRegularExpression line(QStringLiteral(R"(^(\w+):\s+(\d+)\s*kB\s*$)"),
                                         QRegularExpression::MultilineOption);
    std::map<QString, std::uint64_t> kilobytes;
    for (auto it = line.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        kilobytes[match.captured(1)] = match.captured(2).toULongLong();
    }
    auto value = [&](const char *name) {
        const auto found = kilobytes.find(QString::fromLatin1(name));
        return found == kilobytes.end() ? 0 : found->second * 1024;
    };
    MemoryStatus status;
    status.totalPhysical = value("MemTotal");
    status.availablePhysical = kilobytes.count(QStringLiteral("MemAvailable"))
                                   ? value("MemAvailable")
                                   : value("MemFree") + value("Buffers") + value("Cached");
    status.availablePhysical = std::min(status.availablePhysical, status.totalPhysical);
    if (status.totalPhysical > 0) {
        const std::uint64_t used = status.totalPhysical - status.availablePhysical;
        status.memoryLoad = int((used * 100 + status.totalPhysical / 2) / status.totalPhysical);
    }
    return status;
}

MemoryStatus QueryMemoryStatus() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseMemInfo(QString::fromLatin1(file.readAll()));
}

QSize ScreenSize() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

int BitsPerPixel(const QWidget *widget) {
    if (widget)
        return widget->depth();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

} // namespace platform
