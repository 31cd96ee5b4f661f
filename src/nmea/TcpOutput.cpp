#include "nmea/TcpOutput.h"

#include <QCoreApplication>
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

TcpOutput::TcpOutput(OutputTarget target, NoticeSink notify, TcpLimits limits, ShareClock clock)
    : ShareOutput(std::move(target), std::move(notify)), limits_(limits), clock_(std::move(clock)) {
    connect(&server_, &QTcpServer::newConnection, this, &TcpOutput::Accept);
    const QHostAddress address = ListenAddress(Target().host);
    if (address.isNull()) {
        Problem(Trouble::Start,
                QCoreApplication::translate("HeadingShare", "adresse d'écoute %1 invalide")
                    .arg(Name()));
        return;
    }
    if (!server_.listen(address, Target().port)) {
        Problem(Trouble::Start,
                server_.serverError() == QAbstractSocket::AddressInUseError
                    ? QCoreApplication::translate("HeadingShare", "port TCP %1 déjà pris")
                          .arg(Target().port)
                    : QCoreApplication::translate("HeadingShare", "écoute %1 impossible (%2)")
                          .arg(Name(), server_.errorString()));
        return;
    }
    Note(Name() + QCoreApplication::translate("HeadingShare", " à l'écoute"));
}

TcpOutput::~TcpOutput() {
    for (const Client &client : clients_) {
        client.socket->disconnect(this);
        client.socket->abort();
        delete client.socket;
    }
}

// Named when accepted: a socket that has gone forgets its peer.
QString TcpOutput::Peer(const QTcpSocket *client) { return client->objectName(); }

void TcpOutput::Accept() {
    while (QTcpSocket *client = server_.nextPendingConnection()) {
        client->setObjectName(
            QStringLiteral("%1:%2").arg(client->peerAddress().toString()).arg(client->peerPort()));
        if (Clients() >= limits_.maxClients) {
            Problem(Trouble::Refused,
                    QCoreApplication::translate("HeadingShare", "client TCP %1 refusé (%2 au plus)")
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
            const QString left = QCoreApplication::translate("HeadingShare", "%1 : client %2 parti")
                                     .arg(Name(), Peer(client));
            Forget(client);
            Note(left);
        });
        clients_.push_back({client, {}});
        Note(QCoreApplication::translate("HeadingShare", "%1 : client %2 connecté")
                 .arg(Name(), Peer(client)));
    }
}

void TcpOutput::Forget(QTcpSocket *client) {
    const auto found =
        std::find_if(clients_.begin(), clients_.end(),
                     [client](const Client &known) { return known.socket == client; });
    if (found == clients_.end())
        return;
    clients_.erase(found);
    client->disconnect(this);
    client->deleteLater();
    if (Clients() < limits_.maxClients)
        Cleared(Trouble::Refused);
}

void TcpOutput::Drop(QTcpSocket *client, const QString &why) {
    const QString dropped = QCoreApplication::translate("HeadingShare", "client TCP %1 retiré (%2)")
                                .arg(Peer(client), why);
    client->disconnect(this);
    client->abort();
    Forget(client);
    Event(dropped);
}

std::chrono::steady_clock::duration
TcpOutput::OldestUnread(Client &client, std::chrono::steady_clock::time_point now) {
    return client.backlog.OldestUnread(
        probe_.Sample(static_cast<int>(client.socket->socketDescriptor()),
                      client.socket->bytesToWrite()),
        now);
}

void TcpOutput::Send(const std::vector<std::string> &sentences) {
    QByteArray bytes;
    for (const std::string &sentence : sentences)
        bytes.append(sentence.data(), static_cast<qsizetype>(sentence.size()));
    const auto now = clock_();
    bool delivered = false;
    std::vector<QTcpSocket *> clients;
    for (const Client &client : clients_)
        clients.push_back(client.socket);
    for (QTcpSocket *socket : clients) {
        Client &client =
            *std::find_if(clients_.begin(), clients_.end(),
                          [socket](const Client &known) { return known.socket == socket; });
        const auto waited = OldestUnread(client, now);
        if (waited >= limits_.maxAge) {
            Drop(socket,
                 QCoreApplication::translate("HeadingShare", "il ne lit plus depuis %1 s")
                     .arg(std::chrono::duration_cast<std::chrono::seconds>(waited).count()));
            continue;
        }
        if (socket->bytesToWrite() + bytes.size() > limits_.queueBytes) {
            Drop(socket, QCoreApplication::translate("HeadingShare", "il ne lit plus"));
            continue;
        }
        if (socket->write(bytes) != bytes.size()) {
            Drop(socket, socket->errorString());
            continue;
        }
        client.backlog.Handed(bytes.size(), now);
        delivered = true;
        // Hands what it can to the system now, without waiting, so that the queue left
        // holds only what the client's buffers would not take.
        socket->flush();
    }
    if (delivered)
        Delivered(sentences);
}

} // namespace nmea
