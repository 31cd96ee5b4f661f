// The heading output dialog: it shows the user's choice and what the command line added,
// "&OK" applies the choice at once and keeps it in Ventrose.conf, a file that cannot be
// written is said without losing the choice for the run, and the live line follows the
// sentences and the clients.
#include "DialogTestSupport.h"

#include "dialogs/HeadingShareDialog.h"
#include "nmea/HeadingShare.h"
#include "PumpEvents.h"
#include "settings/OwnSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>

namespace app::testing {
namespace {

class HeadingShareDialogTest : public DialogTest {
protected:
    HeadingShareDialogTest() : share(installDir.filePath(QStringLiteral("NMEA"))) {}

    nmea::ShareSettings Stored() const {
        return nmea::LoadShareSettings(
            QSettings(settings::OwnSettingsPath(), QSettings::IniFormat));
    }

    nmea::HeadingShare share;
};

// A TCP port that was free a moment ago.
quint16 FreePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

TEST_F(HeadingShareDialogTest, ShowsTheChoiceAndOkAppliesAndKeepsIt) {
    nmea::ShareSettings saved;
    saved.udpOn = true;
    saved.udpHost = QStringLiteral("192.168.1.255");
    saved.udpPort = 2000;
    share.SetSaved(saved);
    share.SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", 10110}}, true);
    share.Start();
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    EXPECT_TRUE(form.CheckBox1->isChecked());
    EXPECT_EQ(form.Edit1->text(), "192.168.1.255");
    EXPECT_EQ(form.SpinEdit1->value(), 2000);
    EXPECT_FALSE(form.CheckBox2->isChecked());
    EXPECT_FALSE(form.CheckBox4->isChecked()); // HDT from the command line is not the user's
    EXPECT_TRUE(form.Label5->text().contains("udp:127.0.0.1:10110"))
        << form.Label5->text().toStdString();
    EXPECT_TRUE(form.Label5->text().contains("HDT"));

    const quint16 port = FreePort();
    form.CheckBox1->setChecked(false);
    ClickText(form.Label2); // the text ticks its box
    form.Edit2->setText(QStringLiteral("127.0.0.1"));
    form.SpinEdit2->setValue(port);
    form.CheckBox4->setChecked(true);
    form.BitBtn1->click();
    EXPECT_FALSE(form.isVisible());

    nmea::ShareSettings expected;
    expected.udpHost = QStringLiteral("192.168.1.255");
    expected.udpPort = 2000;
    expected.tcpOn = true;
    expected.tcpPort = port;
    expected.trueHeading = true;
    EXPECT_EQ(share.Saved(), expected);
    EXPECT_EQ(Stored(), expected);
    // At once: the server listens, the user's UDP output is closed, the command line's stays.
    const nmea::OutputTarget server{nmea::OutputKind::Tcp, "127.0.0.1", port};
    ASSERT_NE(share.Output(server), nullptr);
    EXPECT_FALSE(share.Output(server)->Failed());
    EXPECT_EQ(share.Output({nmea::OutputKind::Udp, "192.168.1.255", 2000}), nullptr);
    EXPECT_NE(share.Output({nmea::OutputKind::Udp, "127.0.0.1", 10110}), nullptr);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(HeadingShareDialogTest, AConfFileThatCannotBeWrittenIsSaidAndTheChoiceHoldsForTheRun) {
    ASSERT_TRUE(QDir(installDir.path()).mkdir(QStringLiteral("Ventrose.conf")));
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    form.CheckBox4->setChecked(true);
    form.close(); // the close box stores like "&OK"
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].contains("Ventrose.conf")) << boxes.shown[0].toStdString();
    EXPECT_TRUE(share.Saved().trueHeading);
}

TEST_F(HeadingShareDialogTest, TheLiveLineFollowsTheSentencesAndTheClients) {
    const quint16 port = FreePort();
    share.SetRunChoice({{nmea::OutputKind::Tcp, "127.0.0.1", port}}, false);
    share.Start();
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    EXPECT_EQ(form.Label6->text(), "Dernière phrase envoyée : aucune");
    EXPECT_EQ(form.Label7->text(), "Clients TCP connectés : 0");

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(testsupport::PumpEventsUntil(
        [&] { return form.Label7->text() == "Clients TCP connectés : 1"; }));
    share.Share({181, 0, 3});
    // Without HDT, the last sentence of a reading is its HDG.
    EXPECT_TRUE(share.LastSentence().startsWith("$HCHDG,359.0,,,3.0,W*"));
    EXPECT_EQ(form.Label6->text(), "Dernière phrase envoyée : " + share.LastSentence());
    client.disconnectFromHost();
    ASSERT_TRUE(testsupport::PumpEventsUntil(
        [&] { return form.Label7->text() == "Clients TCP connectés : 0"; }));
}

} // namespace
} // namespace app::testing
