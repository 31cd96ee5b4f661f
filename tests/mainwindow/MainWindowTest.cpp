// The main window as a user meets it: its activation paths and what the settings file holds
// after them, which commands are available in each state, and the zero-centring command.
#include "AppTestSupport.h"

#include "compass/Angles.h"
#include "dialogs/Unit2.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/BalloonHint.h"
#include "widgets/BalloonHintWindow.h"
#include "widgets/FlatMenu.h"

namespace apptest {
namespace {

class MainWindowTest : public ProgramFixture {};

TEST_F(MainWindowTest, FreshStartWithoutSettingsWritesThirtyEmptyLinesAndOpensCom1) {
    QFile::remove(InstallFile("Ventrose.inf"));
    Start();
    EXPECT_EQ(SettingsFile(), QByteArray("\r\n").repeated(30));
    EXPECT_TRUE(Main().SerialPort1->Connected());
    EXPECT_EQ(Main().SerialPort1->Port(), "COM1");
    EXPECT_EQ(Main().SerialPort1->BaudRate(), serial::br9600);
    EXPECT_FALSE(Main().FlatMenu1->Active());
}

TEST_F(MainWindowTest, ActivationWithoutTheFlagReopensThePortOnTheChosenOne) {
    Start();
    // The port choice dialog: COM2 chosen, then "&OK".
    app::TForm2 &dialog = *forms->Form2();
    Main().Communication1->Click();
    ASSERT_TRUE(dialog.isVisible());
    dialog.RadioButton2->click();
    dialog.BitBtn1->click();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Main().SerialPort1->Port(), "COM2");
    EXPECT_TRUE(Main().SerialPort1->Connected());
    EXPECT_TRUE(SettingsFile().startsWith("2\r\nMoyenne\r\n"));
}

TEST_F(MainWindowTest, ActivationWithTheFlagSavesFirstAndTransfersInsteadOfReopening) {
    Start();
    LinkUp();
    Main().Settings().Set(settings::SoundSlot, "OFFSON");
    int reopenedDuringTransfer = 0;
    Main().SerialPort1->OnAfterOpen = platform::TNotifyEvent::FromFunction(
        [&](platform::TObject *) { reopenedDuringTransfer += Main().ExchangeRunning() ? 1 : 0; });
    // The file as it stands when the module is first asked for its attention.
    QByteArray fileAtHandshake;
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &) {
        if (fileAtHandshake.isEmpty())
            fileAtHandshake = SettingsFile();
    };
    LeaveParameterDialog();
    EXPECT_EQ(reopenedDuringTransfer, 0);
    EXPECT_EQ(Main().ParametersChanged(), 0);
    EXPECT_TRUE(fileAtHandshake.contains("\r\nOFFSON\r\n")) << fileAtHandshake.data();
    EXPECT_EQ(Written(), "!0A+0B+0C&!0A+0B+0C&");
}

// A command that shows quoted message boxes, before the link or once it is up.
struct BoxCase {
    const char *name;
    bool linkUp;
    std::function<void(app::TForm1 &)> command;
};
void PrintTo(const BoxCase &c, std::ostream *out) { *out << c.name; }

class BoxActivationTest : public MainWindowTest, public ::testing::WithParamInterface<BoxCase> {
protected:
    int activations = 0;
};

