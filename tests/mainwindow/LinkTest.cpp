// The link to the module, end to end against the simulated module in stepped time: the
// handshake and its time-out tick by tick, the exchanges in their order, the hand-over on
// quit and what reached the wire.
#include "AppTestSupport.h"

#include "dialogs/Unit6.h"
#include "mainwindow/PictureBox.h"

#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace apptest {
namespace {

using namespace std::chrono_literals;

// What the user sees and what the module got, just before a tick of the link's timers.
struct Step {
    int timer;    // 1: handshake, 2: pause; 0: after the exchange
    int progress; // the progress bar, when it shows; -1 when hidden
    QString status;
    bool waitBox;
    std::string wire;
    friend bool operator==(const Step &, const Step &) = default;
    friend void PrintTo(const Step &s, std::ostream *out) {
        *out << "{" << s.timer << ", " << s.progress << ", \"" << s.status.toStdString() << "\", "
             << s.waitBox << ", \"" << s.wire << "\"}";
    }
};

class LinkTest : public ProgramFixture {
protected:
    Step Sample(int timer) {
        QProgressBar *bar = Main().ProgressBar1;
        return {timer, bar->isVisible() ? bar->value() : -1,
                Main().StatusText(app::StatusPanel::Operation),
                static_cast<QWidget *>(forms->Form6())->isVisible(), Written()};
    }
    // Samples before every tick from now on.
    void Record() {
        time.beforeTick = [this](const testsupport::SteppedTime::Tick &tick) {
            steps.push_back(Sample(tick.timer));
        };
    }
    std::vector<Step> steps;
};

TEST_F(LinkTest, StartLinkHandshakesTickByTickThenShowsTheBoxesAndSendsTheParameters) {
    Start();
    Record();
    // The module answers 3.5 s after RTS rose: three ticks of the progress bar first.
    Main().ToolButton1->Click();

    const std::vector<Step> expected = {
        {1, 0, "Communication PC & boussole en cours...", false, ""},
        {1, 1, "Communication PC & boussole en cours...", false, ""},
        {1, 2, "Communication PC & boussole en cours...", false, ""},
    };
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(time.Now(), 3500ms);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].kind, "Information");
    EXPECT_EQ(boxes.boxes[0].text,
              "Assurez-vous d'avoir connecté le cordon RS232 entre le PC et la boussole,\n"
              "           puis mettez la boussole sous tension et cliquez sur OK.");
    EXPECT_EQ(boxes.boxes[1].text, "     Félicitations !!!\nCommunication établie.");
    EXPECT_EQ(Main().ProgressBar1->value(), 3);
    EXPECT_FALSE(Main().ProgressBar1->isVisible());
    EXPECT_TRUE(Main().LinkUp());
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Communication établie...");
    EXPECT_EQ(player.played, QStringList{"applaud.wav"});
    // The shipped settings: option byte "0", centring "+" "0", declination "+" "0".
    EXPECT_EQ(Written(), "!0A+0B+0C&");
    EXPECT_FALSE(Main().Label5->isVisible());
    EXPECT_TRUE(Main().Label7->isVisible());

    // Readings now turn the needle.
    time.Advance(moduleOptions.readingPeriod);
    ASSERT_TRUE(PumpUntil([&] { return Main().Heading().LastRawAngle() != 0; }));
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Declination), " DM: 0°");
    EXPECT_TRUE(Main().Label10->text().startsWith("Votre CAP: "));
}

// The first readings show while the box that says the link is up is still open: the author
// notice, hidden only once that box is closed, must not be drawn through one of them.
TEST_F(LinkTest, TheAuthorNoticeIsNeverUnderAReadingShown) {
    Start();
    bool readingShown = false;
    QStringList under;
    boxes.whileShown = [&] {
        if (!boxes.boxes.back().text.endsWith("Communication établie."))
            return;
        time.Advance(moduleOptions.readingPeriod);
        readingShown = PumpUntil([&] { return Main().Label8->isVisible(); });
        for (QLabel *label : {Main().Label7, Main().Label8, Main().Label9, Main().Label10})
            if (label->isVisible() && Main().Label5->isVisible() &&
                label->geometry().intersects(Main().Label5->geometry()))
                under << label->text();
    };
    Main().ToolButton1->Click();
    EXPECT_TRUE(readingShown);
    EXPECT_EQ(under.join(" | ").toStdString(), "");
    EXPECT_FALSE(Main().Label5->isVisible());
}

