// The heading as a TCP stream: a server that every connected client receives the sentences
// from. At most `maxClients` at a time. A client is judged by the age of the oldest sentence
// still waiting to be sent to it, in the program's queue or the system's: one that stopped
// reading is dropped within `maxAge` of its own buffer filling, rather than waited for and
// fed stale headings later. What the client's system has already taken cannot be seen from
// here: that much (its receive buffer) stays with it.
#pragma once

#include "nmea/ClientBacklog.h"
#include "nmea/ConnectionProbe.h"
#include "nmea/ShareOutput.h"

#include <QTcpServer>

#include <chrono>
#include <vector>

class QTcpSocket;

namespace nmea {

struct TcpLimits {
    int maxClients = 8;
    // The age at which a sentence still waiting for a client gets the client dropped.
    std::chrono::milliseconds maxAge{5000};
    // Bytes that may wait for a client beyond what its socket's buffers took, whatever
    // their age.
    qint64 queueBytes = 65536;
    // The kernel's send buffer of each client, kept small so that a client that stopped
    // reading is found out within minutes rather than hours.
    int sendBuffer = 8192;
};

class TcpOutput : public ShareOutput {
public:
    TcpOutput(OutputTarget target, NoticeSink notify, TcpLimits limits = {},
              ShareClock clock = &std::chrono::steady_clock::now);
    ~TcpOutput() override;

    void Send(const std::vector<std::string> &sentences) override;
    int Clients() const override { return static_cast<int>(clients_.size()); }
    bool Failed() const override { return !server_.isListening(); }
    // The port listened on (the system's choice when the target's port is 0).
    quint16 Port() const { return server_.serverPort(); }

private:
    struct Client {
        QTcpSocket *socket = nullptr;
        ClientBacklog backlog;
    };

    void Accept();
    // How long the oldest sentence not read by the client has been waiting; zero when none.
    std::chrono::steady_clock::duration OldestUnread(Client &client,
                                                     std::chrono::steady_clock::time_point now);
    void Forget(QTcpSocket *client);
    void Drop(QTcpSocket *client, const QString &why);
    static QString Peer(const QTcpSocket *client);

    TcpLimits limits_;
    ShareClock clock_;
    ConnectionProbe probe_;
    QTcpServer server_;
    std::vector<Client> clients_;
};

} // namespace nmea
