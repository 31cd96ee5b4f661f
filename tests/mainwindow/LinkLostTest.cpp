// The module's device going away while the program runs: the link falls back to its
// state before the link start, a wait for the module ends, and the link starts again once
// the device is back.
#include "AppTestSupport.h"

#include "base/sync.h"
#include "compass/Angles.h"
#include "dialogs/Unit6.h"
#include "link/CalibrationPhases.h"
#include "mainwindow/PictureBox.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <vector>

namespace apptest {
namespace {

class LinkLostTest : public ProgramFixture {
protected:
    // Pulls the module's plug and serves the port's report of it at once, so the program
    // has heard of it before anything else happens (a tick, in the middle of a wait).
    void Unplug() {
        Module().Unplug();
        ASSERT_TRUE(ModuleCatchesUp([&] {
            platform::SyncQueue::Instance().RunPending();
            return !Main().SerialPort1->Connected();
        }));
    }
    // The module turns round and sends a reading at a time (readings that reach the program
    // together make one chunk that is no reading) until the program has taken one.
    void TurnModule(int raw) {
        Module().SetCourse(sim::FixedCourse(raw));
        const int angle = compass::RawToDegrees(raw);
        for (int period = 0; period < 4 && Main().Heading().LastRawAngle() != angle; ++period) {
            const int delivered = time.RxDeliveries();
            time.Advance(moduleOptions.readingPeriod);
            ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
        }
    }
    // The commands of the link, and whether each is on: all as before the link start.
    void ExpectCommandsAsBeforeTheLink() {
        app::TForm1 &m = Main();
        const std::pair<bool, bool> commands[] = {
            {m.Activezlacommunicationsrie1->Enabled(), true},
            {m.Activerlacommunicationsrie1->Enabled(), true},
            {m.ToolButton1->Enabled(), true},
            {m.Communication1->Enabled(), true},
            {m.ToolButton2->Enabled(), true},
            {m.Optionslogicielles1->Enabled(), true},
            {m.Etalonnagedelaboussole1->Enabled(), false},
            {m.Etalonnagede1->Enabled(), false},
            {m.CentrageduzroNORD2->Enabled(), false},
            {m.Dclinaisonmagntique1->Enabled(), false},
            {m.Optionsmatrielles1->Enabled(), false},
            {m.Optionsgraphiques2->Enabled(), false},
            {m.ToolButton3->Enabled(), false},
            {m.ToolButton7->Enabled(), false},
        };
        for (std::size_t i = 0; i < std::size(commands); ++i)
            EXPECT_EQ(commands[i].first, commands[i].second) << "command " << i;
    }
};

// With the warning box (its closing reopens the port) and without it (the link start
// opens the port itself).
class LinkLostAndBack : public LinkLostTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(LinkLostAndBack, TheLinkFallsBackAndStartsAgainOnceTheModuleIsBack) {
    Start();
    Main().Settings().Set(settings::ConnectWarningSlot, GetParam());
    LinkUp();
    time.Advance(moduleOptions.readingPeriod);
    ASSERT_TRUE(PumpUntil([&] { return Main().Heading().LastRawAngle() != 0; }));
    player.played.clear();

    Unplug();
    EXPECT_FALSE(Main().LinkUp());
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation),
              "Communication perdue avec la boussole...");
    EXPECT_EQ(player.played, QStringList{"error.wav"});
    ExpectCommandsAsBeforeTheLink();
    EXPECT_TRUE(Main().Label5->isVisible());
    EXPECT_FALSE(Main().Label10->isVisible());
    EXPECT_TRUE(Main().Image1->Picture() == QImage(InstallFile("cercle5.bmp"))) << "no needle";

    Module().Replug();
    const std::string sent = Written();
    LinkUp();
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Communication établie...");
    EXPECT_EQ(Written(), sent + "!0A+0B+0C&");
    const int before = Main().Heading().LastRawAngle();
    TurnModule(before < 180 ? 192 : 64);
    EXPECT_NE(Main().Heading().LastRawAngle(), before) << "the needle turns again";
}
INSTANTIATE_TEST_SUITE_P(Warning, LinkLostAndBack, ::testing::Values("ONAVERTI", "OFFAVERTI"));