TEST_F(LinkTest, SilentModuleTimesOutAtTheFifthTickAndEndsTheProgramSendingNothing) {
    Start();
    Module().SetSilent(true);
    int progressAtWarning = -1;
    boxes.whileShown = [&] {
        if (boxes.boxes.back().kind == "Warning")
            progressAtWarning = Main().ProgressBar1->value();
    };
    Main().ToolButton1->Click();

    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(time.ticks.size(), 5u);
    EXPECT_EQ(time.Now(), 5000ms);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].kind, "Warning");
    EXPECT_EQ(boxes.boxes[1].text, "Communication avec la boussole échouée !\n"
                                   "          Le programme va s'arrêter.\n"
                                   "   Vérifiez l'ensemble de vos connexions.");
    EXPECT_EQ(progressAtWarning, 5);
    EXPECT_EQ(player.played, QStringList{"error.wav"});
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Communication échouée...");
    EXPECT_FALSE(Main().LinkUp());
    EXPECT_EQ(Written(), "");
}

TEST_F(LinkTest, BytesBeforeTheLinkAreNotRead) {
    Start();
    const QImage dial = Main().Image1->Picture();
    time.Advance(3 * moduleOptions.readingPeriod);
    // The main window was told of them.
    ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > 0; }));
    EXPECT_EQ(Main().Heading().LastRawAngle(), 0);
    // Not a pixel of a needle: the dial is the one shown at start.
    EXPECT_TRUE(Main().Image1->Picture() == dial);
}

TEST_F(LinkTest, ParameterTransferRunsInItsOrderAfterAParameterDialog) {
    Start();
    LinkUp();
    settings::SettingsStore &store = Main().Settings();
    store.Set(settings::HardwareOptionsSlot, "33");
    store.Set(settings::CentringSignSlot, "-");
    store.Set(settings::CentringSlot, "4");
    store.Set(settings::DeclinationSignSlot, "+");
    store.Set(settings::DeclinationSlot, "2");
    QByteArray fileDuringHandshake;
    Record();
    time.beforeTick = [&, record = time.beforeTick](const testsupport::SteppedTime::Tick &t) {
        if (t.timer == 1 && fileDuringHandshake.isEmpty())
            fileDuringHandshake = SettingsFile();
        record(t);
    };

    LeaveParameterDialog();
    steps.push_back(Sample(0));

    const std::string before = "!0A+0B+0C&";
    const std::string after = before + "!33A-4B+2C&";
    const std::vector<Step> expected = {
        {1, 0, "Transfert des paramètres...", false, before},
        {1, 1, "Transfert des paramètres...", false, before},
        {1, 2, "Transfert des paramètres...", false, before},
        {2, -1, "Transfert des paramètres...", true, before}, // the first pause
        {2, -1, "Transfert effectué...", true, after},        // the second pause
        {0, -1, "", false, after},
    };
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(Main().ParametersChanged(), 0);
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().LastParameters()->text == "!33A-4B+2C&"; }));
    // The activation saved the slots before the transfer began.
    EXPECT_TRUE(fileDuringHandshake.contains("\r\n+\r\n2\r\n-\r\n4\r\n"));
    EXPECT_TRUE(fileDuringHandshake.contains("\r\n33\r\n"));
}

TEST_F(LinkTest, ParameterMessageWithAForbiddenFieldIsNeverSent) {
    Start();
    LinkUp();
    const auto sent = Written();
    Main().Settings().Set(settings::DeclinationSlot, "2C&E");
    boxes.boxes.clear();

    LeaveParameterDialog();

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_TRUE(boxes.boxes[0].text.contains("ligne 9")) << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(boxes.boxes[0].text.contains("2C&E"));
    // No handshake, nothing shown or waiting, nothing more on the wire.
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Communication établie...");
    EXPECT_FALSE(Main().ProgressBar1->isVisible());
    EXPECT_FALSE(static_cast<QWidget *>(forms->Form6())->isVisible());
    EXPECT_FALSE(Main().ExchangeRunning());
    EXPECT_TRUE(time.ticks.empty() || time.ticks.back().at <= 3500ms);
    EXPECT_EQ(Written(), sent);
}

