// The card in the whole program: applied only where chosen, and the status bar says where.
#include "AppTestSupport.h"

#include "compass/Angles.h"
#include "headinglog/LogReader.h"
#include "logwindow/HeadingLog.h"
#include "nmea/HeadingShare.h"
#include "program/CardWiring.h"
#include "swing/SwingRecord.h"

#include <QSettings>
#include <QUdpSocket>

namespace apptest {
namespace {

TEST_F(ProgramFixture, TheCardAppliesWhereChosenAndTheStatusBarSaysWhere) {
    const struct {
        bool card;
        swing::ApplyChoice apply;
        const char *status;
    } cases[] = {
        {false, {true, true, true}, ""},
        {true, {}, ""},
        {true, {.headingOutput = true}, "Dév. : sortie"},
        {true, {false, true, true}, "Dév. : journal, affichage"},
        {true, {true, true, true}, "Dév. : sortie, journal, affichage"},
    };
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    Start();
    forms->Share()->SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", receiver.localPort()}},
                                 false);
    forms->Share()->Start();
    compass::Reading sensor;
    Main().Readings().Subscribe([&](const compass::Reading &r) { sensor = r; });
    LinkUp();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        const QString conf = InstallFile(QStringLiteral("card.conf"));
        QFile::remove(conf);
        {
            QSettings file(conf, QSettings::IniFormat);
            for (const char *key : {"A", "B", "C", "D", "E"}) // 7.4 W at every heading
                if (c.card)
                    file.setValue(QStringLiteral("swing/%1").arg(key), *key == 'A' ? -7.4 : 0.0);
            file.setValue(QStringLiteral("swing/applyToOutput"), c.apply.headingOutput);
            file.setValue(QStringLiteral("swing/applyToLog"), c.apply.headingLog);
            file.setValue(QStringLiteral("swing/applyToDisplay"), c.apply.display);
        }
        app::ApplyCard(*forms, swing::CardSettings::Load(QSettings(conf, QSettings::IniFormat)));
        EXPECT_EQ(Main().StatusText(app::StatusPanel::Deviation), QString::fromUtf8(c.status));

        const QString log = InstallFile(QStringLiteral("journal-%1.csv").arg(&c - cases));
        ASSERT_TRUE(forms->Log()->Recorder().Start(log));
        QByteArray hdg, hdm;
        for (int i = 0; i < 2; ++i) {
            NextReading();
            ASSERT_TRUE(PumpUntil([&] {
                while (receiver.hasPendingDatagrams()) {
                    QByteArray datagram(int(receiver.pendingDatagramSize()), '\0');
                    receiver.readDatagram(datagram.data(), datagram.size());
                    (datagram.startsWith("$HCHDG,") ? hdg : hdm) = datagram.split('*')[0];
                }
                return hdg.startsWith("$HCHDG," + QByteArray::number(sensor.magneticHeading));
            }));
        }
        forms->Log()->Recorder().Stop();
        const bool output = c.card && c.apply.headingOutput;
        EXPECT_EQ(hdg, "$HCHDG," + QByteArray::number(sensor.magneticHeading) +
                           (output ? ".0,7.4,W,," : ".0,,,,"));
        const int tenths = compass::Reduce3600(sensor.magneticHeading * 10 - (output ? 74 : 0));
        EXPECT_EQ(hdm, QStringLiteral("$HCHDM,%1.%2,M").arg(tenths / 10).arg(tenths % 10));
        const headinglog::LogReadResult read = headinglog::ReadLogFile(log);
        ASSERT_EQ(read.rows.size(), 2u);
        EXPECT_EQ(read.rows[1].deviationTenths,
                  c.card && c.apply.headingLog ? std::optional<int>(-74) : std::nullopt);
        const int turn = c.card && c.apply.display ? 7 : 0;
        EXPECT_EQ(Main().Heading().CapAngle(), compass::Reduce360(sensor.capAngle - turn));
        EXPECT_EQ(Main().Heading().NeedleAngle(), compass::Reduce360(sensor.needleAngle + turn));
    }
}

} // namespace
} // namespace apptest
