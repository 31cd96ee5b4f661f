// The heading output in the whole program: gpsd, a real navigation client, reads the
// heading the dial shows; a failing output is said in the status bar, never in a box, and
// the link goes on.
#include "AppTestSupport.h"

#include "dialogs/HeadingShareDialog.h"
#include "nmea/HeadingShare.h"
#include "program/CommandLine.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QUdpSocket>

namespace apptest {
namespace {

using namespace std::chrono_literals;

class HeadingOutputTest : public ProgramFixture {
protected:
    void NextReading() {
        const int delivered = time.RxDeliveries();
        time.Advance(moduleOptions.readingPeriod);
        ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
    }
};

// A program of the test, ended with it whatever happens.
struct Child : QProcess {
    ~Child() override {
        kill();
        waitForFinished(5000);
    }
};

TEST_F(HeadingOutputTest, GpsdReadsTheHeadingTheDialShows) {
    const QString gpsd = QStandardPaths::findExecutable("gpsd", {"/usr/sbin", "/usr/bin"});
    ASSERT_FALSE(gpsd.isEmpty()) << "gpsd is missing: scripts/install-deps installs it";
    QUdpSocket udp; // loopback ports that were free a moment ago
    QTcpServer tcp;
    ASSERT_TRUE(udp.bind(QHostAddress::LocalHost, 0) && tcp.listen(QHostAddress::LocalHost, 0));
    const quint16 udpPort = udp.localPort(), gpsdPort = tcp.serverPort();
    udp.close();
    tcp.close();
    const QDeadlineTimer deadline(15s); // the whole exchange with gpsd, well under 20 s
    auto until = [&](const std::function<bool()> &done) {
        return PumpUntil([&] { return done() || deadline.hasExpired(); }) && done();
    };

    Child daemon, pipe;
    daemon.start(gpsd, {"-N", "-n", "-S", QString::number(gpsdPort),
                        QStringLiteral("udp://127.0.0.1:%1").arg(udpPort)});
    QStringList reports;
    QObject::connect(&pipe, &QProcess::readyReadStandardOutput, [&] {
        while (pipe.canReadLine())
            reports << QString::fromUtf8(pipe.readLine());
    });
    // gpspipe, started again until gpsd listens; its WATCH report says it is watching.
    ASSERT_TRUE(until([&] {
        if (pipe.state() == QProcess::NotRunning)
            pipe.start(QStandardPaths::findExecutable("gpspipe"),
                       {"-w", QStringLiteral("127.0.0.1:%1").arg(gpsdPort)});
        return !reports.filter("\"class\":\"WATCH\"").isEmpty();
    })) << reports.join("").toStdString();
    auto headings = [&] {
        std::vector<double> values;
        for (const QString &report : reports)
            if (const auto o = QJsonDocument::fromJson(report.toUtf8()).object();
                o["class"] == "ATT")
                values.push_back(o["heading"].toDouble(-1));
        return values;
    };

    // A west declination and a centring: the true heading is not the magnetic one.
    WriteSettings({"1", "Moyenne", "ROSEON", "Moyenne", "CERCLEON", "ANCIEN", "5", "+", "3", "-",
                   "4", "OFFAVERTI", "OFFAVERTI2", "ONCAP", "ONORIENT", "OFFSON", "OFFINFO", "0"});
    Start();
    forms->Share()->SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", udpPort}}, true);
    forms->Share()->Start();
    std::vector<int> shown; // the dial's "Votre CAP" of each reading
    Main().Readings().Subscribe([&](const compass::Reading &r) { shown.push_back(r.capAngle); });
    LinkUp();
    // gpsd takes the source for NMEA 0183 at its first sentence; from then on, each HDT
    // is one ATT report.
    std::size_t first = 0;
    while (headings().empty() && !deadline.hasExpired()) {
        first = shown.size();
        NextReading();
        testsupport::PumpEventsUntil([&] { return !headings().empty(); }, 2s);
    }
    for (int i = 0; i < 8; ++i) {
        NextReading();
        ASSERT_TRUE(until([&] { return headings().size() == shown.size() - first; }))
            << reports.join("").toStdString();
    }
    EXPECT_EQ(headings(), std::vector<double>(shown.begin() + first, shown.end()));
    EXPECT_NE(shown.front(), shown.back()); // the module turned meanwhile
}

// The output is started from the command line's choice and takes each reading whole, as the
// main window published it: its time, stamped on the stepped clock, reaches the sentences.
TEST_F(HeadingOutputTest, TheOutputTakesEachReadingAsPublishedWithItsTime) {
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    Start();
    const QDateTime base = QDateTime::fromMSecsSinceEpoch(1773478800000, Qt::UTC);
    Main().Readings().SetClock([&] { return base.addMSecs(time.Now().count()); });
    app::Options options;
    options.nmea = {{nmea::OutputKind::Udp, "127.0.0.1", receiver.localPort()}};
    forms->HeadingOutput().Start(options, nullptr);
    std::vector<compass::Reading> published;
    Main().Readings().Subscribe([&](const compass::Reading &r) { published.push_back(r); });
    LinkUp();
    for (int i = 0; i < 3; ++i) {
        NextReading();
        ASSERT_FALSE(published.empty());
        const std::optional<compass::Reading> &shared = forms->Share()->LastShared();
        ASSERT_TRUE(shared.has_value());
        EXPECT_EQ(*shared, published.back());
        EXPECT_EQ(app::DateTimeOf(shared->time), base.addMSecs(time.Now().count()));
    }
    EXPECT_LT(published.front().time, published.back().time);
}

TEST_F(HeadingOutputTest, AFailingOutputIsSaidInTheStatusBarAndTheLinkGoesOn) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    Start();
    LinkUp();
    const std::size_t boxesBefore = boxes.boxes.size();
    nmea::HeadingShare &share = *forms->Share();
    const nmea::OutputTarget taken{nmea::OutputKind::Tcp, "127.0.0.1", other.serverPort()};
    share.SetRunChoice({taken}, false);
    share.Start();
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation),
              QStringLiteral("Cap NMEA : port TCP %1 déjà pris").arg(other.serverPort()));
    NextReading();
    ASSERT_NE(share.Output(taken), nullptr);
    EXPECT_EQ(share.Output(taken)->CurrentProblem(),
              QStringLiteral("port TCP %1 déjà pris").arg(other.serverPort()));
    EXPECT_TRUE(Main().LinkUp());
    EXPECT_EQ(boxes.boxes.size(), boxesBefore);

    // Its dialog is the last item of the Options menu, there before and with the link.
    EXPECT_EQ(Main().Options1->Items(Main().Options1->Count() - 1), Main().PartageducapNMEA01831);
    EXPECT_EQ(Main().Options1->Items(1), Main().Optionsmatrielles1);
    Main().PartageducapNMEA01831->Click();
    EXPECT_TRUE(forms->ShareForm()->isVisible());
}

} // namespace
} // namespace apptest
