// The link to the module, end to end against the simulated module: the handshake and its
// time-out, the exchanges in their order, the hand-over on quit and what reached the wire.
#include "AppTestSupport.h"

#include "app/PictureBox.h"
#include "dialogs/Unit6.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <cstdio>

namespace apptest {
namespace {

using namespace std::chrono_literals;

class LinkTest : public ProgramFixture {};

TEST_F(LinkTest, StartLinkHandshakesShowsTheBoxesAndSendsTheParameters) {
    Start();
    // The module answers 3.5 ticks after RTS rose: three progress steps before DSR.
    Main().ToolButton1->Click();

    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].kind, "Information");
    EXPECT_EQ(boxes.boxes[0].text,
              "Assurez-vous d'avoir connecté le cordon RS232 entre le PC et la boussole,\n"
              "           puis mettez la boussole sous tension et cliquez sur OK.");
    EXPECT_EQ(boxes.boxes[1].text, "     Félicitations !!!\nCommunication établie.");
    EXPECT_EQ(Main().ProgressBar1->value(), 3);
    EXPECT_FALSE(Main().ProgressBar1->isVisible());
    EXPECT_TRUE(Main().LinkUp());
    EXPECT_EQ(Main().StatusText(0), "Communication établie...");
    EXPECT_EQ(player.played, QStringList{"applaud.wav"});

    // The shipped settings: option byte "0", centring "+" "0", declination "+" "0".
    ASSERT_TRUE(PumpUntil([&] { return Module().LastParameters().has_value(); }));
    EXPECT_EQ(Module().Received(), "!0A+0B+0C&");
    EXPECT_FALSE(Main().Label5->isVisible());
    EXPECT_TRUE(Main().Label7->isVisible());

    // Readings now turn the needle.
    ASSERT_TRUE(PumpUntil([&] { return Main().Heading().LastRawAngle() != 0; }));
    EXPECT_EQ(Main().StatusText(1), " DM: 0°");
    EXPECT_TRUE(Main().Label10->text().startsWith("Votre CAP: "));
}

TEST_F(LinkTest, SilentModuleTimesOutAtTheFifthTickAndEndsTheProgramSendingNothing) {
    Start();
    Module().SetSilent(true);
    int ticksAtWarning = -1;
    boxes.whileShown = [&] {
        if (boxes.boxes.back().kind == "Warning")
            ticksAtWarning = Main().ProgressBar1->value();
    };
    Main().ToolButton1->Click();

    EXPECT_TRUE(application->Terminated());
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].kind, "Warning");
    EXPECT_EQ(boxes.boxes[1].text, "Communication avec la boussole échouée !\n"
                                   "          Le programme va s'arrêter.\n"
                                   "   Vérifiez l'ensemble de vos connexions.");
    EXPECT_EQ(ticksAtWarning, 5);
    EXPECT_EQ(player.played, QStringList{"error.wav"});
    EXPECT_EQ(Main().StatusText(0), "Communication échouée...");
    EXPECT_FALSE(Main().LinkUp());
    EXPECT_EQ(Written(), "");
}

TEST_F(LinkTest, BytesBeforeTheLinkAreNotRead) {
    Start();
    ASSERT_TRUE(PumpUntil([&] { return Module().ReadingsSent() >= 3; }));
    EXPECT_EQ(Main().Heading().LastRawAngle(), 0);
    EXPECT_TRUE(Main().Image1->Picture().pixelColor(156, 156) != QColor(255, 0, 0));
}

// What the user sees and what the module gets, sampled as it changes.
struct Step {
    QString status;
    bool waitBoxShown;
    std::string wire;
    friend bool operator==(const Step &, const Step &) = default;
    friend void PrintTo(const Step &step, std::ostream *out) {
        *out << "{\"" << step.status.toStdString() << "\", " << step.waitBoxShown << ", \""
             << step.wire << "\"}";
    }
};

class ExchangeRecorder {
public:
    ExchangeRecorder(app::TForm1 &main, QWidget *waitBox, const WireLog &wire)
        : main_(main), waitBox_(waitBox), wire_(wire) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Sample(); });
        timer_.start(1);
        Sample();
    }
    void Sample() {
        Step step{main_.StatusText(0), waitBox_->isVisible(), wire_.Text()};
        if (steps.empty() || !(steps.back() == step))
            steps.push_back(step);
    }
    std::vector<Step> steps;

private:
    app::TForm1 &main_;
    QWidget *waitBox_;
    const WireLog &wire_;
    QTimer timer_;
};

TEST_F(LinkTest, ParameterTransferRunsInItsOrderAfterAParameterDialog) {
    Start();
    Main().ToolButton1->Click();
    ASSERT_TRUE(PumpUntil([&] { return Module().LastParameters().has_value(); }));
    Main().Settings().Set(app::HardwareOptionsSlot, "33");
    Main().Settings().Set(app::CentringSignSlot, "-");
    Main().Settings().Set(app::CentringSlot, "4");
    Main().Settings().Set(app::DeclinationSignSlot, "+");
    Main().Settings().Set(app::DeclinationSlot, "2");

    ExchangeRecorder recorder(Main(), forms->Form6(), wire);
    // What a parameter dialog does: mark the change, hide the main window, show it again.
    Main().SetParametersChanged(1);
    Main().HideMainWindow();
    Main().ShowMainWindow();
    recorder.Sample();

    const std::string before = "!0A+0B+0C&";
    const std::string after = before + "!33A-4B+2C&";
    // Steps that follow each other without a wait in between (the write and the closing
    // text; the cleared text and the hidden box) show as one.
    const std::vector<Step> expected = {
        {"Communication établie...", false, before},
        {"Transfert des paramètres...", false, before}, // the handshake
        {"Transfert des paramètres...", true, before},  // the first pause
        {"Transfert effectué...", true, after},         // the second pause
        {"", false, after},
    };
    if (recorder.steps.size() != expected.size())
        for (const Step &step : recorder.steps)
            std::printf("step: %s %d %s\n", step.status.toUtf8().constData(), step.waitBoxShown,
                        step.wire.c_str());
    ASSERT_EQ(recorder.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(recorder.steps[i].status, expected[i].status) << i;
        EXPECT_EQ(recorder.steps[i].waitBoxShown, expected[i].waitBoxShown) << i;
        EXPECT_EQ(recorder.steps[i].wire, expected[i].wire) << i;
    }
    EXPECT_EQ(Main().ParametersChanged(), 0);
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().LastParameters()->text == "!33A-4B+2C&"; }));
    // The activation saved the slots before the transfer.
    EXPECT_TRUE(SettingsFile().contains("\r\n33\r\n"));
}

