#include "nmea/UdpOutput.h"

#include <QCoreApplication>
#include <QHostInfo>

namespace nmea {

void LookUpWithSystem(const QString &host, QObject *context,
                      std::function<void(const QHostInfo &)> done) {
    QHostInfo::lookupHost(host, context, std::move(done));
}

UdpOutput::UdpOutput(OutputTarget target, NoticeSink notify, HostResolver resolver,
                     std::chrono::milliseconds retry)
    : ShareOutput(std::move(target), std::move(notify)), resolver_(std::move(resolver)) {
    retry_.setSingleShot(true);
    retry_.setInterval(retry);
    connect(&retry_, &QTimer::timeout, this, [this] { LookUp(); });
    const QString host = QString::fromStdString(Target().host);
    const bool literal = address_.setAddress(host);
    // Qt's UDP sockets may send to broadcast addresses from the start.
    socket_.bind(QHostAddress(address_.protocol() == QAbstractSocket::IPv6Protocol
                                  ? QHostAddress::AnyIPv6
                                  : QHostAddress::AnyIPv4),
                 0);
    Note(Name() + QCoreApplication::translate("HeadingShare", " ouvert"));
    if (!literal)
        LookUp();
}

void UdpOutput::LookUp() {
    resolver_(QString::fromStdString(Target().host), this,
              [this](const QHostInfo &info) { Resolved(info); });
}

void UdpOutput::Resolved(const QHostInfo &info) {
    const QList<QHostAddress> addresses = info.addresses();
    if (info.error() != QHostInfo::NoError || addresses.isEmpty()) {
        notFound_ = true;
        Problem(Trouble::Lookup,
                QCoreApplication::translate("HeadingShare", "hôte %1 introuvable, nouvel essai "
                                                            "toutes les %2 s")
                    .arg(QString::fromStdString(Target().host))
                    .arg(retry_.interval() / 1000));
        retry_.start();
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
    if (notFound_) {
        notFound_ = false;
        Cleared(Trouble::Lookup);
        Note(QCoreApplication::translate("HeadingShare", "hôte %1 trouvé : %2")
                 .arg(QString::fromStdString(Target().host), address_.toString()));
    }
}

void UdpOutput::Send(const std::vector<std::string> &sentences) {
    if (address_.isNull())
        return; // the name is not known (yet)
    for (const std::string &sentence : sentences) {
        if (socket_.writeDatagram(sentence.data(), static_cast<qint64>(sentence.size()), address_,
                                  Target().port) < 0) {
            Problem(Trouble::Send,
                    QCoreApplication::translate("HeadingShare", "envoi %1 impossible (%2)")
                        .arg(Name(), socket_.errorString()));
            return;
        }
    }
    Cleared(Trouble::Send);
    Delivered(sentences);
}

} // namespace nmea
