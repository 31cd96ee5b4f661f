// The TCP server: a client that stops reading is dropped, never waited for, while another
// keeps receiving every sentence; at most eight clients; a port already taken.
#include "nmea/TcpOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QTcpServer>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace nmea::testing {
namespace {

using testsupport::PumpEventsUntil;

OutputTarget AnyLoopbackPort() { return {OutputKind::Tcp, "127.0.0.1", 0}; }

// A client that connects and never reads, with a small receive buffer so that the server's
// queue for it fills soon.
class StalledClient {
public:
    explicit StalledClient(quint16 port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        const int small = 2048;
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    ~StalledClient() { ::close(fd_); }
    bool Connected() const { return connected_; }

private:
    int fd_;
    bool connected_ = false;
};

// A client that reads everything it is sent.
struct ReadingClient {
    explicit ReadingClient(quint16 port) {
        QObject::connect(&socket, &QTcpSocket::readyRead,
                         [this] { received += socket.readAll().toStdString(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    QTcpSocket socket;
    std::string received;
};

TEST(TcpOutput, AClientThatStopsReadingIsDroppedWhileAnotherReceivesEverySentence) {
    Notices notices;
    TcpOutput output(AnyLoopbackPort(), notices.Sink());
    ASSERT_FALSE(output.Failed());
    ReadingClient reader(output.Port());
    StalledClient stalled(output.Port());
    ASSERT_TRUE(stalled.Connected());
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 2; }));

    std::string sent;
    int readings = 0;
    auto sendOne = [&] {
        const auto sentences = HeadingSentences({1 + readings % 360, 0, readings % 7 - 3}, true);
        output.Send(sentences);
        for (const std::string &sentence : sentences)
            sent += sentence;
        ++readings;
        // The reader keeps up: what was sent so far reaches it before the next reading.
        return PumpEventsUntil([&] { return reader.received.size() >= sent.size(); });
    };
    // Far more than the stalled client's buffers and queue hold together.
    while (output.Clients() == 2 && readings < 20000)
        ASSERT_TRUE(sendOne()) << "reading " << readings;
    ASSERT_EQ(output.Clients(), 1) << "after " << readings << " readings";
    EXPECT_EQ(notices.ProblemsWith(QStringLiteral("retiré (il ne lit plus)")), 1);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(sendOne());

    EXPECT_EQ(reader.received, sent);
    const std::vector<std::string> lines = Lines(reader.received);
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(readings) * 3);
    for (const std::string &line : lines)
        ASSERT_TRUE(WellFramed(line)) << line;
}

TEST(TcpOutput, AtMostEightClientsAndTheRefusalIsSaidOnce) {
    Notices notices;
    TcpOutput output(AnyLoopbackPort(), notices.Sink());
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    int disconnected = 0; // refused, or gone of their own accord
    auto connectClients = [&](int count) {
        for (int i = 0; i < count; ++i) {
            clients.push_back(std::make_unique<QTcpSocket>());
            QObject::connect(clients.back().get(), &QTcpSocket::disconnected,
                             [&] { ++disconnected; });
            clients.back()->connectToHost(QHostAddress::LocalHost, output.Port());
        }
    };
    connectClients(10);
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 8 && disconnected == 2; }));
    EXPECT_EQ(notices.ProblemsWith(QStringLiteral("refusé (8 au plus)")), 1);

    // One leaves: a newcomer takes its place, and a later refusal is said again.
    clients.front()->disconnectFromHost();
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 7; }));
    connectClients(2);
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 8 && disconnected == 4; }));
    EXPECT_EQ(notices.ProblemsWith(QStringLiteral("refusé")), 2);
}

TEST(TcpOutput, APortAlreadyTakenIsSaidAndNothingElseFails) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    Notices notices;
    TcpOutput output({OutputKind::Tcp, "127.0.0.1", other.serverPort()}, notices.Sink());
    EXPECT_TRUE(output.Failed());
    ASSERT_EQ(notices.problems.size(), 1);
    EXPECT_TRUE(notices.problems[0].contains(
        QStringLiteral("port TCP %1 déjà pris").arg(other.serverPort())))
        << notices.problems[0].toStdString();
    output.Send(HeadingSentences({180, 0, 0}, true)); // sends to nobody, says nothing more
    EXPECT_EQ(notices.problems.size(), 1);
}

} // namespace
} // namespace nmea::testing
