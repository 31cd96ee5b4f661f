// The whole program on the simulated module in stepped time, driven by seeded sequences of
// what a user does (commands, tool buttons, phase buttons, dialogs, quit, answers to boxes)
// and of what happens to the module (plug pulled and back, DSR late or never). After every
// step the link's rules are checked from the wire and the window. A failing seed is printed
// with its steps; VENTROSE_STRESS_SEED=<seed> replays it alone.
//
// VENTROSE_STRESS_SEQUENCES (default 1000) sequences of VENTROSE_STRESS_STEPS (default 50)
// steps run, from seed VENTROSE_STRESS_FIRST (default 1) on.
#include "AppTestSupport.h"

#include "base/sync.h"
#include "platform/app/Guarded.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace apptest {
namespace {

using namespace std::chrono_literals;
using app::TForm1;

long EnvNumber(const char *name, long fallback) {
    const char *text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// The longest an exchange may take: the handshake's five ticks, then two pauses of one.
constexpr auto kLongestExchange = 7s;

// Commands the user reaches in the menus (and the tool bar's buttons).
constexpr platform::TMenuItem *TForm1::*kMenuItems[] = {&TForm1::Activezlacommunicationsrie1,
                                                        &TForm1::Communication1,
                                                        &TForm1::Optionsgraphiques1,
                                                        &TForm1::Optionspendule1,
                                                        &TForm1::Quittez1,
                                                        &TForm1::Etalonnagedelaboussole1,
                                                        &TForm1::CentrageduzroNORD1,
                                                        &TForm1::Dclinaisonmagntique1,
                                                        &TForm1::Journalducap1,
                                                        &TForm1::Optionslogicielles1,
                                                        &TForm1::Optionsmatrielles1,
                                                        &TForm1::PartageducapNMEA01831,
                                                        &TForm1::Activerlacommunicationsrie1,
                                                        &TForm1::Portdecommunicationsrie1,
                                                        &TForm1::Optionsgraphiques2,
                                                        &TForm1::ypesdemenusdroulant1,
                                                        &TForm1::Etalonnagede1,
                                                        &TForm1::CentrageduzroNORD2,
                                                        &TForm1::Dclinaisonmagntique2,
                                                        &TForm1::Optionslogicielles2,
                                                        &TForm1::Optionmatrielles1,
                                                        &TForm1::Quitter1};
constexpr platform::TToolButton *TForm1::*kToolButtons[] = {
    &TForm1::ToolButton1, &TForm1::ToolButton2, &TForm1::ToolButton3,
    &TForm1::ToolButton4, &TForm1::ToolButton6, &TForm1::ToolButton7};
// The commands that need the link.
constexpr platform::TMenuItem *TForm1::*kLinkOnlyItems[] = {
    &TForm1::Optionsgraphiques1,   &TForm1::Optionsgraphiques2,   &TForm1::Etalonnagedelaboussole1,
    &TForm1::Etalonnagede1,        &TForm1::CentrageduzroNORD1,   &TForm1::CentrageduzroNORD2,
    &TForm1::Dclinaisonmagntique1, &TForm1::Dclinaisonmagntique2, &TForm1::Optionsmatrielles1,
    &TForm1::Optionmatrielles1};
constexpr platform::TToolButton *TForm1::*kLinkOnlyButtons[] = {
    &TForm1::ToolButton3, &TForm1::ToolButton4, &TForm1::ToolButton7};

class LinkStress : public ProgramFixture {
protected:
    using Rng = std::mt19937;

    // Readings every two seconds rather than five a second: they still flow through every
    // wait, at a tenth of the drawing, which is most of what a sequence costs.
    LinkStress() { moduleOptions.readingPeriod = 2s; }

    // A step, and how often it is picked beside the others: quitting seldom, so that most
    // sequences run their length; the phase buttons often, so that calibrations get done.
    struct Step {
        std::string name;
        std::function<void(Rng &)> run;
        int weight = 2;
        bool quits = false; // the user's quit command
    };

    // What can be done now: on an open dialog only its own buttons; on the main window every
    // command that is on; the module's events at any time.
    std::vector<Step> Possible() {
        std::vector<Step> steps;
        const auto add = [&](std::string name, std::function<void(Rng &)> run, int weight = 2) {
            steps.push_back({std::move(name), std::move(run), weight});
        };
        if (QWidget *dialog = OpenDialog()) {
            if (QPushButton *ok = OkButton(dialog))
                add("OK", [ok](Rng &) { ok->click(); });
            add("close box", [dialog](Rng &) { dialog->close(); });
        } else {
            // The link start and the calibration often: the rest hangs off them.
            const auto weight = [&](const platform::TActionComponent *command) {
                if (command == Main().Quittez1 || command == Main().Quitter1)
                    return 1;
                const platform::TActionComponent *often[] = {
                    Main().Activezlacommunicationsrie1, Main().Activerlacommunicationsrie1,
                    Main().ToolButton1, Main().Etalonnagedelaboussole1, Main().Etalonnagede1};
                if (std::find(std::begin(often), std::end(often), command) != std::end(often))
                    return 5;
                return 2;
            };
            for (auto item : kMenuItems)
                if (platform::TMenuItem *command = Main().*item; command->Enabled()) {
                    add(
                        command->Name(), [command](Rng &) { command->Click(); }, weight(command));
                    steps.back().quits = command == Main().Quittez1 || command == Main().Quitter1;
                }
            for (auto button : kToolButtons)
                if (platform::TToolButton *command = Main().*button; command->Enabled())
                    add(
                        command->Name(), [command](Rng &) { command->Click(); }, weight(command));
            for (QPushButton *phase :
                 {Main().BitBtn1, Main().BitBtn2, Main().BitBtn3, Main().BitBtn4})
                if (phase->isVisible() && phase->isEnabled())
                    add(
                        "phase " + phase->text().toStdString(), [phase](Rng &) { phase->click(); },
                        12);
        }
        if (Module().Line().Unplugged())
            add("plug back", [this](Rng &) { PlugBack(); });
        else
            add("plug pulled", [this](Rng &) { PullPlug(); });
        const auto pass = [this](Rng &rng) {
            time.Advance(std::chrono::milliseconds(rng() % 1000));
        };
        add("time passes", pass, 3);
        if (moduleWell_ && rng_() % 4 == 0) { // the module's rarer moods
            const auto late = [this](Rng &) {
                Module().SetDsrDelay(4500ms);
                moduleWell_ = false;
            };
            const auto never = [this](Rng &) {
                Module().SetSilent(true);
                moduleWell_ = false;
                moduleSilent_ = true;
            };
            add("DSR late", late, 1);
            add("DSR never", never, 1);
        } else if (!moduleWell_) {
            add("module well", [this](Rng &) {
                Module().SetSilent(false);
                Module().SetDsrDelay(moduleOptions.dsrDelay);
                moduleWell_ = true;
                moduleSilent_ = false;
            });
        }
        return steps;
    }
    static const Step &Pick(const std::vector<Step> &steps, Rng &rng) {
        int total = 0;
        for (const Step &step : steps)
            total += step.weight;
        int at = static_cast<int>(rng() % static_cast<unsigned>(total));
        for (const Step &step : steps)
            if ((at -= step.weight) < 0)
                return step;
        return steps.back();
    }

    QWidget *OpenDialog() {
        QWidget *active = application->ActiveForm();
        return active && active != &Main() && active->isVisible() ? active : nullptr;
    }
    static QPushButton *OkButton(QWidget *dialog) {
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->text() == QStringLiteral("&OK") && button->isVisible() &&
                button->isEnabled())
                return button;
        return nullptr;
    }
    void PullPlug() {
        const bool open = Main().SerialPort1->Connected();
        Module().Unplug();
        // The port reports the loss from its own thread; it reaches the program before the
        // next step, as it would within a moment.
        if (open)
            ModuleCatchesUp([&] {
                platform::SyncQueue::Instance().RunPending();
                return !Main().SerialPort1->Connected();
            });
    }
    void PlugBack() {
        Module().Replug();
        Main().DeviceReturned();
    }
    // Lets what the step left pending run (deferred restarts and quits, the port's reports).
    void Settle() {
        time.Settle();
        for (int round = 0; round < 2 && !application->Terminated(); ++round) {
            platform::SyncQueue::Instance().RunPending();
            QCoreApplication::processEvents();
        }
    }

    // The rules; the first one broken, in words, or nothing.
    std::optional<std::string> Broken() {
        if (wire.RtsRisesWhileUp() != risesWhileUpBefore_)
            return "a second RTS before the first exchange's DSR or time-out";
        if (longestExchange_ > kLongestExchange)
            return "an exchange took " + std::to_string(longestExchange_.count()) + " ms";
        if (time.Stuck())
            return "a wait for the module with no timer running";
        if (auto e = CalibrationInterrupted())
            return e;
        // Thirty lines, each ended by CR LF, and no line feed alone.
        const QByteArray file = SettingsFile();
        const qsizetype lines = file.count("\r\n");
        if (lines != 30 || file.count('\n') != lines || !file.endsWith("\r\n"))
            return "Ventrose.inf holds " + std::to_string(lines) + " CR LF lines and " +
                   std::to_string(file.count('\n') - lines) + " bare line feeds";
        // A quit with the link up hands the module over: "?&" goes out before the end.
        if (handOverFrom_ && Written().find("?&", *handOverFrom_) == std::string::npos)
            return "the quit with the link up sent no \"?&\"";
        if (application->Terminated())
            return std::nullopt;
        if (Main().ExchangeRunning())
            return "an exchange still runs after the step";
        const app::LinkStage link = Main().State().link;
        if (link == app::LinkStage::Down || link == app::LinkStage::Lost) {
            for (auto item : kLinkOnlyItems)
                if ((Main().*item)->Enabled())
                    return (Main().*item)->Name() + " on without the link";
            for (auto button : kLinkOnlyButtons)
                if ((Main().*button)->Enabled())
                    return (Main().*button)->Name() + " on without the link";
            for (QPushButton *phase :
                 {Main().BitBtn1, Main().BitBtn2, Main().BitBtn3, Main().BitBtn4})
                if (phase->isEnabled())
                    return "a phase button on without the link";
            if (Main().Label10->isVisible())
                return "a heading shown without the link";
        }
        return std::nullopt;
    }
    // Between the first and the fourth "E&" of a calibration nothing else reaches the module,
    // whether or not the calibration's next phase has gone out yet; only a quit may end it,
    // with its hand-over "?&" as the last command.
    std::optional<std::string> CalibrationInterrupted() const {
        const std::string sent = Written().substr(writtenBefore_);
        int phases = 0;
        std::string between;
        for (std::size_t at = 0, end; (end = sent.find('&', at)) != std::string::npos;
             at = end + 1) {
            const std::string command = sent.substr(at, end + 1 - at);
            if (command == "E&") {
                if (phases % 4 != 0 && !between.empty())
                    return "\"" + between + "\" sent in the middle of a calibration";
                ++phases;
                between.clear();
            } else if (phases % 4 != 0) {
                between += command;
            }
        }
        const bool handedOver = between == "?&" && application->Terminated();
        if (!between.empty() && !handedOver)
            return "\"" + between + "\" sent in the middle of a calibration";
        return std::nullopt;
    }

    // One sequence on a fresh program; the failure, in words, with its steps.
    std::optional<std::string> RunSequence(std::uint32_t seed, int steps) {
        rng_.seed(seed);
        moduleWell_ = true;
        moduleSilent_ = false;
        QFile::remove(InstallFile(QStringLiteral("Ventrose.conf")));
        {
            QFile file(InstallFile(QStringLiteral("Ventrose.inf")));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return "Ventrose.inf cannot be written";
            file.write(shippedSettings_);
        }
        if (forms)
            Restart();
        else
            Start();
        writtenBefore_ = Written().size();
        risesWhileUpBefore_ = wire.RtsRisesWhileUp();
        longestExchange_ = {};
        exchangeSince_.reset();
        QObject::connect(&Main(), &TForm1::LinkStateChanged, &Main(),
                         [this](const app::LinkState &state) { NoteExchange(state); });
        // A box is answered at random; now and then the plug is pulled while it shows.
        boxes.whileShown = [this] {
            boxes.answers = {rng_() % 4 != 0};
            if (rng_() % 16 == 0 && !Module().Line().Unplugged()) {
                log_.push_back("  (plug pulled in a box)");
                PullPlug();
            }
        };
        log_.clear();
        for (int index = 0; index < steps && !application->Terminated(); ++index) {
            std::vector<Step> possible = Possible();
            const Step &step = Pick(possible, rng_);
            log_.push_back(std::to_string(index) + ": " + step.name);
            // A quit asked with the link up (no exchange running, the module plugged in and
            // answering) must hand the module over.
            handOverFrom_.reset();
            if (step.quits && Main().State().LinkUp() && !Main().ExchangeRunning() &&
                !Module().Line().Unplugged() && !moduleSilent_)
                handOverFrom_ = Written().size();
            // As from the event loop: an error that ends the handler shows in the error box.
            try {
                step.run(rng_);
            } catch (...) {
                platform::ReportHandlerException(std::current_exception());
            }
            Settle();
            if (step.name == "plug back" && !application->Terminated() &&
                Main().StatusText(app::StatusPanel::Operation) == "Communication rétablie...")
                ++seen.returns;
            boxes.boxes.clear();
            if (auto broken = Broken()) {
                std::ostringstream out;
                out << "seed " << seed << ", step " << index << ": " << *broken
                    << " (replay: VENTROSE_STRESS_SEED=" << seed << ")\n";
                for (const std::string &line : log_)
                    out << line << '\n';
                return out.str();
            }
        }
        boxes.whileShown = {};
        seen.steps += static_cast<int>(log_.size());
        const std::string sent = Written().substr(writtenBefore_);
        for (std::size_t at = sent.find("E&"); at != std::string::npos;
             at = sent.find("E&", at + 1))
            ++seen.phases;
        return std::nullopt;
    }

    void NoteExchange(const app::LinkState &state) {
        if (state.link == app::LinkStage::Up && !state.ExchangeRunning())
            ++seen.linkUps;
        if (state.ExchangeRunning() && !exchangeSince_) {
            exchangeSince_ = time.Now();
        } else if (!state.ExchangeRunning() && exchangeSince_) {
            longestExchange_ = std::max(longestExchange_, time.Now() - *exchangeSince_);
            exchangeSince_.reset();
        }
    }

    // What the sequences went through, to tell that they reach the program's corners.
    struct Seen {
        int linkUps = 0;
        int returns = 0; // links that came back by themselves
        int phases = 0;  // calibration phases sent
        int steps = 0;
    } seen;

    Rng rng_;
    bool moduleWell_ = true;
    bool moduleSilent_ = false; // it never answers a handshake: the program ends without "?&"
    QByteArray shippedSettings_ = SettingsFile();
    std::size_t writtenBefore_ = 0;
    std::optional<std::size_t> handOverFrom_; // where the wire stood when such a quit began
    int risesWhileUpBefore_ = 0;
    std::optional<std::chrono::milliseconds> exchangeSince_;
    std::chrono::milliseconds longestExchange_{};
    std::vector<std::string> log_;
};

TEST_F(LinkStress, SeededSequencesKeepTheLinksRules) {
    const long only = EnvNumber("VENTROSE_STRESS_SEED", 0);
    const long first = only ? only : EnvNumber("VENTROSE_STRESS_FIRST", 1);
    const long count = only ? 1 : EnvNumber("VENTROSE_STRESS_SEQUENCES", 1000);
    const int steps = static_cast<int>(EnvNumber("VENTROSE_STRESS_STEPS", 50));
    const auto began = std::chrono::steady_clock::now();
    for (long seed = first; seed < first + count; ++seed) {
        if (auto failure = RunSequence(static_cast<std::uint32_t>(seed), steps)) {
            ADD_FAILURE() << *failure;
            return;
        }
        if (const long done = seed - first + 1; done % 1000 == 0) {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - began;
            std::printf("%ld sequences in %.0f s\n", done, elapsed.count());
            std::fflush(stdout);
        }
        if (only) // a replay shows its steps
            for (const std::string &line : log_)
                std::printf("%s\n", line.c_str());
    }
    const auto took = std::chrono::steady_clock::now() - began;
    std::printf("%ld sequences of %d steps in %.1f s: %d links up, %d came back by themselves, "
                "%d calibration phases, %d steps\n",
                count, steps, std::chrono::duration<double>(took).count(), seen.linkUps,
                seen.returns, seen.phases, seen.steps);
    if (count >= 100) {
        EXPECT_GT(seen.linkUps, 0);
        EXPECT_GT(seen.returns, 0);
        EXPECT_GT(seen.phases, 0);
    }
}

} // namespace
} // namespace apptest
