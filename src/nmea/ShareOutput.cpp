#include "nmea/ShareOutput.h"

#include <QCoreApplication>

#include <utility>

namespace nmea {

ShareOutput::ShareOutput(OutputTarget target, NoticeSink notify)
    : target_(std::move(target)), notify_(std::move(notify)) {}

void ShareOutput::Problem(Trouble trouble, const QString &text) {
    if (said_.emplace(trouble, std::make_pair(++problemsSaid_, text)).second)
        Event(text);
}

QString ShareOutput::CurrentProblem() const {
    const std::pair<int, QString> *last = nullptr;
    for (const auto &[trouble, said] : said_)
        if (last == nullptr || said.first > last->first)
            last = &said;
    return last == nullptr ? QString() : last->second;
}

void ShareOutput::Delivered(const std::vector<std::string> &sentences) {
    if (sentences.empty())
        return;
    const std::string &last = sentences.back();
    lastDelivered_ = QString::fromLatin1(last.data(), static_cast<qsizetype>(last.size()) - 2);
}

void ShareOutput::Event(const QString &text) {
    if (notify_)
        notify_({ShareNotice::Kind::Problem,
                 QCoreApplication::translate("HeadingShare", "Cap NMEA : ") + text});
}

void ShareOutput::Note(const QString &text) {
    if (notify_)
        notify_({ShareNotice::Kind::Note,
                 QCoreApplication::translate("HeadingShare", "Cap NMEA : ") + text});
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
    return QCoreApplication::translate("HeadingShare", "terminal NMEA");
}

} // namespace nmea
