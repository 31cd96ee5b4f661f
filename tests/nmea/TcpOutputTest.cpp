// The TCP server: a client that stops reading is dropped, never waited for, while another
// keeps receiving every sentence; at most eight clients.
#include "nmea/TcpOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace nmea::testing {
namespace {

using testsupport::PumpEventsUntil;

const OutputTarget kAnyPort{OutputKind::Tcp, "127.0.0.1", 0};

TEST(TcpOutput, AClientThatStopsReadingIsDroppedWhileAnotherReceivesEverySentence) {
    Notices notices;
    TcpOutput output(kAnyPort, notices.Sink());
    QTcpSocket reader;
    std::string received;
    QObject::connect(&reader, &QTcpSocket::readyRead,
                     [&] { received += reader.readAll().toStdString(); });
    reader.connectToHost(QHostAddress::LocalHost, output.Port());
    // The stalled client never reads; its small buffer fills soon.
    const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 2048;
    ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{AF_INET, htons(output.Port()), {htonl(INADDR_LOOPBACK)}, {}};
    ASSERT_EQ(::connect(stalled, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
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
        return PumpEventsUntil([&] { return received.size() >= sent.size(); });
    };
    while (output.Clients() == 2 && readings < 20000)
        ASSERT_TRUE(sendOne());
    ASSERT_EQ(output.Clients(), 1) << "after " << readings << " readings";
    EXPECT_EQ(notices.With(QStringLiteral("retiré (il ne lit plus)")), 1);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(sendOne());
    ::close(stalled);

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
