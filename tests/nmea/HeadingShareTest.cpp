// The heading output as a whole: the user's outputs with the command line's, each once;
// one datagram per sentence, to a broadcast address too; an output that could not start is
// tried again when the settings are applied again.
#include "nmea/HeadingShare.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
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
    QUdpSocket socket;
    std::vector<std::string> datagrams;
};

class HeadingShareTest : public ::testing::Test {
protected:
    HeadingShareTest() { share.AddNoticeSink(notices.Sink()); }
    QTemporaryDir folder;
    HeadingShare share{folder.filePath(QStringLiteral("NMEA"))};
    Notices notices;
};

TEST_F(HeadingShareTest, EachSentenceIsADatagramToEveryDestinationOnce) {
    Receiver direct(QHostAddress::LocalHost);
    Receiver broadcast(QHostAddress::AnyIPv4); // the loopback network's broadcast address
    ShareSettings saved;
    saved.udpOn = true;
    saved.udpPort = direct.socket.localPort();
    share.SetSaved(saved);
    // The user's destination again from the command line is no second output; HDT comes
    // from the command line alone.
    share.SetRunChoice({{OutputKind::Udp, "127.0.0.1", direct.socket.localPort()},
                        {OutputKind::Udp, "127.255.255.255", broadcast.socket.localPort()}},
                       true);
    share.Start();
    EXPECT_EQ(share.Targets().size(), 2u);

    share.Share(HeadingReading{181, 0, 3});
    const std::vector<std::string> expected = HeadingSentences(HeadingReading{181, 0, 3}, true);
    ASSERT_TRUE(PumpEventsUntil([&] {
        return direct.datagrams.size() >= 3 && broadcast.datagrams.size() >= 3;
    })) << notices.problems.join('\n').toStdString();
    EXPECT_EQ(direct.datagrams, expected);
    EXPECT_EQ(broadcast.datagrams, expected);
    for (const ShareOutput *output : share.Outputs())
        EXPECT_EQ(output->LastDelivered().toStdString() + "\r\n", expected.back());
}

TEST_F(HeadingShareTest, AServerThatCouldNotStartIsTriedAgainWhenTheSettingsAreApplied) {
    auto other = std::make_unique<QTcpServer>();
    ASSERT_TRUE(other->listen(QHostAddress::LocalHost, 0));
    ShareSettings saved;
    saved.tcpOn = true;
    saved.tcpPort = other->serverPort();
    const OutputTarget server{OutputKind::Tcp, "127.0.0.1", other->serverPort()};
    share.SetSaved(saved);
    share.Start();
    ASSERT_NE(share.Output(server), nullptr);
    EXPECT_TRUE(share.Output(server)->Failed());
    share.Share(HeadingReading{90, 0, 0}); // readings go on meanwhile, without a word more
    EXPECT_EQ(notices.problems,
              QStringList{QStringLiteral("Cap NMEA : port TCP %1 déjà pris").arg(server.port)});

    other.reset();
    share.SetSaved(saved);
    ASSERT_NE(share.Output(server), nullptr);
    EXPECT_FALSE(share.Output(server)->Failed());
    EXPECT_EQ(notices.problems.size(), 1);
}

} // namespace
} // namespace nmea::testing
