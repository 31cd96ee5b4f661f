#include "nmea/UdpOutput.h"

#include <QHostInfo>

namespace nmea {

UdpOutput::UdpOutput(OutputTarget target, NoticeSink notify)
    : ShareOutput(std::move(target), std::move(notify)) {
    const QString host = QString::fromStdString(Target().host);
    if (!address_.setAddress(host))
        lookup_ = QHostInfo::lookupHost(host, this, &UdpOutput::Resolved);
    // Qt's UDP sockets may send to broadcast addresses from the start.
    socket_.bind(QHostAddress(address_.protocol() == QAbstractSocket::IPv6Protocol
                                  ? QHostAddress::AnyIPv6
                                  : QHostAddress::AnyIPv4),
                 0);
    Note(Name() + QStringLiteral(" ouvert"));
}

UdpOutput::~UdpOutput() {
    if (lookup_ >= 0)
        QHostInfo::abortHostLookup(lookup_);
}

void UdpOutput::Resolved(const QHostInfo &info) {
    lookup_ = -1;
    const QList<QHostAddress> addresses = info.addresses();
    if (info.error() != QHostInfo::NoError || addresses.isEmpty()) {
        Problem(Trouble::Lookup,
                QStringLiteral("hôte %1 introuvable").arg(QString::fromStdString(Target().host)));
        return;
    }
    // The socket is bound for IPv4 unless the name only has IPv6 addresses.
    address_ = addresses.front();
    for (const QHostAddress &address : addresses)
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            address_ = address;
            break;
        }
    if (address_.protocol() == QAbstractSocket::IPv6Protocol) {
        socket_.close();
        socket_.bind(QHostAddress::AnyIPv6, 0);
    }
}

void UdpOutput::Send(const std::vector<std::string> &sentences) {
    if (address_.isNull())
        return; // the name is not known (yet)
    for (const std::string &sentence : sentences) {
        if (socket_.writeDatagram(sentence.data(), static_cast<qint64>(sentence.size()), address_,
                                  Target().port) < 0) {
            Problem(Trouble::Send,
                    QStringLiteral("envoi %1 impossible (%2)").arg(Name(), socket_.errorString()));
            return;
        }
    }
    Cleared(Trouble::Send);
}

} // namespace nmea
