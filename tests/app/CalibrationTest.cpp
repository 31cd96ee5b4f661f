// The four-phase calibration as a user runs it against the simulated module in stepped time:
// what shows in each phase and during its exchange, what reached the module, the commands
// that are off meanwhile, and a phase that fails and is tried again.
#include "AppTestSupport.h"

#include "app/CalibrationPhases.h"
#include "app/PictureBox.h"
#include "dialogs/Unit6.h"
#include "widgets/BalloonHint.h"
#include "widgets/BalloonHintWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace apptest {
namespace {

const QString Question =
    "      Êtes-vous sûr de vouloir effectuer l'étalonnage de la boussole ?\n"
    "Attention, si vous répondez Oui, les anciens paramètres seront effacés...";

// The commands the calibration switches off, then on, in the order it switches them.
const QStringList SwitchedCommands = {
    "Optionspendule1",      "Optionsgraphiques1",   "Etalonnagedelaboussole1",
    "CentrageduzroNORD1",   "Dclinaisonmagntique1", "Optionslogicielles1",
    "Optionsmatrielles1",   "ToolButton3",          "ToolButton4",
    "ToolButton6",          "ToolButton7",          "ypesdemenusdroulant1",
    "Optionsgraphiques2",   "Etalonnagede1",        "CentrageduzroNORD2",
    "Dclinaisonmagntique2", "Optionslogicielles2",  "Optionmatrielles1"};

class CalibrationTest : public ProgramFixture {
protected:
    std::array<QPushButton *, 4> Buttons() {
        return {Main().BitBtn1, Main().BitBtn2, Main().BitBtn3, Main().BitBtn4};
    }
    // The phases' labels and buttons that show, as "L1B1" for phase 1's pair.
    QString Showing() {
        const std::array<QLabel *, 4> labels = {Main().Label2, Main().Label3, Main().Label1,
                                                Main().Label4};
        QString shown;
        for (int phase = 0; phase < 4; ++phase) {
            if (!labels[phase]->isHidden())
                shown += QStringLiteral("L%1").arg(phase + 1);
            if (!Buttons()[phase]->isHidden())
                shown += QStringLiteral("B%1").arg(phase + 1);
        }
        return shown;
    }
    bool ShowsPicture(const QString &file) {
        return Main().Image2->Picture() == QImage(InstallFile(file));
    }
    int CommandsWritten() { return int(Written().size() - linkWire.size()) / 2; }

    // Every change of a command's availability, as "name on" or "name off".
    void RecordSwitches() {
        for (int i = 0; i < Main().ComponentCount(); ++i) {
            auto *command = dynamic_cast<platform::TActionComponent *>(Main().Components(i));
            if (!command || command->Name().empty())
                continue;
            const QString name = QString::fromStdString(command->Name());
            QObject::connect(command->Action(), &QAction::enabledChanged, &Main(),
                             [this, name](bool on) { switches << name + (on ? " on" : " off"); });
        }
    }
    static QStringList Switched(const char *state) {
        QStringList expected;
        for (const QString &name : SwitchedCommands)
            expected << name + " " + state;
        return expected;
    }

    void StartCalibration() {
        Start();
        LinkUp();
        linkWire = Written();
        boxes.boxes.clear();
        boxes.answers = {true};
        Main().Etalonnagedelaboussole1->Click();
    }

    std::string linkWire; // what the link start sent
    QStringList switches;
};

// What shows and what was sent, just before a tick of the link's timers.
struct Step {
    int timer;
    QString showing;
    bool waitBox;
    int commands;
    friend bool operator==(const Step &, const Step &) = default;
    friend void PrintTo(const Step &s, std::ostream *out) {
        *out << "{" << s.timer << ", " << s.showing.toStdString() << ", " << s.waitBox << ", "
             << s.commands << "}";
    }
};

TEST_F(CalibrationTest, FourPhasesEachSendOneCommandAfterAHandshakeAndNothingElse) {
    StartCalibration();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, "WarningQuestion");
    EXPECT_EQ(boxes.boxes[0].text, Question);
    EXPECT_TRUE(Main().Panel1->isHidden());
    EXPECT_TRUE(Main().Panel2->isVisible());
    EXPECT_EQ(Showing(), "L1B1");
    EXPECT_EQ(Main().StatusText(0), "Boussole dirigée vers le SUD");
    EXPECT_TRUE(ShowsPicture("Esud.bmp"));
    EXPECT_EQ(CommandsWritten(), 0); // nothing is sent at the start

    // The calibration panel's label has its balloon; its help button its topic.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(Main().Label2, &enter);
    ASSERT_NE(Main().BalloonHint1->BalloonWindow(), nullptr);
    EXPECT_TRUE(Main().BalloonHint1->BalloonWindow()->Showing());
    Main().BitBtn5->click();
    EXPECT_EQ(help.topics, QStringList{"rub6"});

