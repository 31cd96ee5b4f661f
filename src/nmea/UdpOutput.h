// The heading as UDP datagrams, one sentence each, to a host and port (a broadcast address
// too). A host name is looked up without waiting; until it is known nothing is sent.
#pragma once

#include "nmea/ShareOutput.h"

#include <QHostAddress>
#include <QUdpSocket>

class QHostInfo;

namespace nmea {

class UdpOutput : public ShareOutput {
public:
    UdpOutput(OutputTarget target, NoticeSink notify);
    ~UdpOutput() override;

    void Send(const std::vector<std::string> &sentences) override;

private:
    void Resolved(const QHostInfo &info);

    QUdpSocket socket_;
    QHostAddress address_;
    int lookup_ = -1;
};

} // namespace nmea