TEST_P(BoxActivationTest, EveryQuotedMessageBoxActivatesTheMainWindowWhenItCloses) {
    Start();
    if (GetParam().linkUp)
        LinkUp();
    boxes.boxes.clear();
    // Each activation of the main window without the flag reopens the port.
    Main().SerialPort1->OnAfterOpen =
        platform::TNotifyEvent::FromFunction([&](platform::TObject *) { ++activations; });
    GetParam().command(Main());
    ASSERT_GE(boxes.boxes.size(), 2u);
    EXPECT_EQ(activations, int(boxes.boxes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BoxActivationTest,
    ::testing::Values(BoxCase{"LinkStartWithTheCableWarningAndTheSuccessBox", false,
                              [](app::TForm1 &main) { main.ToolButton1->Click(); }},
                      BoxCase{"ZeroCentringWithADeclination", true,
                              [](app::TForm1 &main) {
                                  main.Settings().Set(settings::DeclinationSlot, "3");
                                  main.CentrageduzroNORD1->Click(); // "Non": the declination
                              }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ASettingsFileThatCannotBeReadIsReportedAndTheProgramRunsOn) {
    // It opens, but reading it fails.
    ASSERT_TRUE(QFile::remove(InstallFile("Ventrose.inf")));
    ASSERT_TRUE(QDir(installDir.path()).mkdir("Ventrose.inf"));
    Start();
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_TRUE(boxes.boxes[0].text.startsWith("Erreur d'entrée/sortie sur le fichier"))
        << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Main().Settings().Get(settings::PortSlot), "");
    EXPECT_FALSE(application->Terminated());
}

void ExpectAvailability(app::TForm1 &main, bool linkUp) {
    const std::vector<std::pair<const char *, bool>> expected = {
        {"Activezlacommunicationsrie1", !linkUp},
        {"Communication1", !linkUp},
        {"Activerlacommunicationsrie1", !linkUp},
        {"Portdecommunicationsrie1", !linkUp},
        {"Optionsgraphiques1", linkUp},
        {"Optionsgraphiques2", linkUp},
        {"Etalonnagedelaboussole1", linkUp},
        {"Etalonnagede1", linkUp},
        {"CentrageduzroNORD1", linkUp},
        {"CentrageduzroNORD2", linkUp},
        {"Dclinaisonmagntique1", linkUp},
        {"Dclinaisonmagntique2", linkUp},
        {"Optionsmatrielles1", linkUp},
        {"Optionmatrielles1", linkUp},
        {"Optionslogicielles1", true},
        {"Optionslogicielles2", true},
        {"Optionspendule1", true},
        {"ypesdemenusdroulant1", true},
        {"Quittez1", true},
        {"Quitter1", true},
        {"Help1", true},
        {"Aide2", true},
        {"Aproposde1", true},
        {"Apropos1", true},
    };
    for (const auto &[name, enabled] : expected) {
        auto *item = [&]() -> platform::TMenuItem * {
            for (int i = 0; i < main.ComponentCount(); ++i)
                if (main.Components(i)->Name() == name)
                    return dynamic_cast<platform::TMenuItem *>(main.Components(i));
            return nullptr;
        }();
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->Enabled(), enabled) << name << (linkUp ? " link up" : " before link");
    }
    EXPECT_EQ(main.ToolButton1->Enabled(), !linkUp);
    EXPECT_EQ(main.ToolButton2->Enabled(), !linkUp);
    EXPECT_EQ(main.ToolButton3->Enabled(), linkUp);
    EXPECT_EQ(main.ToolButton4->Enabled(), linkUp);
    EXPECT_TRUE(main.ToolButton6->Enabled());
    EXPECT_EQ(main.ToolButton7->Enabled(), linkUp);
}

TEST_F(MainWindowTest, CommandsAvailableBeforeAndAfterTheLink) {
    Start();
    ExpectAvailability(Main(), false);
    EXPECT_TRUE(Main().Label5->isVisible());
    EXPECT_FALSE(Main().Label10->isVisible());
    Main().ToolButton1->Click();
    ExpectAvailability(Main(), true);
}

TEST_F(MainWindowTest, ZeroCentringWithADeclinationAsksToClearItFirst) {
    Start();
    LinkUp();
    Main().Settings().Set(settings::DeclinationSlot, "3");
    boxes.boxes.clear();
    boxes.answers = {true};
    Main().CentrageduzroNORD1->Click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].kind, "Warning");
    EXPECT_EQ(boxes.boxes[0].text,
              "                       Vous ne pouvez pas CENTRER LE ZERO\ncar le réglage de la "
              "déclinaison magnétique n'est pas positionné sur zéro.");
    EXPECT_EQ(boxes.boxes[1].kind, "Question");
    EXPECT_EQ(Main().Settings().Get(settings::DeclinationSlot), "0");
    EXPECT_EQ(application->ActiveForm()->windowTitle(), "Centrage du zéro (NORD)");

    Main().Settings().Set(settings::DeclinationSlot, "3");
    boxes.answers = {false};
    Main().CentrageduzroNORD1->Click();
    EXPECT_EQ(Main().Settings().Get(settings::DeclinationSlot), "3");
    EXPECT_EQ(application->ActiveForm()->windowTitle(), "Déclinaison magnétique");
}

TEST_F(MainWindowTest, TheCloseBoxQuitsBeforeTheLinkSendingNothing) {
    Start();
    EXPECT_TRUE(Main().close());
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(Written(), "");
}