// Lost in the transfer's handshake (timer 1), or in its first pause (timer 2).
class LinkLostInExchange : public LinkLostTest, public ::testing::WithParamInterface<int> {};

TEST_P(LinkLostInExchange, TheLossEndsTheWaitAndQuittingThenSendsNothing) {
    Start();
    LinkUp();
    const std::size_t ticksBefore = time.ticks.size();
    const int timer = GetParam();
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &tick) {
        if (tick.timer == timer && !Module().Line().Unplugged())
            Unplug();
    };
    boxes.boxes.clear();
    LeaveParameterDialog();
    ASSERT_TRUE(PumpUntil([&] { return !Main().ExchangeRunning(); }));

    // Three ticks of the handshake, then the pause's; none after the loss.
    EXPECT_EQ(time.ticks.size(), ticksBefore + (timer == 1 ? 1 : 4));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(application->Terminated());
    EXPECT_FALSE(Main().ProgressBar1->isVisible());
    EXPECT_FALSE(static_cast<QWidget *>(forms->Form6())->isVisible());
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation),
              "Communication perdue avec la boussole...");
    EXPECT_EQ(Written(), "!0A+0B+0C&") << "nothing more was sent";

    Main().Quittez1->Click();
    EXPECT_TRUE(application->Terminated());
    EXPECT_TRUE(boxes.boxes.empty()) << "no hand-over, no notice";
}
INSTANTIATE_TEST_SUITE_P(Timer, LinkLostInExchange, ::testing::Values(1, 2));

// Lost during a calibration phase's exchange: the module did not get the phase's command,
// so the phase waits again rather than the next one showing; it goes on once the link is
// started again.
TEST_F(LinkLostTest, APhaseCutByTheLossWaitsAgain) {
    Start();
    LinkUp();
    boxes.answers = {true};
    Main().Etalonnagedelaboussole1->Click();
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &) {
        if (!Module().Line().Unplugged())
            Unplug();
    };
    Main().BitBtn1->click();
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation),
              "Communication perdue avec la boussole...");
    EXPECT_TRUE(Main().BitBtn1->isVisible() && Main().Label2->isVisible());
    EXPECT_FALSE(Main().BitBtn2->isVisible());

    time.beforeTick = nullptr;
    Module().Replug();
    LinkUp();
    Main().BitBtn1->click();
    EXPECT_TRUE(PumpUntil([&] { return Main().BitBtn2->isVisible(); }));
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().CalibrationCount() == 1; }));
}

// The link started again by hand in the middle of a calibration: while its handshake waits
// for the module, the phase's button starts no second exchange, and the link comes up.
TEST_F(LinkLostTest, APhaseButtonStartsNoExchangeWhileTheLinkStartWaits) {
    Start();
    LinkUp();
    boxes.answers = {true};
    Main().Etalonnagedelaboussole1->Click();
    Unplug();
    Module().Replug();
    std::optional<bool> buttonOn; // at the handshake's first tick
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &) {
        if (buttonOn || !Main().ExchangeRunning())
            return;
        buttonOn = Main().BitBtn1->isVisible() && Main().BitBtn1->isEnabled();
        Main().BitBtn1->click(); // at once, as a user does
    };
    // A second handshake would take the first one's answer and leave it waiting for ever:
    // the program ends there, so that the test reports it.
    wire.onEvent = [&](WireLog::Event event, const std::string &) {
        if (event == WireLog::Event::RtsUp && wire.RtsRisesWhileUp() > 0)
            application->Terminate();
    };
    Main().Activezlacommunicationsrie1->Click();

    EXPECT_FALSE(time.Stuck());
    EXPECT_FALSE(application->Terminated());
    EXPECT_EQ(buttonOn, false);
    EXPECT_EQ(wire.RtsRisesWhileUp(), 0) << "a second handshake before the first one's answer";
    EXPECT_TRUE(Main().LinkUp());
    EXPECT_EQ(Module().CalibrationCount(), 0);

    time.beforeTick = nullptr;
    Main().BitBtn1->click(); // the phase, now that the link is up
    EXPECT_TRUE(Main().BitBtn2->isVisible());
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().CalibrationCount() == 1; }));
}