TEST_F(LinkTest, QuitWithTheLinkUpHandsTheModuleOverAndShowsTheNotice) {
    Start();
    LinkUp();
    boxes.boxes.clear();
    Record();

    Main().Quittez1->Click();
    steps.push_back(Sample(0));

    EXPECT_TRUE(application->Terminated());
    EXPECT_TRUE(ModuleCatchesUp([&] { return Module().Standalone(); }));
    const std::string before = "!0A+0B+0C&";
    const std::string after = before + "?&";
    const QString closing = "Le programme va s'arrêter...";
    const std::vector<Step> expected = {
        {1, 0, closing, false, before},
        {1, 1, closing, false, before},
        {1, 2, closing, false, before},
        {2, -1, closing, true, before},
        {2, -1, "Boussole autonome...", true, after},
        {0, -1, "Boussole autonome...", false, after}, // the notice, then the end
    };
    EXPECT_EQ(steps, expected);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              "La boussole est désormais configurée pour un fonctionnement autonome.\n"
              "                Le programme va s'arrêter. Cliquez sur OK...");
}

// Every exchange raises RTS for its handshake and drops it as soon as DSR answers, before
// its command goes out: the module's DSR falls with it, ready for the next handshake.
TEST_F(LinkTest, RtsFallsOnceDsrHasAnsweredOnEveryExchange) {
    Start();
    LinkUp();
    LeaveParameterDialog();
    ASSERT_TRUE(
        PumpUntil([&] { return Written().size() == 2 * std::string("!0A+0B+0C&").size(); }));
    Main().Quittez1->Click();
    ASSERT_TRUE(application->Terminated());

    using Change = WireLog::RtsChange;
    const std::size_t message = std::string("!0A+0B+0C&").size();
    // Link start, parameter transfer, hand-over: each rise and fall with nothing written
    // in between.
    const std::vector<Change> expected = {{true, 0},           {false, 0},
                                          {true, message},     {false, message},
                                          {true, 2 * message}, {false, 2 * message}};
    // Each opening of the port also clears RTS: only a fall after a rise counts.
    std::vector<Change> handshakes;
    for (const Change &change : wire.RtsChanges()) {
        const bool risen = !handshakes.empty() && handshakes.back().on;
        if (change.on != risen)
            handshakes.push_back(change);
    }
    EXPECT_EQ(handshakes, expected);
    EXPECT_FALSE(link->Line().RTS());
}

TEST_F(LinkTest, QuitWithoutNoticeAndQuitBeforeTheLinkSendNothingMore) {
    WriteSettings({"1", "Moyenne", "ROSEON", "Moyenne", "CERCLEON", "ANCIEN", "10", "+", "0", "+",
                   "0", "OFFAVERTI", "OFFAVERTI2"});
    Start();
    Main().Quittez1->Click();
    EXPECT_TRUE(application->Terminated());
    EXPECT_EQ(Written(), "");
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LinkTest, QuitEndsTheProgramEvenWhenTheModuleIsGone) {
    Start();
    LinkUp();
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
    LinkUp();
    bool commandsOffDuringExchange = false;
    // "Quitter" clicked at the first tick of the transfer's handshake.
    const std::size_t ticksBefore = time.ticks.size();
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &) {
        if (time.ticks.size() != ticksBefore + 1)
            return;
        commandsOffDuringExchange =
            Main().ExchangeRunning() && !Main().Optionsmatrielles1->Enabled() &&
            !Main().ToolButton4->Enabled() && Main().Optionslogicielles1->Enabled();
        Main().Quittez1->Click();
    };
    LeaveParameterDialog();
    EXPECT_TRUE(commandsOffDuringExchange);
    EXPECT_FALSE(application->Terminated());
    EXPECT_EQ(Written(), "!0A+0B+0C&!0A+0B+0C&");
    // The held quit runs once the transfer is over: hand-over, then the end.
    ASSERT_TRUE(PumpUntil([&] { return application->Terminated(); }));
    EXPECT_EQ(Written(), "!0A+0B+0C&!0A+0B+0C&?&");
}

