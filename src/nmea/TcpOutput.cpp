#include "nmea/TcpOutput.h"

#include <QTcpSocket>

#include <algorithm>

namespace nmea {

namespace {

// The address to listen on: an address literal, or "localhost".
QHostAddress ListenAddress(const std::string &host) {
    if (host == "localhost")
        return QHostAddress(QHostAddress::LocalHost);
    return QHostAddress(QString::fromStdString(host));
}

} // namespace

TcpOutput::TcpOutput(OutputTarget target, NoticeSink notify, TcpLimits limits)
    : ShareOutput(std::move(target), std::move(notify)), limits_(limits) {
    connect(&server_, &QTcpServer::newConnection, this, &TcpOutput::Accept);
    const QHostAddress address = ListenAddress(Target().host);
    if (address.isNull()) {
        Problem(Trouble::Start, QStringLiteral("adresse d'écoute %1 invalide").arg(Name()));
        return;
    }
    if (!server_.listen(address, Target().port)) {
        Problem(
            Trouble::Start,
            server_.serverError() == QAbstractSocket::AddressInUseError
                ? QStringLiteral("port TCP %1 déjà pris").arg(Target().port)
                : QStringLiteral("écoute %1 impossible (%2)").arg(Name(), server_.errorString()));
        return;
    }
    Note(Name() + QStringLiteral(" à l'écoute"));
}

TcpOutput::~TcpOutput() {
    for (QTcpSocket *client : clients_) {
        client->disconnect(this);
        client->abort();
        delete client;
    }
}

// Named when accepted: a socket that has gone forgets its peer.
QString TcpOutput::Peer(const QTcpSocket *client) { return client->objectName(); }

void TcpOutput::Accept() {
    while (QTcpSocket *client = server_.nextPendingConnection()) {
        client->setObjectName(
            QStringLiteral("%1:%2").arg(client->peerAddress().toString()).arg(client->peerPort()));
        if (Clients() >= limits_.maxClients) {
            Problem(Trouble::Refused, QStringLiteral("client TCP %1 refusé (%2 au plus)")
                                          .arg(Peer(client))
                                          .arg(limits_.maxClients));
            client->abort();
            client->deleteLater();
            continue;
        }
        client->setParent(nullptr);
        client->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, limits_.sendBuffer);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        // What a client says is of no interest; it is read so that it never piles up.
        connect(client, &QTcpSocket::readyRead, this, [client] { client->readAll(); });
        connect(client, &QTcpSocket::disconnected, this, [this, client] {
            const QString left = QStringLiteral("%1 : client %2 parti").arg(Name(), Peer(client));
            Forget(client);
            Note(left);
        });
        clients_.push_back(client);
        Note(QStringLiteral("%1 : client %2 connecté").arg(Name(), Peer(client)));
    }
}

void TcpOutput::Forget(QTcpSocket *client) {
    const auto found = std::find(clients_.begin(), clients_.end(), client);
    if (found == clients_.end())
        return;
    clients_.erase(found);
    client->disconnect(this);
    client->deleteLater();
    if (Clients() < limits_.maxClients)
        Cleared(Trouble::Refused);
}

void TcpOutput::Drop(QTcpSocket *client, const QString &why) {
    const QString dropped = QStringLiteral("client TCP %1 retiré (%2)").arg(Peer(client), why);
    client->disconnect(this);
    client->abort();
    Forget(client);
    Event(dropped);
}

void TcpOutput::Send(const std::vector<std::string> &sentences) {
    QByteArray bytes;
    for (const std::string &sentence : sentences)
        bytes.append(sentence.data(), static_cast<qsizetype>(sentence.size()));
    const std::vector<QTcpSocket *> clients = clients_;
    for (QTcpSocket *client : clients) {
        if (client->bytesToWrite() + bytes.size() > limits_.queueBytes) {
            Drop(client, QStringLiteral("il ne lit plus"));
            continue;
        }
        if (client->write(bytes) != bytes.size()) {
            Drop(client, client->errorString());
            continue;
        }
        // Hands what it can to the system now, without waiting, so that the queue left
        // holds only what the client's buffers would not take.
        client->flush();
    }
}

} // namespace nmea
