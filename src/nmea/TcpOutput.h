// The heading as a TCP stream: a server that every connected client receives the sentences
// from. At most `maxClients` at a time. A client is judged by the age of the oldest sentence
// its program has not read: still waiting here, in the program's queue or the system's, or
// already taken by the client's system but not read from it (see ClientBacklog). A client
// that stopped reading is dropped once that sentence is `maxAge` old, and said so once,
// rather than waited for and fed stale headings later. The client's system keeps taking
// and acknowledging what it is sent, growing its receive buffer to megabytes, so what it
// holds unread is read from the system when the client runs on this machine (a client on
// another machine is judged by its advertised window, which tells only once its buffer
// stops growing).
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
    // The system's send buffer of each client, kept small so that what a client on another
    // machine does not take soon waits here, where its age is seen.
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
