// The deviation card applied where the user chose, in the whole program: the heading output's
// HDG carries the deviation and its HDM is corrected, the log has the deviation's column, the
// dial shows the corrected heading, and the status bar says where; each only where chosen,
// and with no card at all nothing changes.
#include "AppTestSupport.h"

#include "compass/Angles.h"
#include "headinglog/LogReader.h"
#include "logwindow/HeadingLog.h"
#include "nmea/HeadingShare.h"
#include "program/CardWiring.h"
#include "swing/SwingRecord.h"

#include <QSettings>
#include <QUdpSocket>

#include <cmath>

namespace apptest {
namespace {

// A card whose deviation is the same at every heading: -7.4°, 7.4 W.
constexpr double kDeviation = -7.4;

// The card and the choice as Ventrose.conf keeps them.
swing::CardSettings CardIn(const QString &path, bool withCard, const swing::ApplyChoice &apply) {
    {
        QSettings file(path, QSettings::IniFormat);
        if (withCard)
            for (const char *key : {"A", "B", "C", "D", "E"})
                file.setValue(QStringLiteral("swing/") + QLatin1String(key),
                              QLatin1String(key) == QLatin1String("A") ? kDeviation : 0.0);
        file.setValue(QStringLiteral("swing/applyToOutput"), apply.headingOutput);
        file.setValue(QStringLiteral("swing/applyToLog"), apply.headingLog);
        file.setValue(QStringLiteral("swing/applyToDisplay"), apply.display);
    }
    return swing::CardSettings::Load(QSettings(path, QSettings::IniFormat));
}

// The fields of the last sentence of `address` received.
QString LastFields(const QStringList &sentences, const QString &address) {
    const QStringList of = sentences.filter(QLatin1Char('$') + address + QLatin1Char(','));
    return of.isEmpty() ? QString() : of.last().section(QLatin1Char('*'), 0, 0).section(',', 1);
}

TEST_F(ProgramFixture, TheCardAppliesWhereChosenAndTheStatusBarSaysWhere) {
    const struct {
        const char *what;
        bool card;
        swing::ApplyChoice apply;
        const char *status;
    } cases[] = {
        {"no card, every place chosen", false, {true, true, true}, ""},
        {"a card chosen nowhere", true, {}, ""},
        {"to the output", true, {.headingOutput = true}, "Dév. : sortie"},
        {"to the log and the display", true, {false, true, true}, "Dév. : journal, affichage"},
        {"everywhere", true, {true, true, true}, "Dév. : sortie, journal, affichage"},
    };
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    Start();
    forms->Share()->SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", receiver.localPort()}},
                                 false);
    forms->Share()->Start();
    compass::Reading published;
    Main().Readings().Subscribe([&](const compass::Reading &r) { published = r; });
    LinkUp();
    int file = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const bool output = c.card && c.apply.headingOutput, log = c.card && c.apply.headingLog,
                   display = c.card && c.apply.display;
        const swing::CardSettings card =
            CardIn(InstallFile(QStringLiteral("card%1.conf").arg(++file)), c.card, c.apply);
        app::ApplyCard(*forms, card);
        EXPECT_EQ(Main().StatusText(app::StatusPanel::Deviation), QString::fromUtf8(c.status));

        app::HeadingRecorder &recorder = forms->Log()->Recorder();
        const QString logPath = InstallFile(QStringLiteral("journal%1.csv").arg(file));
        ASSERT_TRUE(recorder.Start(logPath)) << recorder.Error().toStdString();
        QStringList sentences;
        for (int i = 0; i < 2; ++i) {
            NextReading();
            ASSERT_TRUE(PumpUntil([&] {
                while (receiver.hasPendingDatagrams()) {
                    QByteArray datagram(int(receiver.pendingDatagramSize()), '\0');
                    receiver.readDatagram(datagram.data(), datagram.size());
                    sentences << QString::fromLatin1(datagram);
                }
                return LastFields(sentences, "HCHDG")
                    .startsWith(QStringLiteral("%1.0,").arg(published.magneticHeading));
            })) << sentences.join("").toStdString();
        }
        recorder.Stop();

        // The output: the sensor's heading with the deviation, HDM corrected by it.
        const int sensor = published.magneticHeading;
        EXPECT_EQ(LastFields(sentences, "HCHDG"), output
                                                      ? QStringLiteral("%1.0,7.4,W,,").arg(sensor)
                                                      : QStringLiteral("%1.0,,,,").arg(sensor));
        const int hdmTenths = compass::Reduce3600(sensor * 10 - (output ? 74 : 0));
        EXPECT_EQ(LastFields(sentences, "HCHDM"),
                  QStringLiteral("%1.%2,M").arg(hdmTenths / 10).arg(hdmTenths % 10));

        // The log: its column only when chosen, the deviation in each row.
        const headinglog::LogReadResult read = headinglog::ReadLogFile(logPath);
        ASSERT_FALSE(read.error) << read.error->reason.toStdString();
        ASSERT_EQ(read.rows.size(), 2u);
        for (const headinglog::LogRow &row : read.rows)
            EXPECT_EQ(row.deviationTenths, log ? std::optional<int>(-74) : std::nullopt);

        // The display: the sensor's heading turned by the deviation, to the degree.
        EXPECT_EQ(Main().Heading().CapAngle(),
                  compass::Reduce360(published.capAngle - (display ? 7 : 0)));
        EXPECT_EQ(Main().Heading().NeedleAngle(),
                  compass::Reduce360(published.needleAngle + (display ? 7 : 0)));
    }
}

} // namespace
} // namespace apptest