// The link started again during a calibration switches on none of the commands the
// calibration switched off, so the module gets its four "E&" and nothing between them.
TEST_F(LinkLostTest, ALinkStartDuringACalibrationLeavesItsCommandsOff) {
    Start();
    LinkUp();
    boxes.answers = {true};
    Main().Etalonnagedelaboussole1->Click();
    const std::string beforeCalibration = Written();
    Unplug();
    Module().Replug();
    Main().ToolButton1->Click();
    ASSERT_TRUE(Main().LinkUp());

    app::TForm1 &m = Main();
    platform::TActionComponent *const calibrationOff[] = {
        m.Optionspendule1,      m.Optionsgraphiques1,   m.Etalonnagedelaboussole1,
        m.CentrageduzroNORD1,   m.Dclinaisonmagntique1, m.Optionslogicielles1,
        m.Optionsmatrielles1,   m.ToolButton3,          m.ToolButton4,
        m.ToolButton6,          m.ToolButton7,          m.ypesdemenusdroulant1,
        m.Optionsgraphiques2,   m.Etalonnagede1,        m.CentrageduzroNORD2,
        m.Dclinaisonmagntique2, m.Optionslogicielles2,  m.Optionmatrielles1};
    for (platform::TActionComponent *command : calibrationOff) {
        EXPECT_FALSE(command->Enabled()) << command->Name();
        command->Click();
        // A dialog it opened is left as a user leaves it.
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window != &m && window->isVisible())
                for (QPushButton *button : window->findChildren<QPushButton *>())
                    if (button->text() == "&OK" || button->text() == "&Sortir") {
                        button->click();
                        break;
                    }
    }
    for (QPushButton *phase : {m.BitBtn1, m.BitBtn2, m.BitBtn3, m.BitBtn4})
        phase->click();
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "");
    EXPECT_EQ(Written(), beforeCalibration + "E&E&E&E&");
}

class LinkComesBack : public LinkLostTest {
protected:
    // The link up, then its device pulled and put back.
    void LoseTheLink() {
        Start();
        LinkUp();
        Unplug();
        Module().Replug();
        boxes.boxes.clear();
        player.played.clear();
    }
    void DeviceReturns() {
        // Every restart opens the port once, whatever follows.
        const int opens = openAttempts;
        Main().DeviceReturned();
        ASSERT_TRUE(PumpUntil([&] {
            return openAttempts > opens && Main().State().link != app::LinkStage::Starting;
        }));
        EXPECT_FALSE(Main().ExchangeRunning());
    }
    QString Status() { return Main().StatusText(app::StatusPanel::Operation); }
};

TEST_F(LinkComesBack, WithItsDeviceWithoutABoxAndTheNeedleTurnsAgain) {
    Start();
    Main().DeviceReturned(); // before any link: nothing to start again
    ASSERT_TRUE(PumpUntil([&] { return true; }));
    EXPECT_EQ(wire.RtsRises(), 0);
    LinkUp();
    Unplug();
    Module().Replug();
    boxes.boxes.clear();
    const std::string sent = Written();
    std::vector<app::LinkState> states;
    QObject::connect(&Main(), &app::TForm1::LinkStateChanged, &Main(),
                     [&](const app::LinkState &state) { states.push_back(state); });

    DeviceReturns();
    using S = app::LinkStage;
    using E = app::Exchange;
    const std::vector<app::LinkState> expected = {{S::Starting, E::None, 0},
                                                  {S::Starting, E::LinkStart, 0},
                                                  {S::Starting, E::None, 0},
                                                  {S::Up, E::None, 0}};
    EXPECT_EQ(states, expected);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(Status(), "Communication rétablie...");
    EXPECT_EQ(Written(), sent + "!0A+0B+0C&");
    EXPECT_TRUE(Main().ToolButton7->Enabled() && !Main().ToolButton1->Enabled());
    EXPECT_TRUE(Main().Label10->isVisible() && !Main().Label5->isVisible());
    TurnModule(100);
    EXPECT_EQ(Main().LastRawAngle(), compass::RawToDegrees(100)) << "the needle turns again";
}