TEST_F(MainWindowTest, LabelBalloonsFollowTheSwitchAndAlwaysHide) {
    Start();
    Main().ToolButton1->Click();
    auto enter = [&](QLabel *label) {
        QEvent event(QEvent::Enter);
        QCoreApplication::sendEvent(label, &event);
    };
    auto leave = [&](QLabel *label) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(label, &event);
    };
    auto showing = [&] {
        auto *window = Main().BalloonHint1->BalloonWindow();
        return window != nullptr && window->Showing();
    };

    Main().Settings().Set(settings::BalloonSlot, "ONINFO");
    enter(Main().Label8);
    ASSERT_TRUE(showing());
    // Two lines, split at "@", in the balloon's font.
    const QFontMetrics metrics(Main().BalloonHint1->Font().ToQFont());
    const int widest = std::max(
        metrics.horizontalAdvance(QStringLiteral("C'est l'angle décrit par l'aiguille rouge")),
        metrics.horizontalAdvance(QStringLiteral(" orientée toujours vers le NORD...")));
    EXPECT_EQ(Main().BalloonHint1->BalloonWindow()->size(),
              QSize(widest + 23, 2 * metrics.height() + 20));
    EXPECT_EQ(Main().BalloonHint1->Color(), platform::RGB(255, 255, 0));
    EXPECT_EQ(Main().BalloonHint1->Font().Size(), 10);
    leave(Main().Label8);
    EXPECT_FALSE(showing());

    enter(Main().Label10);
    Main().Settings().Set(settings::BalloonSlot, "OFFINFO");
    leave(Main().Label10); // leaving hides whatever the switch says
    EXPECT_FALSE(showing());
    enter(Main().Label9);
    EXPECT_FALSE(showing());
}

// The right-hand labels keep their right edge where it is as their texts change: a balloon
// goes as soon as its label no longer lies under the cursor, without waiting for the mouse.
TEST_F(MainWindowTest, ABalloonGoesWithItsLabelFromUnderTheStillCursor) {
    // The raw values whose needle direction has the longest and the shortest name.
    int longest = 0, shortest = 0;
    const auto name = [](int raw) { return app::DirectionName(compass::RawToDegrees(raw) + 180); };
    for (int raw = 0; raw <= compass::kMaxRawReading; ++raw) {
        longest = name(raw).size() > name(longest).size() ? raw : longest;
        shortest = name(raw).size() < name(shortest).size() ? raw : shortest;
    }
    Start();
    LinkUp();
    const auto reading = [&](int raw) {
        Module().SetCourse(sim::FixedCourse(raw));
        const int expected = compass::RawToDegrees(raw);
        for (int period = 0; period < 4 && Main().LastRawAngle() != expected; ++period) {
            const int delivered = time.RxDeliveries();
            time.Advance(moduleOptions.readingPeriod);
            ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
        }
        ASSERT_EQ(Main().LastRawAngle(), expected);
    };
    const auto showing = [&] {
        auto *window = Main().BalloonHint1->BalloonWindow();
        return window != nullptr && window->Showing();
    };
    const struct {
        const char *name;
        bool nearLeftEnd; // where on the label the cursor rests
        const char *directions;
        bool stays;
    } cases[] = {
        {"the label's left end moves away", true, "ONORIENT", false},
        {"the label's right end stays", false, "ONORIENT", true},
        {"the label is hidden", false, "OFFORIENT", false},
    };
    // The cursor goes back where it was: left over a label, it would show balloons to the
    // tests that follow in this program.
    struct CursorBack {
        QPoint at = QCursor::pos();
        ~CursorBack() { QCursor::setPos(at); }
    } cursorBack;
    for (const auto &c : cases) {
        Main().Settings().Set(settings::DirectionDisplaySlot, "ONORIENT");
        reading(longest);
        QLabel *label = Main().Label7;
        ASSERT_TRUE(label->isVisible());
        const int x = c.nearLeftEnd ? 2 : label->width() - 2;
        QCursor::setPos(label->mapToGlobal(QPoint(x, label->height() / 2)));
        Main().Settings().Set(settings::BalloonSlot, "ONINFO");
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(label, &enter);
        ASSERT_TRUE(showing()) << c.name;
        // No new balloon from here on: the offscreen window system answers each hidden
        // window with an enter into the window under the cursor, again and again.
        Main().Settings().Set(settings::BalloonSlot, "OFFINFO");

        Main().Settings().Set(settings::DirectionDisplaySlot, c.directions);
        reading(shortest);
        EXPECT_EQ(showing(), c.stays) << c.name;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(label, &leave);
    }
}

TEST_F(MainWindowTest, HelpAsksForTheMainTopic) {
    Start();
    Main().Help1->Click();
    Main().Aide2->Click();
    EXPECT_EQ(help.topics, (QStringList{"som", "som"}));
}

TEST_F(MainWindowTest, SoundsPlayOnlyWithTheExactKeyword) {
    Start();
    Main().Settings().Set(settings::SoundSlot, "onson");
    Main().PlayEffect("applaud.wav");
    Main().Settings().Set(settings::SoundSlot, "ONSON");
    Main().PlayEffect("canopen.wav");
    EXPECT_EQ(player.played, QStringList{"canopen.wav"});
}

} // namespace
} // namespace apptest