TEST_F(LinkTest, ParameterMessageWithAForbiddenFieldIsNeverSent) {
    Start();
    Main().ToolButton1->Click();
    ASSERT_TRUE(PumpUntil([&] { return Module().LastParameters().has_value(); }));
    const auto sent = Written();
    Main().Settings().Set(app::DeclinationSlot, "2C&E");
    boxes.boxes.clear();

    Main().SetParametersChanged(1);
    Main().HideMainWindow();
    Main().ShowMainWindow();

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_TRUE(boxes.boxes[0].text.contains("ligne 9")) << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(boxes.boxes[0].text.contains("2C&E"));
    // No handshake, nothing shown or waiting, nothing more on the wire.
    EXPECT_EQ(Main().StatusText(0), "Communication établie...");
    EXPECT_FALSE(Main().ProgressBar1->isVisible());
    EXPECT_FALSE(static_cast<QWidget *>(forms->Form6())->isVisible());
    EXPECT_FALSE(Main().ExchangeRunning());
    PumpUntil([] { return false; }, 5 * tick);
    EXPECT_EQ(Written(), sent);
}

TEST_F(LinkTest, QuitWithTheLinkUpHandsTheModuleOverAndShowsTheNotice) {
    Start();
    Main().ToolButton1->Click();
    ASSERT_TRUE(PumpUntil([&] { return Module().LastParameters().has_value(); }));
    boxes.boxes.clear();
    ExchangeRecorder recorder(Main(), forms->Form6(), wire);

    Main().Quittez1->Click();
    recorder.Sample();

    EXPECT_TRUE(application->Terminated());
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().Standalone(); }));
    const std::string before = "!0A+0B+0C&";
    const std::string after = before + "?&";
    const std::vector<Step> expected = {
        {"Communication établie...", false, before},
        {"Le programme va s'arrêter...", false, before}, // the handshake
        {"Le programme va s'arrêter...", true, before},  // the first pause
        {"Boussole autonome...", true, after},           // the second pause
        {"Boussole autonome...", false, after},          // the notice, then the end
    };
    EXPECT_EQ(recorder.steps, expected);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              "La boussole est désormais configurée pour un fonctionnement autonome.\n"
              "                Le programme va s'arrêter. Cliquez sur OK...");
}

TEST_F(LinkTest, QuitWithoutNoticeAndQuitBeforeTheLinkSendNothingMore) {
    WriteSettings({"1", "Moyenne", "ROSEON", "Moyenne", "CERCLEON", "ANCIEN", "10", "+", "0", "+",
                   "0", "OFFAVERTI", "OFFAVERTI2"});
    Start();
    Main().Quittez1->Click();
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(Written(), "");
    EXPECT_EQ(Main().StatusText(0), "");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LinkTest, QuitEndsTheProgramEvenWhenTheModuleIsGone) {
    Start();
    Main().ToolButton1->Click();
    ASSERT_TRUE(PumpUntil([&] { return Module().LastParameters().has_value(); }));
    Module().Unplug();
    boxes.boxes.clear();

    Main().Quittez1->Click();

    EXPECT_TRUE(application->Terminated());
    ASSERT_EQ(boxes.boxes.size(), 1u); // the failure, and no stand-alone notice
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_EQ(boxes.boxes[0].text, "EscapeCommFunction function failed (win error code: 5)");
    EXPECT_EQ(Written(), "!0A+0B+0C&");
}

TEST_F(LinkTest, QuitDuringAnExchangeWaitsForItsEndThenRuns) {
    Start();
    Main().ToolButton1->Click();
    ASSERT_TRUE(PumpUntil([&] { return Module().LastParameters().has_value(); }));
    bool commandsOffDuringExchange = false;
    // Click "Quitter" while the transfer waits for the module.
    QTimer::singleShot(tick.count(), [&] {
        commandsOffDuringExchange =
            Main().ExchangeRunning() && !Main().Optionsmatrielles1->Enabled() &&
            !Main().ToolButton4->Enabled() && Main().Optionslogicielles1->Enabled();
        Main().Quittez1->Click();
    });
    Main().SetParametersChanged(1);
    Main().HideMainWindow();
    Main().ShowMainWindow();
    EXPECT_TRUE(commandsOffDuringExchange);
    EXPECT_FALSE(application->Terminated());
    // The held quit runs once the transfer is over: hand-over, then the end.
    ASSERT_TRUE(PumpUntil([&] { return application->Terminated(); }));
    EXPECT_EQ(Written(), "!0A+0B+0C&!0A+0B+0C&?&");
}

} // namespace
} // namespace apptest
