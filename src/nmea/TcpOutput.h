// The heading as a TCP stream: a server that every connected client receives the sentences
// from. At most `maxClients` at a time. A client is judged by the age of the oldest sentence
// still waiting to be sent to it, in the program's queue or the system's: one that stopped
// reading is dropped within `maxAge` of its own buffer filling, rather than waited for and
// fed stale headings later. What the client's system has already taken cannot be seen from
// here: that much (its receive buffer) stays with it.
#pragma once

#include "nmea/ShareOutput.h"

#include <QTcpServer>

#include <chrono>
#include <deque>
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
        qint64 written = 0; // bytes handed to the socket since it came
        // Where each reading handed to it ends in that count, and when it was handed over.
        std::deque<std::pair<qint64, std::chrono::steady_clock::time_point>> waiting;
    };

    void Accept();
    // How long the oldest sentence has been waiting for the client; zero when none does.
    std::chrono::steady_clock::duration OldestWait(Client &client,
                                                   std::chrono::steady_clock::time_point now);
    void Forget(QTcpSocket *client);
    void Drop(QTcpSocket *client, const QString &why);
    static QString Peer(const QTcpSocket *client);

    TcpLimits limits_;
    ShareClock clock_;
    QTcpServer server_;
    std::vector<Client> clients_;
};

} // namespace nmea
