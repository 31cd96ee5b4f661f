// The card in the whole program: given to the heading output, the log and the display only
// where chosen, and the status bar says where.
#include "AppTestSupport.h"

#include "compass/Angles.h"
#include "logwindow/HeadingLog.h"
#include "nmea/HeadingShare.h"
#include "program/CardWiring.h"
#include "swing/SwingRecord.h"

#include <QSettings>

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
    Start();
    compass::Reading sensor;
    Main().Readings().Subscribe([&](const compass::Reading &r) { sensor = r; });
    LinkUp();
    const QString conf = InstallFile(QStringLiteral("card.conf"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
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
        const std::optional<deviation::Coefficients> card{deviation::Coefficients{-7.4}};
        EXPECT_EQ(forms->Share()->Card(), c.card && c.apply.headingOutput ? card : std::nullopt);
        EXPECT_EQ(forms->Log()->Recorder().Card(),
                  c.card && c.apply.headingLog ? card : std::nullopt);
        NextReading();
        const int turn = c.card && c.apply.display ? 7 : 0;
        EXPECT_EQ(Main().Heading().CapAngle(), compass::Reduce360(sensor.capAngle - turn));
        EXPECT_EQ(Main().Heading().NeedleAngle(), compass::Reduce360(sensor.needleAngle + turn));
    }
}

} // namespace
} // namespace apptest
