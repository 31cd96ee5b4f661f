// The heading as a TCP stream: a server that every connected client receives the sentences
// from. At most `maxClients` at a time; each client's queue is bounded, and a client whose
// queue is full (it stopped reading) is dropped rather than waited for.
#pragma once

#include "nmea/ShareOutput.h"

#include <QTcpServer>

#include <vector>

class QTcpSocket;

namespace nmea {

struct TcpLimits {
    int maxClients = 8;
    // Bytes that may wait for a client beyond what its socket's buffers took.
    qint64 queueBytes = 8192;
    // The kernel's send buffer of each client, kept small so that a client that stopped
    // reading is found out within minutes rather than hours.
    int sendBuffer = 8192;
};

class TcpOutput : public ShareOutput {
public:
    TcpOutput(OutputTarget target, NoticeSink notify, TcpLimits limits = {});
    ~TcpOutput() override;

    void Send(const std::vector<std::string> &sentences) override;
    int Clients() const override { return static_cast<int>(clients_.size()); }
    bool Failed() const override { return !server_.isListening(); }
    // The port listened on (the system's choice when the target's port is 0).
    quint16 Port() const { return server_.serverPort(); }

private:
    void Accept();
    void Forget(QTcpSocket *client);
    void Drop(QTcpSocket *client, const QString &why);
    static QString Peer(const QTcpSocket *client);

    TcpLimits limits_;
    QTcpServer server_;
    std::vector<QTcpSocket *> clients_;
};

} // namespace nmea
