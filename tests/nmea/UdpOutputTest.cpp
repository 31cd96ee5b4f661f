// UDP to a host name: a name not found is said once, fails the output (so that applying the
// settings makes it anew), sends nothing and counts nothing as delivered, and is looked up
// again until found; then the datagrams go.
#include "nmea/UdpOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

namespace nmea::testing {
namespace {

using testsupport::PumpEventsUntil;

// Answers for the system's resolver, a moment later as it does: not found until `known`.
struct FakeResolver {
    HostResolver Resolver() {
        return [this](const QString &host, QObject *context,
                      std::function<void(const QHostInfo &)> done) {
            asked << host;
            QHostInfo info;
            if (known)
                info.setAddresses({QHostAddress(QHostAddress::LocalHost)});
            else
                info.setError(QHostInfo::HostNotFound);
            QTimer::singleShot(0, context, [done, info] { done(info); });
        };
    }
    bool known = false;
    QStringList asked;
};

TEST(UdpOutput, AHostNotFoundIsLookedUpAgainAndNothingCountsAsSentUntilFound) {
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    FakeResolver resolver;
    Notices notices;
    UdpOutput output({OutputKind::Udp, "plotter", receiver.localPort()}, notices.Sink(),
                     resolver.Resolver(), std::chrono::milliseconds(0));
    ASSERT_TRUE(PumpEventsUntil([&] { return resolver.asked.size() >= 3; }));
    EXPECT_TRUE(output.Failed());
    output.Send(HeadingSentences(HeadingReading{181, 0, 3}, true));
    EXPECT_TRUE(output.LastDelivered().isEmpty());
    EXPECT_TRUE(output.CurrentProblem().startsWith("hôte plotter introuvable"))
        << output.CurrentProblem().toStdString();
    EXPECT_EQ(notices.problems.size(), 1); // however many lookups failed

    resolver.known = true;
    ASSERT_TRUE(PumpEventsUntil([&] { return !output.Failed(); }));
    const std::vector<std::string> sentences = HeadingSentences(HeadingReading{200, 5, -3}, true);
    output.Send(sentences);
    std::vector<std::string> datagrams;
    ASSERT_TRUE(PumpEventsUntil([&] {
        while (receiver.hasPendingDatagrams())
            datagrams.push_back(receiver.receiveDatagram().data().toStdString());
        return datagrams.size() >= sentences.size();
    }));
    EXPECT_EQ(datagrams, sentences);
    EXPECT_EQ(output.LastDelivered().toStdString() + "\r\n", sentences.back());
    EXPECT_TRUE(output.CurrentProblem().isEmpty());
}

} // namespace
} // namespace nmea::testing