    std::vector<Step> steps;
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &tick) {
        steps.push_back({tick.timer, Showing(), static_cast<QWidget *>(forms->Form6())->isVisible(),
                         CommandsWritten()});
    };
    const int rawBefore = Main().LastRawAngle();
    std::vector<Step> expected;
    for (int phase = 0; phase < 4; ++phase) {
        Buttons()[phase]->click();
        // The module answers 3.5 s after RTS rose; then the pause, the command, the pause.
        for (int tick = 0; tick < 3; ++tick)
            expected.push_back({1, "", false, phase});
        expected.push_back({2, "", true, phase});
        expected.push_back({2, "", true, phase + 1});
        if (phase == 3)
            break;
        const app::CalibrationPhase &next = app::CalibrationPhases()[phase + 1];
        EXPECT_EQ(Showing(), QStringLiteral("L%1B%1").arg(phase + 2));
        EXPECT_EQ(Main().StatusText(0), next.status);
        EXPECT_TRUE(ShowsPicture(next.picture)) << next.picture.toStdString();
    }
    EXPECT_EQ(steps, expected);

    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].kind, "Information");
    EXPECT_EQ(boxes.boxes[1].text, "                             Félicitations !!!\n"
                                   "La procédure d'étalonnage en quatre phases est terminée.");
    EXPECT_TRUE(Main().Panel1->isVisible());
    EXPECT_TRUE(Main().Panel2->isHidden());
    EXPECT_EQ(Main().StatusText(0), "");
    EXPECT_EQ(player.played.count("canopen.wav"), 4);
    EXPECT_EQ(Written(), linkWire + "E&E&E&E&");
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().CalibrationCount() == 4; }));
    EXPECT_EQ(Module().Received(), linkWire + "E&E&E&E&");
    EXPECT_EQ(Module().RejectedCommands(), 0);
    // Readings went on turning the needle behind the calibration panel.
    EXPECT_NE(Main().LastRawAngle(), rawBefore);
    EXPECT_EQ(Main().Settings().Get(settings::HardwareOptionsSlot), "0");
}

TEST_F(CalibrationTest, NoChangesNothingWhileYesSwitchesTheCommandsOffThenOnInTheirOrder) {
    Start();
    LinkUp();
    RecordSwitches();
    const QString status = Main().StatusText(0);
    boxes.boxes.clear();
    Main().Etalonnagede1->Click(); // the context menu's entry; no answer scripted: "Non"
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, Question);
    EXPECT_TRUE(switches.isEmpty()) << switches.join(", ").toStdString();
    EXPECT_TRUE(Main().Panel1->isVisible());
    EXPECT_TRUE(Main().Panel2->isHidden());
    EXPECT_EQ(Main().StatusText(0), status);

    boxes.answers = {true};
    Main().Etalonnagede1->Click();
    EXPECT_EQ(switches, Switched("off"));
    EXPECT_TRUE(Main().Quittez1->Enabled() && Main().Help1->Enabled() &&
                Main().Aproposde1->Enabled() && Main().Apropos1->Enabled());
    switches.clear();
    for (QPushButton *button : Buttons())
        button->click();
    EXPECT_EQ(switches, Switched("on"));
}

// A phase whose exchange or picture fails reports it, keeps a button to press, and goes on
// once the fault is mended.
struct Rig {
    app::TForm1 &main;
    sim::SimulatedCompass &module;
    QDir installDir;
};
struct FaultCase {
    const char *name;
    std::function<void(Rig &)> fault, mend;
    const char *errorMentions;
    QString showing; // once the error is shown
    int commands;    // calibration commands sent by then
};
void PrintTo(const FaultCase &c, std::ostream *out) { *out << c.name; }

class CalibrationFaultTest : public CalibrationTest,
                             public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CalibrationFaultTest, APhaseThatFailsCanBeTriedAgain) {
    StartCalibration();
    Rig rig{Main(), Module(), QDir(installDir.path())};
    GetParam().fault(rig);
    Main().BitBtn1->click();
    // The question, then the error (a port that cannot be reopened may follow).
    ASSERT_GE(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].kind, "Error");
    EXPECT_TRUE(boxes.boxes[1].text.contains(GetParam().errorMentions))
        << boxes.boxes[1].text.toStdString();
    EXPECT_EQ(Showing(), GetParam().showing);
    const int phase = Showing().back().digitValue() - 1;
    // No picture rather than another phase's.
    EXPECT_TRUE(Main().Image2->Picture().isNull() ||
                ShowsPicture(app::CalibrationPhases()[phase].picture));
    EXPECT_EQ(CommandsWritten(), GetParam().commands);
    EXPECT_FALSE(application->Terminated());

    GetParam().mend(rig);
    Buttons()[phase]->click();
    EXPECT_EQ(Showing(), QStringLiteral("L%1B%1").arg(phase + 2));
    EXPECT_EQ(CommandsWritten(), GetParam().commands + 1);
    EXPECT_TRUE(ShowsPicture(app::CalibrationPhases()[phase + 1].picture));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CalibrationFaultTest,
    ::testing::Values(FaultCase{"ModuleUnplugged", [](Rig &rig) { rig.module.Unplug(); },
                                [](Rig &rig) {
                                    rig.module.Replug();
                                    // The next activation of the main window reopens the port.
                                    rig.main.HideMainWindow();
                                    rig.main.ShowMainWindow();
                                },
                                "EscapeCommFunction", "L1B1", 0},
                      FaultCase{"NextPictureMissing",
                                [](Rig &rig) { rig.installDir.rename("Eest.bmp", "Eest.old"); },
                                [](Rig &rig) { rig.installDir.rename("Eest.old", "Eest.bmp"); },
                                "Eest.bmp", "L2B2", 1}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace apptest
