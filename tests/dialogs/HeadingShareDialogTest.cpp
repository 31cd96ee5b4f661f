// The heading output dialog: it shows the user's choice and what the command line added;
// "&OK" applies the choice at once and keeps it in Ventrose.conf, unless a field cannot work,
// which it says while staying open; leaving any other way changes nothing; the live part
// shows each output's state and what it last delivered; a file that cannot be written is
// said, the choice holding for the run.
#include "DialogTestSupport.h"

#include "compass/Reading.h"
#include "dialogs/HeadingShareDialog.h"
#include "nmea/HeadingShare.h"
#include "PumpEvents.h"
#include "settings/OwnSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace app::testing {
namespace {

class HeadingShareDialogTest : public DialogTest {
protected:
    nmea::ShareSettings Stored() const {
        return nmea::LoadShareSettings(
            QSettings(settings::OwnSettingsPath(), QSettings::IniFormat));
    }
    nmea::HeadingShare share{installDir.filePath(QStringLiteral("NMEA"))};
};

TEST_F(HeadingShareDialogTest, ShowsTheChoiceOkAppliesAndKeepsItTheLiveStateFollows) {
    nmea::ShareSettings saved;
    saved.udpOn = true;
    saved.udpHost = QStringLiteral("192.168.1.255");
    share.SetSaved(saved);
    share.SetRunChoice({{nmea::OutputKind::Udp, "127.0.0.1", 10110}}, true);
    share.Start();
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    EXPECT_TRUE(form.UdpBox->isChecked());
    EXPECT_EQ(form.UdpHostEdit->text(), "192.168.1.255");
    EXPECT_FALSE(form.TrueHeadingBox->isChecked()); // HDT from the command line is not the user's
    EXPECT_EQ(form.RunChoiceLabel->text().replace('\n', ' '),
              "Pour cette exécution, la ligne de commande ajoute : udp:127.0.0.1:10110, cap vrai "
              "(HDT)");

    QTcpServer probe; // a port that was free a moment ago
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    form.UdpBox->setChecked(false);
    ClickText(form.TcpLabel); // the text ticks its box
    form.TcpPortEdit->setText(QString::number(port));
    form.TrueHeadingBox->setChecked(true);
    form.BitBtn1->click();
    EXPECT_FALSE(form.isVisible());
    nmea::ShareSettings expected = saved;
    expected.udpOn = false;
    expected.tcpOn = true;
    expected.tcpPort = port;
    expected.trueHeading = true;
    EXPECT_EQ(share.Saved(), expected);
    EXPECT_EQ(Stored(), expected);
    // At once: the user's UDP output is closed, the command line's stays, the server listens.
    const nmea::OutputTarget server{nmea::OutputKind::Tcp, "127.0.0.1", port};
    EXPECT_EQ(share.Targets(), (std::vector<nmea::OutputTarget>{
                                   server, {nmea::OutputKind::Udp, "127.0.0.1", 10110}}));

    form.ShowOnTop();
    EXPECT_EQ(form.OutputStatesLabel->text(),
              QStringLiteral("<span style=\"white-space:nowrap\">tcp:127.0.0.1:%1</span> : en "
                             "service, aucune phrase remise"
                             "<br><span style=\"white-space:nowrap\">udp:127.0.0.1:10110</span> : "
                             "en service, aucune phrase "
                             "remise")
                  .arg(port));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(testsupport::PumpEventsUntil(
        [&] { return form.ClientsLabel->text() == "Clients TCP connectés : 1"; }));
    share.Share(compass::WorkOut(0, 181, 0, 3));
    EXPECT_TRUE(form.OutputStatesLabel->text().contains(
        QStringLiteral("<span style=\"white-space:nowrap\">tcp:127.0.0.1:%1</span> : dernière "
                       "phrase remise $HCHDT,356.0,T*")
            .arg(port)))
        << form.OutputStatesLabel->text().toStdString();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(HeadingShareDialogTest, EachOutputShowsItsStateAndTheListsAreNotCut) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    EXPECT_FALSE(form.RunChoiceLabel->isVisible()); // no blank band for nothing
    form.HideDialog();
    share.SetRunChoice({{nmea::OutputKind::Tcp, "127.0.0.1", other.serverPort()},
                        {nmea::OutputKind::Pty, "", 0},
                        {nmea::OutputKind::Udp, "127.0.0.1", 10110},
                        {nmea::OutputKind::Udp, "192.168.100.255", 10111}},
                       true);
    share.Start();
    form.ShowOnTop();
    const QStringList lines = form.OutputStatesLabel->text().split("<br>");
    ASSERT_EQ(lines.size(), 4) << form.OutputStatesLabel->text().toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("port TCP %1 déjà pris").arg(other.serverPort())))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("en service, aucune phrase remise")) << lines[1].toStdString();
    // Texts of several lines get the height they need, inside the window.
    for (QLabel *label : {form.RunChoiceLabel, form.OutputStatesLabel}) {
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        EXPECT_TRUE(label->isVisible());
        EXPECT_GE(label->height(), needed);
        EXPECT_GT(needed, label->fontMetrics().height());
        EXPECT_LE(label->mapTo(&form, QPoint(0, label->height())).y(), form.BitBtn1->y());
    }
    // Each output's written form whole on one line, within the label's width.
    const QStringList runLines = form.RunChoiceLabel->text().split('\n');
    EXPECT_GT(runLines.size(), 1);
    for (const nmea::OutputTarget &target : share.RunTargets())
        EXPECT_EQ(runLines.filter(QString::fromStdString(nmea::Describe(target))).size(), 1)
            << nmea::Describe(target);
    for (const QString &line : runLines)
        EXPECT_LE(form.RunChoiceLabel->fontMetrics().horizontalAdvance(line),
                  form.RunChoiceLabel->width());
}

