// The TCP server: a client that stops reading is dropped within seconds, although its
// system keeps taking what is sent, while another keeps receiving every sentence; at most
// eight clients.
#include "nmea/TcpOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace nmea::testing {
namespace {

using testsupport::PumpEventsUntil;

const OutputTarget kAnyPort{OutputKind::Tcp, "127.0.0.1", 0};

TEST(TcpOutput, AClientThatStopsReadingIsDroppedSoonWhileAnotherReceivesEverySentence) {
    using namespace std::chrono_literals;
    constexpr auto kPeriod = 200ms; // between two sends
    SteppedClock clock;
    Notices notices;
    const TcpLimits limits;
    TcpOutput output(kAnyPort, notices.Sink(), limits, clock.Clock());
    QTcpSocket reader;
    std::string received;
    QObject::connect(&reader, &QTcpSocket::readyRead,
                     [&] { received += reader.readAll().toStdString(); });
    reader.connectToHost(QHostAddress::LocalHost, output.Port());
    // The stalled client never reads, and keeps the system's buffers: its system takes
    // and acknowledges everything sent here.
    const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{AF_INET, htons(output.Port()), {htonl(INADDR_LOOPBACK)}, {}};
    ASSERT_EQ(::connect(stalled, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 2; }));

    std::string sent;
    int readings = 0;
    auto sendOne = [&] {
        const bool both = output.Clients() == 2;
        const auto sentences =
            HeadingSentences(HeadingReading{1 + readings % 360, 0, readings % 7 - 3}, true);
        output.Send(sentences);
        for (const std::string &sentence : sentences)
            sent += sentence;
        ++readings;
        clock.now += kPeriod;
        // Time moves on only once the reader has read everything and, while it is still
        // served, the stalled client's system holds everything too.
        return PumpEventsUntil([&] {
            int held = 0;
            ::ioctl(stalled, FIONREAD, &held);
            return received.size() >= sent.size() &&
                   (!both || output.Clients() < 2 || static_cast<std::size_t>(held) == sent.size());
        });
    };
    while (output.Clients() == 2 && readings < 2000)
        ASSERT_TRUE(sendOne());
    // Dropped by the send that found its first reading, never read, as old as allowed.
    EXPECT_EQ(readings - 1, limits.maxAge / kPeriod);
    EXPECT_EQ(
        notices.With(
            QStringLiteral("retiré (il ne lit plus depuis %1 s)")
                .arg(std::chrono::duration_cast<std::chrono::seconds>(limits.maxAge).count())),
        1);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(sendOne());
    ::close(stalled);
    EXPECT_EQ(notices.problems.size(), 1);

    ASSERT_EQ(received, sent);
    for (std::size_t at = 0, end; at < received.size(); at = end + 2) {
        end = received.find("\r\n", at);
        ASSERT_TRUE(WellFramed(received.substr(at, end + 2 - at))) << at;
    }
}

TEST(TcpOutput, AtMostEightClientsAndARefusalIsSaidOnceUntilAPlaceFreesUp) {
    Notices notices;
    TcpOutput output(kAnyPort, notices.Sink());
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
    EXPECT_EQ(notices.With(QStringLiteral("refusé (8 au plus)")), 1);

    clients.front()->disconnectFromHost();
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 7; }));
    connectClients(2);
    ASSERT_TRUE(PumpEventsUntil([&] { return output.Clients() == 8 && disconnected == 4; }));
    EXPECT_EQ(notices.With(QStringLiteral("refusé")), 2);
}

} // namespace
} // namespace nmea::testing
