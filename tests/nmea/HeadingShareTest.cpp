// The heading output as a whole: each reading to every output on, one datagram per
// sentence (to a broadcast address too), the user's outputs with the command line's, an
// output that failed to start tried again when the settings are applied again.
#include "nmea/HeadingShare.h"
#include "nmea/TcpOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUdpSocket>

namespace nmea::testing {
namespace {

using testsupport::PumpEventsUntil;

struct Receiver {
    explicit Receiver(const QHostAddress &bound) {
        socket.bind(bound, 0);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams())
                datagrams.push_back(socket.receiveDatagram().data().toStdString());
        });
    }
    OutputTarget To(const char *host) const { return {OutputKind::Udp, host, socket.localPort()}; }
    QUdpSocket socket;
    std::vector<std::string> datagrams;
};

TEST(HeadingShare, EachSentenceIsADatagramToEveryDestination) {
    Receiver direct(QHostAddress::LocalHost);
    // A broadcast address of the loopback network: needs the socket's leave to broadcast.
    Receiver broadcast(QHostAddress::AnyIPv4);
    QTemporaryDir folder;
    HeadingShare share(folder.filePath(QStringLiteral("NMEA")));
    Notices notices;
    share.AddNoticeSink(notices.Sink());
    int changes = 0;
    QObject::connect(&share, &HeadingShare::Changed, [&] { ++changes; });
    share.SetRunChoice({direct.To("127.0.0.1"), broadcast.To("127.255.255.255")}, true);
    share.Start();

    const HeadingReading reading{181, 0, 3};
    share.Share(reading);
    const std::vector<std::string> expected = HeadingSentences(reading, true);
    ASSERT_TRUE(PumpEventsUntil([&] {
        return direct.datagrams.size() == 3 && broadcast.datagrams.size() == 3;
    })) << notices.problems.join('\n').toStdString();
    EXPECT_EQ(direct.datagrams, expected);
    EXPECT_EQ(broadcast.datagrams, expected);
    EXPECT_EQ(share.LastSentence().toStdString() + "\r\n", expected.back());
    EXPECT_GE(changes, 1);
    EXPECT_TRUE(notices.problems.isEmpty());
}

TEST(HeadingShare, TheUsersOutputsAndTheCommandLinesTogetherEachOnce) {
    Receiver receiver(QHostAddress::LocalHost);
    QTemporaryDir folder;
    HeadingShare share(folder.filePath(QStringLiteral("NMEA")));
    ShareSettings saved;
    saved.udpOn = true;
    saved.udpHost = QStringLiteral("127.0.0.1");
    saved.udpPort = receiver.socket.localPort();
    saved.ptyOn = true;
    share.SetSaved(saved);
    // The same destination from the command line is not a second output; HDT comes from
    // the command line alone.
    share.SetRunChoice({receiver.To("127.0.0.1"), {OutputKind::Tcp, "127.0.0.1", 0}}, true);
    EXPECT_EQ(share.Output(receiver.To("127.0.0.1")), nullptr); // nothing opens before Start
    share.Start();
    const std::vector<OutputTarget> expected = {
        receiver.To("127.0.0.1"), {OutputKind::Pty, "", 0}, {OutputKind::Tcp, "127.0.0.1", 0}};
    EXPECT_EQ(share.Targets(), expected);
    for (const OutputTarget &target : expected)
        EXPECT_NE(share.Output(target), nullptr) << Describe(target);
    EXPECT_TRUE(QFileInfo(folder.filePath(QStringLiteral("NMEA"))).isSymLink());

    share.Share({90, 0, 0});
    ASSERT_TRUE(PumpEventsUntil([&] { return receiver.datagrams.size() == 3; }));
    EXPECT_TRUE(receiver.datagrams.back().starts_with("$HCHDT,"));

    // Switching the user's outputs off leaves the command line's.
    share.SetSaved({});
    EXPECT_EQ(share.Output({OutputKind::Pty, "", 0}), nullptr);
    EXPECT_FALSE(QFileInfo(folder.filePath(QStringLiteral("NMEA"))).isSymLink());
    EXPECT_NE(share.Output(receiver.To("127.0.0.1")), nullptr);
}

TEST(HeadingShare, AServerThatCouldNotStartIsTriedAgainWhenTheSettingsAreApplied) {
    auto other = std::make_unique<QTcpServer>();
    ASSERT_TRUE(other->listen(QHostAddress::LocalHost, 0));
    const quint16 port = other->serverPort();
    QTemporaryDir folder;
    HeadingShare share(folder.filePath(QStringLiteral("NMEA")));
    Notices notices;
    share.AddNoticeSink(notices.Sink());
    ShareSettings saved;
    saved.tcpOn = true;
    saved.tcpPort = port;
    share.SetSaved(saved);
    share.Start();
    const OutputTarget server{OutputKind::Tcp, "127.0.0.1", port};
    ASSERT_NE(share.Output(server), nullptr);
    EXPECT_TRUE(share.Output(server)->Failed());
    EXPECT_EQ(notices.ProblemsWith(QStringLiteral("déjà pris")), 1);

    share.Share({90, 0, 0}); // readings go on meanwhile, without a word more
    EXPECT_EQ(notices.problems.size(), 1);
    other.reset();
    share.SetSaved(saved);
    ASSERT_NE(share.Output(server), nullptr);
    EXPECT_FALSE(share.Output(server)->Failed());
    EXPECT_EQ(notices.problems.size(), 1);
}

} // namespace
} // namespace nmea::testing