TEST_F(LinkComesBack, ACalibrationUnderWayShowsItsPhaseAgainAndGoesOn) {
    Start();
    LinkUp();
    boxes.answers = {true};
    Main().Etalonnagedelaboussole1->Click();
    Main().BitBtn1->click();
    const std::string before = Written();
    Unplug();
    EXPECT_TRUE(Main().BitBtn2->isVisible());
    EXPECT_FALSE(Main().BitBtn2->isEnabled()) << "no phase without the link";
    // Switched off, its digit is drawn grayed out, not in the phase's colour.
    const QColor digit = app::CalibrationPhases()[1].colour;
    const QPalette::ColorRole text = QPalette::ButtonText;
    EXPECT_NE(Main().BitBtn2->palette().color(QPalette::Disabled, text), digit);
    Module().Replug();

    DeviceReturns();
    EXPECT_EQ(Status(), "Communication rétablie...");
    EXPECT_TRUE(Main().BitBtn2->isVisible() && Main().BitBtn2->isEnabled());
    EXPECT_EQ(Main().BitBtn2->palette().color(QPalette::Active, text), digit);
    EXPECT_FALSE(Main().ToolButton7->Enabled() || Main().Optionsmatrielles1->Enabled());
    for (QPushButton *phase : {Main().BitBtn2, Main().BitBtn3, Main().BitBtn4})
        phase->click();
    EXPECT_EQ(boxes.boxes.back().text, "                             Félicitations !!!\n"
                                       "La procédure d'étalonnage en quatre phases est terminée.");
    EXPECT_EQ(Written(), before + "E&E&E&");
    EXPECT_TRUE(Main().ToolButton7->Enabled());
}

// A return that does not bring the link back is said once in the status bar; nothing is
// tried again until the device's next return.
struct FailedReturn {
    const char *name;
    void (*fault)(sim::SimulatedCompass &);
    void (*mend)(sim::SimulatedCompass &);
    int ticks; // of the handshake
};
void PrintTo(const FailedReturn &c, std::ostream *out) { *out << c.name; }

class LinkDoesNotComeBack : public LinkComesBack,
                            public ::testing::WithParamInterface<FailedReturn> {};

TEST_P(LinkDoesNotComeBack, TheFailureIsSaidOnceAndTheNextReturnTriesAgain) {
    LoseTheLink();
    GetParam().fault(Module());
    const std::size_t ticks = time.ticks.size();
    const int opens = openAttempts;
    const int rises = wire.RtsRises();

    DeviceReturns();
    EXPECT_EQ(Status(), "Communication non rétablie...");
    EXPECT_EQ(Main().State().link, app::LinkStage::Lost);
    EXPECT_FALSE(application->Terminated());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(time.ticks.size() - ticks, std::size_t(GetParam().ticks));
    EXPECT_FALSE(Main().SerialPort1->Connected());
    EXPECT_FALSE(Main().ProgressBar1->isVisible());
    // Left alone, it tries nothing more.
    time.Advance(std::chrono::seconds(30));
    ASSERT_TRUE(PumpUntil([&] { return !Main().SerialPort1->Connected(); }));
    EXPECT_EQ(openAttempts, opens + 1);
    EXPECT_EQ(wire.RtsRises(), rises + (GetParam().ticks ? 1 : 0));

    GetParam().mend(Module());
    DeviceReturns();
    EXPECT_EQ(Status(), "Communication rétablie...");
    EXPECT_TRUE(Main().LinkUp());
}
INSTANTIATE_TEST_SUITE_P(
    Faults, LinkDoesNotComeBack,
    ::testing::Values(FailedReturn{"SilentModule", [](auto &m) { m.SetSilent(true); },
                                   [](auto &m) { m.SetSilent(false); }, 5},
                      FailedReturn{"DeviceStillMissing", [](auto &m) { m.Unplug(); },
                                   [](auto &m) { m.Replug(); }, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LinkComesBack, NotInsideABox) {
    LoseTheLink();
    bool restartedInsideTheBox = false;
    boxes.whileShown = [&] {
        Main().DeviceReturned();
        // The box's own event loop: whatever was posted before this runs here.
        bool handled = false;
        QTimer::singleShot(0, [&] { handled = true; });
        PumpUntil([&] { return handled; });
        restartedInsideTheBox = Main().State().link != app::LinkStage::Lost;
    };
    platform::MessageBoxes::Information("Une boîte");
    EXPECT_FALSE(restartedInsideTheBox);
    EXPECT_TRUE(PumpUntil([&] { return Main().LinkUp(); }));
}

} // namespace
} // namespace apptest
