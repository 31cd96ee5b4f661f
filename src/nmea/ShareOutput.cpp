#include "nmea/ShareOutput.h"

#include <utility>

namespace nmea {

ShareOutput::ShareOutput(OutputTarget target, NoticeSink notify)
    : target_(std::move(target)), notify_(std::move(notify)) {}

void ShareOutput::Problem(Trouble trouble, const QString &text) {
    if (said_.insert(trouble).second)
        Event(text);
}

void ShareOutput::Event(const QString &text) {
    if (notify_)
        notify_({ShareNotice::Kind::Problem, QStringLiteral("Cap NMEA : ") + text});
}

void ShareOutput::Note(const QString &text) {
    if (notify_)
        notify_({ShareNotice::Kind::Note, QStringLiteral("Cap NMEA : ") + text});
}

QString ShareOutput::Name() const {
    const QString where = target_.host.find(':') != std::string::npos ? QStringLiteral("[%1]:%2")
                                                                      : QStringLiteral("%1:%2");
    const QString address = where.arg(QString::fromStdString(target_.host)).arg(target_.port);
    switch (target_.kind) {
    case OutputKind::Udp:
        return QStringLiteral("UDP ") + address;
    case OutputKind::Tcp:
        return QStringLiteral("TCP ") + address;
    case OutputKind::Pty:
        break;
    }
    return QStringLiteral("terminal NMEA");
}

} // namespace nmea
