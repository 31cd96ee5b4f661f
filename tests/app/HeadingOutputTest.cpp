// The heading output in the whole program: gpsd, a real navigation client, reads the
// heading the dial shows; the sentences agree with the main window's own arithmetic for
// every reading; a failing output is said in the status bar, never in a box, and the link
// goes on; the dialog is the last item of the Options menu.
#include "AppTestSupport.h"

#include "app/Heading.h"
#include "dialogs/HeadingShareDialog.h"
#include "nmea/HeadingSentences.h"
#include "nmea/HeadingShare.h"
#include "platform/Menus.h"

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

// Loopback ports that were free a moment ago.
quint16 FreeUdpPort() {
    QUdpSocket socket;
    socket.bind(QHostAddress::LocalHost, 0);
    return socket.localPort();
}

quint16 FreeTcpPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

// A process that ends with the test, whatever happens.
struct Child {
    ~Child() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

class HeadingOutputTest : public ProgramFixture {
protected:
    // One more reading through the main window.
    void NextReading() {
        const int delivered = time.RxDeliveries();
        time.Advance(moduleOptions.readingPeriod);
        ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
    }
};

TEST_F(HeadingOutputTest, GpsdReadsTheHeadingTheDialShows) {
    for (const char *program : {"gpsd", "gpspipe"})
        ASSERT_FALSE(QStandardPaths::findExecutable(program, {"/usr/sbin", "/usr/bin"}).isEmpty())
            << program << " is missing: scripts/install-deps installs it";
    // The whole exchange with gpsd is bounded, well within 20 seconds.
    const QDeadlineTimer deadline(15s);
    auto remaining = [&] { return std::chrono::milliseconds(deadline.remainingTime()); };

    const quint16 udpPort = FreeUdpPort();
    const quint16 gpsdPort = FreeTcpPort();
    Child gpsd;
    gpsd.process.start(QStandardPaths::findExecutable("gpsd", {"/usr/sbin", "/usr/bin"}),
                       {"-N", "-n", "-S", QString::number(gpsdPort),
                        QStringLiteral("udp://127.0.0.1:%1").arg(udpPort)});
    ASSERT_TRUE(gpsd.process.waitForStarted(5000));
    // gpspipe, once gpsd listens; its WATCH line says it is watching.
    Child pipe;
    QStringList reports;
    QObject::connect(&pipe.process, &QProcess::readyReadStandardOutput, [&] {
        while (pipe.process.canReadLine())
            reports << QString::fromUtf8(pipe.process.readLine()).trimmed();
    });
    auto watching = [&] {
        return reports.filter(QStringLiteral("\"class\":\"WATCH\"")).size() > 0;
    };
    ASSERT_TRUE(PumpUntil([&] {
        if (pipe.process.state() == QProcess::NotRunning && !watching() &&
            gpsd.process.state() == QProcess::Running)
            pipe.process.start(QStandardPaths::findExecutable("gpspipe"),
                               {"-w", QStringLiteral("127.0.0.1:%1").arg(gpsdPort)});
        return watching() || remaining() <= 0ms;
    }));
    ASSERT_TRUE(watching()) << reports.join('\n').toStdString();

    // A west declination and a centring, so that the true heading is not the magnetic one.
    WriteSettings({"1", "Moyenne", "ROSEON", "Moyenne", "CERCLEON", "ANCIEN", "5", "+", "3", "-",
                   "4", "OFFAVERTI", "OFFAVERTI2", "ONCAP", "ONORIENT", "OFFSON", "OFFINFO", "0"});
    Start();
    nmea::HeadingShare &share = *forms->Share();
    share.SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", udpPort}}, true);
    share.Start();
    std::vector<int> shown; // the dial's "Votre CAP" of each reading
    Main().Readings().Subscribe([&](const app::ReadingRecord &r) { shown.push_back(r.capAngle); });
    LinkUp();

    auto headings = [&] {
        std::vector<double> values;
        for (const QString &report : reports) {
            const QJsonObject object = QJsonDocument::fromJson(report.toUtf8()).object();
            if (object.value("class") == "ATT")
                values.push_back(object.value("heading").toDouble(-1));
        }
        return values;
    };
    // The first sentence makes gpsd take the source for NMEA 0183; then each reading's HDT
    // is one ATT report.
    std::size_t skipped = 0;
    while (headings().empty() && remaining() > 0ms) {
        skipped = shown.size();
        NextReading();
        PumpUntil([&] { return !headings().empty() || remaining() <= 0ms; });
    }
    ASSERT_FALSE(headings().empty()) << reports.join('\n').toStdString();
    const std::size_t first = headings().size();
    for (int i = 0; i < 8; ++i) {
        NextReading();
        ASSERT_TRUE(
            PumpUntil([&] { return headings().size() >= first + i + 1 || remaining() <= 0ms; }));
        ASSERT_EQ(headings().size(), first + i + 1) << reports.join('\n').toStdString();
    }
    const std::vector<double> att = headings();
    ASSERT_EQ(att.size(), shown.size() - skipped);
    for (std::size_t i = 0; i < att.size(); ++i)
        EXPECT_EQ(att[i], shown[skipped + i]) << "reading " << skipped + i;
    // The module turns: the readings compared are not all one heading.
    EXPECT_NE(*std::min_element(shown.begin(), shown.end()),
              *std::max_element(shown.begin(), shown.end()));
}

TEST(HeadingOutputArithmetic, TheSentencesAgreeWithTheDialForEveryReading) {
    for (const auto &[centringSign, declinationSign] :
         std::vector<std::pair<const char *, const char *>>{
             {"+", "+"}, {"-", "-"}, {"+", "-"}, {"x", "+"}}) {
        for (const char *declination : {"0", "7", "10"}) {
            settings::SettingsStore store;
            store.Set(settings::CentringSignSlot, centringSign);
            store.Set(settings::CentringSlot, "13");
            store.Set(settings::DeclinationSignSlot, declinationSign);
            store.Set(settings::DeclinationSlot, declination);
            const settings::SettingsView view(store);
            for (int v = 0; v <= app::MaxRawReading; ++v) {
                app::HeadingState dial;
                dial.ApplyReading(v, view);
                dial.UpdateAngles();
                const nmea::HeadingAngles angles = nmea::AnglesOf(
                    {dial.LastRawAngle(), dial.AppliedCentring(), dial.AppliedDeclination()});
                ASSERT_EQ(angles.trueHeading, dial.CapAngle()) << v;
                // The magnetic heading is the dial's without the declination.
                app::HeadingState magnetic;
                settings::SettingsStore withoutDeclination = store;
                withoutDeclination.Set(settings::DeclinationSlot, "0");
                magnetic.ApplyReading(v, settings::SettingsView(withoutDeclination));
                magnetic.UpdateAngles();
                ASSERT_EQ(angles.magnetic, magnetic.CapAngle()) << v;
            }
        }
    }
}

TEST_F(HeadingOutputTest, AFailingOutputIsSaidInTheStatusBarAndTheLinkGoesOn) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    Start();
    LinkUp();
    nmea::HeadingShare &share = *forms->Share();
    const std::size_t boxesBefore = boxes.boxes.size();
    share.SetRunChoice({{nmea::OutputKind::Tcp, "127.0.0.1", other.serverPort()}}, false);
    share.Start();
    EXPECT_TRUE(Main().StatusText(app::StatusPanel::Operation).contains("déjà pris"))
        << Main().StatusText(app::StatusPanel::Operation).toStdString();
    EXPECT_EQ(boxes.boxes.size(), boxesBefore);
    const int delivered = time.RxDeliveries();
    NextReading();
    EXPECT_GT(time.RxDeliveries(), delivered);
    EXPECT_FALSE(share.LastSentence().isEmpty());
    EXPECT_TRUE(Main().LinkUp());
}

TEST_F(HeadingOutputTest, TheDialogIsTheLastItemOfTheOptionsMenu) {
    Start();
    platform::TMenuItem &options = *Main().Options1;
    ASSERT_EQ(options.Count(), 3);
    EXPECT_EQ(options.Items(0), Main().Optionslogicielles1);
    EXPECT_EQ(options.Items(1), Main().Optionsmatrielles1);
    EXPECT_EQ(options.Items(2), Main().PartageducapNMEA01831);
    EXPECT_EQ(Main().PartageducapNMEA01831->Caption(), "&Partage du cap (NMEA 0183)...");
    EXPECT_TRUE(Main().PartageducapNMEA01831->Enabled());
    Main().PartageducapNMEA01831->Click();
    EXPECT_TRUE(forms->ShareForm()->isVisible());
    EXPECT_EQ(forms->ShareForm()->windowTitle(), "Partage du cap (NMEA 0183)");
}

} // namespace
} // namespace apptest
