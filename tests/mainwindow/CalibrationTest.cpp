// The four-phase calibration as a user runs it against the simulated module in stepped time:
// what shows in each phase and during its exchange, what reached the module, the commands
// switched meanwhile, and a phase that fails and is tried again.
#include "AppTestSupport.h"

#include "dialogs/Unit6.h"
#include "link/CalibrationPhases.h"
#include "mainwindow/PictureBox.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <cerrno>

namespace apptest {
namespace {

class CalibrationTest : public ProgramFixture {
protected:
    void SetUp() override {
        Start();
        LinkUp();
        linkWire = Written();
        boxes.boxes.clear();
    }
    // The phases' labels and buttons that show, as "L1B1" for phase 1's pair.
    QString Showing() {
        const QWidget *pairs[][2] = {{Main().Label2, Main().BitBtn1},
                                     {Main().Label3, Main().BitBtn2},
                                     {Main().Label1, Main().BitBtn3},
                                     {Main().Label4, Main().BitBtn4}};
        QString shown;
        for (int phase = 1; phase <= 4; ++phase)
            for (const char *kind : {"L", "B"})
                if (!pairs[phase - 1][*kind == 'B']->isHidden())
                    shown += kind + QString::number(phase);
        return shown;
    }
    std::string linkWire; // what the link start sent
};

TEST_F(CalibrationTest, NoChangesNothingThenFourPhasesEachSendOneCommandAfterAHandshake) {
    QStringList switches; // every change of a command's availability, in order
    QObject connections;  // ends them with the test
    for (int i = 0; i < Main().ComponentCount(); ++i)
        if (auto *command = dynamic_cast<platform::TActionComponent *>(Main().Components(i)))
            QObject::connect(
                command->Action(), &QAction::enabledChanged, &connections, [&, command](bool on) {
                    switches << QString::fromStdString(command->Name()) + (on ? " on" : " off");
                });
    const QString question = "      Êtes-vous sûr de vouloir effectuer l'étalonnage de la "
                             "boussole ?\nAttention, si vous répondez Oui, les anciens "
                             "paramètres seront effacés...";
    Main().Etalonnagede1->Click(); // no answer scripted: "Non"
    EXPECT_TRUE(switches.isEmpty() && Main().Panel2->isHidden() && Main().Panel1->isVisible());

    boxes.answers = {true};
    Main().Etalonnagedelaboussole1->Click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    for (const auto &box : boxes.boxes)
        EXPECT_TRUE(box.kind == "WarningQuestion" && box.text == question);
    QStringList expectedSwitches;
    for (const char *name :
         {"Optionspendule1", "Optionsgraphiques1", "Etalonnagedelaboussole1", "CentrageduzroNORD1",
          "Dclinaisonmagntique1", "Optionslogicielles1", "Optionsmatrielles1", "ToolButton3",
          "ToolButton4", "ToolButton6", "ToolButton7", "ypesdemenusdroulant1", "Optionsgraphiques2",
          "Etalonnagede1", "CentrageduzroNORD2", "Dclinaisonmagntique2", "Optionslogicielles2",
          "Optionmatrielles1"})
        expectedSwitches << QString(name) + " off";
    EXPECT_EQ(switches, expectedSwitches);
    EXPECT_TRUE(Main().Panel1->isHidden() && Main().Panel2->isVisible());

    // Before each tick: timer, what shows, the wait box, the bytes sent since the link start.
    QStringList steps, expectedSteps;
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &tick) {
        steps << QString("%1 %2 %3 %4")
                     .arg(tick.timer)
                     .arg(Showing())
                     .arg(static_cast<QWidget *>(forms->Form6())->isVisible())
                     .arg(Written().size() - linkWire.size());
    };
    const int rawBefore = Main().LastRawAngle();
    for (int phase = 0; phase < 4; ++phase) {
        EXPECT_EQ(Showing(), QString("L%1B%1").arg(phase + 1));
        EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation),
                  app::CalibrationPhases()[phase].status);
        EXPECT_EQ(Main().Image2->Picture(),
                  QImage(InstallFile(app::CalibrationPhases()[phase].picture)));
        QPushButton *buttons[] = {Main().BitBtn1, Main().BitBtn2, Main().BitBtn3, Main().BitBtn4};
        buttons[phase]->click();
        // The module answers 3.5 s after RTS rose; then a pause, the command, a pause.
        for (int tick = 0; tick < 3; ++tick)
            expectedSteps << QString("1  0 %1").arg(2 * phase);
        expectedSteps << QString("2  1 %1").arg(2 * phase) << QString("2  1 %1").arg(2 * phase + 2);
    }
    EXPECT_EQ(steps, expectedSteps);

    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[2].text, "                             Félicitations !!!\n"
                                   "La procédure d'étalonnage en quatre phases est terminée.");
    EXPECT_TRUE(Main().Panel1->isVisible() && Main().Panel2->isHidden());
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "");
    EXPECT_EQ(switches.mid(expectedSwitches.size()),
              expectedSwitches.replaceInStrings(" off", " on"));
    EXPECT_EQ(player.played.count("canopen.wav"), 4);
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().CalibrationCount() == 4; }));
    EXPECT_EQ(Module().Received(), linkWire + "E&E&E&E&");
    EXPECT_NE(Main().LastRawAngle(), rawBefore); // readings went on behind the panel
}

// A phase whose exchange fails keeps its button, to be tried again;
// a next phase whose picture is missing says so and shows no picture rather than the last.
TEST_F(CalibrationTest, AFailedPhaseIsReportedAndCanBeTriedAgain) {
    boxes.answers = {true};
    Main().Etalonnagedelaboussole1->Click();
    Module().Line().FailCall(serial::VirtualCall::EscapeCommFunction, EIO); // RTS refused
    Main().BitBtn1->click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].kind, "Error") << boxes.boxes[1].text.toStdString();
    EXPECT_EQ(Showing(), "L1B1");
    EXPECT_TRUE(Main().BitBtn1->isEnabled());

    Module().Line().FailCall(serial::VirtualCall::EscapeCommFunction, 0);
    ASSERT_TRUE(QDir(installDir.path()).rename("Eest.bmp", "Eest.old"));
    boxes.boxes.clear();
    Main().BitBtn1->click();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Impossible d'ouvrir le fichier " + InstallFile("Eest.bmp"));
    EXPECT_EQ(Showing(), "L2B2");
    EXPECT_TRUE(Main().Image2->Picture().isNull());
    EXPECT_EQ(Written(), linkWire + "E&");
}

} // namespace
} // namespace apptest