TEST_F(LinkTest, HeldQuitWaitsForTheErrorBoxOfAFailedExchange) {
    Start();
    LinkUp();
    boxes.boxes.clear();
    // Quit clicked during the transfer's first pause; the line then refuses writes and
    // RTS changes, so the transfer ends in the error box.
    bool failing = false;
    time.beforeTick = [&](const testsupport::SteppedTime::Tick &tick) {
        if (tick.timer == 2 && !failing) {
            failing = true;
            Main().Quittez1->Click();
            Module().Line().FailCall(serial::VirtualCall::WriteFile, EINVAL);
            Module().Line().FailCall(serial::VirtualCall::EscapeCommFunction, EINVAL);
        }
    };
    bool quitInsideTheBox = false;
    boxes.whileShown = [&] {
        if (boxes.boxes.size() != 1)
            return;
        // The box's own event loop: whatever was posted before this runs here.
        bool handled = false;
        QTimer::singleShot(0, [&] { handled = true; });
        PumpUntil([&] { return handled || application->Terminated(); });
        quitInsideTheBox = application->Terminated() || boxes.boxes.size() > 1;
    };
    LeaveParameterDialog();

    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_FALSE(quitInsideTheBox);
    EXPECT_FALSE(static_cast<QWidget *>(forms->Form6())->isVisible());
    // Once the box is closed the quit runs; the module cannot be handed over, so the
    // program ends on that failure.
    ASSERT_TRUE(PumpUntil([&] { return application->Terminated(); }));
    EXPECT_TRUE(boxes.boxes[0].text.startsWith("WriteFile"));
    EXPECT_TRUE(boxes.boxes.back().text.startsWith("EscapeCommFunction"));
}

// A request to end from outside (a signal) at each point of the link's life: a box it
// closes counts as the safe answer, so only a link the module answered is handed over,
// and further requests during the hand-over leave it to run to its end.
struct EndRequestCase {
    const char *name;
    bool linkUp;          // the link is up before the request
    const char *boxStart; // the request comes while the box starting so shows; "" at once
    int requests;         // how many times it is asked (a logout: TERM, then HUP)
    std::string written;  // all the module got
};
void PrintTo(const EndRequestCase &c, std::ostream *out) { *out << c.name; }

class EndRequestTest : public LinkTest, public ::testing::WithParamInterface<EndRequestCase> {};

TEST_P(EndRequestTest, OnlyAnAnsweredLinkIsHandedOverAndOnlyOnce) {
    const EndRequestCase &c = GetParam();
    Start();
    if (c.linkUp)
        LinkUp();
    const auto request = [&] {
        for (int i = 0; i < c.requests; ++i)
            Main().QuitOnRequest();
    };
    int later = c.requests - 1; // outlives the branch: the stepped time's hook reads it
    if (*c.boxStart) {
        boxes.whileShown = [&] {
            if (boxes.boxes.back().text.startsWith(QString::fromUtf8(c.boxStart)))
                request();
        };
        Main().ToolButton1->Click();
    } else {
        // The later requests come while the hand-over waits for the module's answer.
        time.beforeTick = [&](const testsupport::SteppedTime::Tick &tick) {
            if (tick.timer == 1 && later-- > 0)
                Main().QuitOnRequest();
        };
        Main().QuitOnRequest();
    }
    ASSERT_TRUE(PumpUntil([&] { return application->Terminated(); }));
    EXPECT_TRUE(ModuleCatchesUp([&] { return Written() == c.written; })) << Written();
    EXPECT_EQ(Module().Standalone(), c.written.ends_with("?&"));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, EndRequestTest,
    ::testing::Values(
        EndRequestCase{"InTheCableWarningBox", false, "Assurez-vous", 2, ""},
        EndRequestCase{"InTheSuccessBox", false, "     Félicitations", 1, "!0A+0B+0C&?&"},
        EndRequestCase{"BeforeTheLink", false, "", 1, ""},
        EndRequestCase{"WithTheLinkUpAndRepeatedDuringTheHandOver", true, "", 2, "!0A+0B+0C&?&"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace apptest
