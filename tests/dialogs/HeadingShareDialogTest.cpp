// The heading output dialog: it shows the user's choice and what the command line added;
// "&OK" applies the choice at once and keeps it in Ventrose.conf; the live line follows the
// sentences and the clients; a file that cannot be written is said, the choice holding for
// the run.
#include "DialogTestSupport.h"

#include "dialogs/HeadingShareDialog.h"
#include "nmea/HeadingShare.h"
#include "PumpEvents.h"
#include "settings/OwnSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>

namespace app::testing {
namespace {

class HeadingShareDialogTest : public DialogTest {
protected:
    nmea::HeadingShare share{installDir.filePath(QStringLiteral("NMEA"))};
};

TEST_F(HeadingShareDialogTest, ShowsTheChoiceOkAppliesAndKeepsItTheLiveLineFollows) {
    nmea::ShareSettings saved;
    saved.udpOn = true;
    saved.udpHost = QStringLiteral("192.168.1.255");
    share.SetSaved(saved);
    share.SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", 10110}}, true);
    share.Start();
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    EXPECT_TRUE(form.CheckBox1->isChecked());
    EXPECT_EQ(form.Edit1->text(), "192.168.1.255");
    EXPECT_FALSE(form.CheckBox4->isChecked()); // HDT from the command line is not the user's
    EXPECT_EQ(form.Label5->text(), "Pour cette exécution, la ligne de commande ajoute : "
                                   "udp:127.0.0.1:10110, cap vrai (HDT)");

    QTcpServer probe; // a port that was free a moment ago
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    form.CheckBox1->setChecked(false);
    ClickText(form.Label2); // the text ticks its box
    form.SpinEdit2->setValue(port);
    form.CheckBox4->setChecked(true);
    form.BitBtn1->click();
    EXPECT_FALSE(form.isVisible());
    nmea::ShareSettings expected = saved;
    expected.udpOn = false;
    expected.tcpOn = true;
    expected.tcpPort = port;
    expected.trueHeading = true;
    EXPECT_EQ(share.Saved(), expected);
    EXPECT_EQ(nmea::LoadShareSettings(QSettings(settings::OwnSettingsPath(), QSettings::IniFormat)),
              expected);
    // At once: the user's UDP output is closed, the command line's stays, the server listens.
    EXPECT_EQ(share.Targets(),
              (std::vector<nmea::OutputTarget>{{nmea::OutputKind::Tcp, "127.0.0.1", port},
                                               {nmea::OutputKind::Udp, "127.0.0.1", 10110}}));

    form.ShowOnTop();
    EXPECT_EQ(form.Label6->text(), "Dernière phrase envoyée : aucune");
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(testsupport::PumpEventsUntil(
        [&] { return form.Label7->text() == "Clients TCP connectés : 1"; }));
    share.Share({181, 0, 3});
    EXPECT_TRUE(form.Label6->text().startsWith("Dernière phrase envoyée : $HCHDT,356.0,T*"))
        << form.Label6->text().toStdString();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(HeadingShareDialogTest, AConfFileThatCannotBeWrittenIsSaidAndTheChoiceHoldsForTheRun) {
    ASSERT_TRUE(QDir(installDir.path()).mkdir(QStringLiteral("Ventrose.conf")));
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    form.CheckBox4->setChecked(true);
    form.close(); // the close box stores like "&OK", and the dialog goes all the same
    EXPECT_FALSE(form.isVisible());
    // The file that cannot be read is said once (at the program's start, here with the
    // dialog), then the save that fails.
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown[1].startsWith("Impossible d'enregistrer"));
    EXPECT_TRUE(boxes.shown[1].contains("Ventrose.conf")) << boxes.shown[1].toStdString();
    EXPECT_TRUE(share.Saved().trueHeading);
}

} // namespace
} // namespace app::testing
