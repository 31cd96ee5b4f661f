#include "Gpsfake.h"

#include "PumpEvents.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

namespace testsupport {

std::string NmeaSentence(std::string_view body) {
    unsigned sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + std::string(body) + tail;
}

QString FreeTcpPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        ADD_FAILURE() << "no free port";
    ::close(s);
    return QString::number(ntohs(address.sin_port));
}

Gpsfake::Gpsfake(const GpsfakeRun &run) {
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(run.output);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setChildProcessModifier([] { ::setsid(); });
    QStringList arguments{"-c", QString::number(run.pace), "-P", run.port, run.log};
    if (run.once)
        arguments.prepend("-1");
    process_.start(run.program, arguments);
    EXPECT_TRUE(process_.waitForStarted()) << process_.errorString().toStdString();
}

Gpsfake::~Gpsfake() {
    const auto group = static_cast<pid_t>(process_.processId());
    if (group <= 0 || process_.state() == QProcess::NotRunning)
        return;
    ::kill(-group, SIGTERM);
    if (!process_.waitForFinished(5000)) {
        ::kill(-group, SIGKILL);
        process_.waitForFinished(5000);
    }
    ::kill(-group, SIGKILL); // its gpsd, should it outlive it
}

bool StartGpsfakeUntilFed(std::unique_ptr<Gpsfake> &gpsfake, const GpsfakeRun &run,
                          const std::function<bool()> &fed, std::chrono::milliseconds limit,
                          int attempts) {
    for (int start = 0; start < attempts; ++start) {
        gpsfake = std::make_unique<Gpsfake>(run);
        if (PumpEventsUntil(fed, limit))
            return true;
        gpsfake.reset();
    }
    return false;
}

} // namespace testsupport