TEST_F(HeadingShareDialogTest, OkRefusesAFieldThatCannotWorkAndSaysWhyWhileStayingOpen) {
    const struct {
        QLineEdit *THeadingShareForm::*field;
        const char *text;
        const char *problem; // a piece of what the dialog says
    } cases[] = {
        {&THeadingShareForm::UdpHostEdit, "foo bar!@#", "Hôte UDP « foo bar!@# » : ni une adresse"},
        {&THeadingShareForm::UdpHostEdit, "1.2.3.4.5", "ni une adresse IP ni un nom d'hôte"},
        {&THeadingShareForm::UdpHostEdit, "", "adresse vide"},
        {&THeadingShareForm::UdpPortEdit, "0", "Port UDP « 0 » : un nombre de 1 à 65535"},
        {&THeadingShareForm::TcpPortEdit, "99999", "Port TCP « 99999 »"},
        {&THeadingShareForm::TcpPortEdit, "+80", "Port TCP « +80 »"},
        {&THeadingShareForm::TcpAddressEdit, "plotter", "le serveur TCP écoute sur une adresse IP"},
    };
    THeadingShareForm form(main, share);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        form.ShowOnTop();
        QLineEdit *field = form.*c.field;
        form.UdpBox->setChecked(true);
        field->setText(QString::fromUtf8(c.text));
        form.BitBtn1->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.ProblemLabel->text().contains(QString::fromUtf8(c.problem)))
            << form.ProblemLabel->text().toStdString();
        EXPECT_EQ(field->text(), QString::fromUtf8(c.text)); // as typed, not changed
        EXPECT_TRUE(form.ProblemLabel->isVisible());
        EXPECT_EQ(share.Saved(), nmea::ShareSettings{});
        EXPECT_FALSE(QFileInfo::exists(settings::OwnSettingsPath()));
        form.HideDialog();
    }
    // Put right, the same "&OK" stores and closes.
    form.ShowOnTop();
    form.UdpHostEdit->setText(QStringLiteral("plotter.local"));
    form.BitBtn1->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Stored().udpHost, "plotter.local");
}

TEST_F(HeadingShareDialogTest, LeavingWithoutOkChangesNothing) {
    THeadingShareForm form(main, share);
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape);
        form.ShowOnTop();
        form.TrueHeadingBox->setChecked(true);
        form.UdpHostEdit->setText(QStringLiteral("plotter"));
        if (escape)
            QTest::keyClick(&form, Qt::Key_Escape);
        else
            form.close(); // the close box, Alt+F4
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(share.Saved(), nmea::ShareSettings{});
        EXPECT_FALSE(QFileInfo::exists(settings::OwnSettingsPath()));
        form.ShowOnTop(); // and the next opening shows the choice, not what was left
        EXPECT_FALSE(form.TrueHeadingBox->isChecked());
        form.HideDialog();
    }
}

TEST_F(HeadingShareDialogTest, AConfFileThatCannotBeWrittenIsSaidAndTheChoiceHoldsForTheRun) {
    ASSERT_TRUE(QDir(installDir.path()).mkdir(QStringLiteral("Ventrose.conf")));
    THeadingShareForm form(main, share);
    form.ShowOnTop();
    form.TrueHeadingBox->setChecked(true);
    form.BitBtn1->click();
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
