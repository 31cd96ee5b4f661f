// The heading as UDP datagrams, one sentence each, to a host and port (a broadcast address
// too). A host name is looked up without waiting; until it is known nothing is sent, and a
// name that could not be found is looked up again every `retry` until it is.
#pragma once

#include "nmea/ShareOutput.h"

#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>

#include <chrono>
#include <functional>

class QHostInfo;

namespace nmea {

// Looks a host name up and calls `done` with the answer on the caller's thread, never after
// `context` is gone.
using HostResolver = std::function<void(const QString &host, QObject *context,
                                        std::function<void(const QHostInfo &)> done)>;

// The system's resolver, without waiting.
void LookUpWithSystem(const QString &host, QObject *context,
                      std::function<void(const QHostInfo &)> done);

class UdpOutput : public ShareOutput {
public:
    static constexpr std::chrono::milliseconds kRetry{10000};

    UdpOutput(OutputTarget target, NoticeSink notify, HostResolver resolver = LookUpWithSystem,
              std::chrono::milliseconds retry = kRetry);

    void Send(const std::vector<std::string> &sentences) override;
    // While the host is not found: the output sends nothing, and applying the settings
    // again makes it anew.
    bool Failed() const override { return notFound_; }

private:
    void LookUp();
    void Resolved(const QHostInfo &info);

    HostResolver resolver_;
    QUdpSocket socket_;
    QHostAddress address_;
    QTimer retry_;
    bool notFound_ = false;
};

} // namespace nmea
