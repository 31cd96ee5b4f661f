// The link without a window: a link start whose handshake is answered, times out or loses
// its device, and a return of the device that the module does not answer. What the user
// would see is what the link asks its observer for, in order; RTS is read on the line.
#include "link/ModuleLink.h"
#include "platform/app/Application.h"
#include "serial/virtual/VirtualSerialLine.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <map>
#include <string>
#include <vector>

namespace app {
namespace {

// What the module does at a tick of the handshake: nothing (the tick comes), raise DSR, or
// go away with its device.
enum class Module { Silent, Answers, Unplugged };

// Records every request as a line; at each step of a handshake it posts what the module does
// next, so that the link's wait always has an event to wake it.
struct Recorder : LinkObserver {
    explicit Recorder(serial::VirtualSerialLine &line) : line(line) {}

    void StateChanged(const LinkState &, const LinkState &to) override {
        log.push_back("state " + Describe(to));
    }
    void HandshakeProgress(std::optional<int> ticks) override {
        if (!ticks) {
            log.push_back(std::string("progress hidden, RTS ") + (line.RTS() ? "up" : "down"));
            return;
        }
        log.push_back("progress " + std::to_string(*ticks));
        const Module next = *ticks == actAt ? act : Module::Silent;
        // Bound to the link, so that a step left over when the case ends goes with it.
        QMetaObject::invokeMethod(
            link,
            [this, next] {
                if (next == Module::Answers)
                    line.SetDSR(true);
                else if (next == Module::Unplugged)
                    line.Unplug();
                else
                    link->Timer1->Tick();
            },
            Qt::QueuedConnection);
    }
    void ShowLinkText(LinkText text) override {
        log.push_back("text " + std::to_string(static_cast<int>(text)));
    }
    void PlayLinkSound(LinkSound sound) override {
        log.push_back(sound == LinkSound::Error ? "sound error" : "sound applause");
    }
    void ShowLinkBox(LinkBox box) override {
        log.push_back("box " + std::to_string(static_cast<int>(box)) + ", RTS " +
                      (line.RTS() ? "up" : "down"));
    }
    void ShowWaitBox(bool shown) override { log.push_back(shown ? "wait box" : "no wait box"); }
    void ShowLink(bool up) override { log.push_back(up ? "link shown" : "link lost shown"); }
    void ChunkReceived(int) override {}
    void HeldQuitReleased() override {}

    serial::VirtualSerialLine &line;
    ModuleLink *link = nullptr;
    Module act = Module::Silent;
    int actAt = -1; // the handshake's tick at which the module acts
    std::vector<std::string> log;
};

std::string Text(LinkText text) { return "text " + std::to_string(static_cast<int>(text)); }
std::string Box(LinkBox box, const char *rts) {
    return "box " + std::to_string(static_cast<int>(box)) + ", RTS " + rts;
}

TEST(ModuleLink, EachEndOfTheHandshakeAsksForItsOwnEffectsInOrder) {
    const std::vector<std::string> ticks = {"progress 0", "progress 1", "progress 2",
                                            "progress 3", "progress 4", "progress 5"};
    const auto firstTicks = [&](int count) {
        return std::vector<std::string>(ticks.begin(), ticks.begin() + count);
    };
    const std::string starting = "state starting, no exchange";
    const std::string handshake = "state starting, link start exchange";
    const struct {
        const char *name;
        Module module;
        int actAt;
        bool restart; // the device comes back silent after the link start
        std::vector<std::vector<std::string>> expected;
        std::string written;
    } cases[] = {
        {"answered at the third tick",
         Module::Answers,
         3,
         false,
         {{starting, Text(LinkText::Connecting), handshake},
          firstTicks(4),
          {"progress hidden, RTS down", starting, Text(LinkText::Established),
           "state answered, no exchange", "sound applause", Box(LinkBox::Established, "down"),
           "state up, no exchange", "link shown"}},
         "!ABC&"},
        // The time-out drops RTS before the user is told, and the program ends.
        {"never answered",
         Module::Silent,
         -1,
         false,
         {{starting, Text(LinkText::Connecting), handshake},
          ticks,
          {"sound error", Text(LinkText::Failed), Box(LinkBox::TimedOut, "down"), starting}},
         ""},
        // The loss ends the wait (the port, closed then, drops RTS); nothing is said of a
        // time-out. A return that the module does not answer drops RTS before the port closes.
        {"device lost at the second tick, then back and silent",
         Module::Unplugged,
         1,
         true,
         {{starting, Text(LinkText::Connecting), handshake},
          firstTicks(2),
          {"state lost, link start exchange", "progress hidden, RTS up", Text(LinkText::Lost),
           "sound error", "link lost shown", "state lost, no exchange"},
          {starting, Text(LinkText::Connecting), handshake},
          ticks,
          {starting, "progress hidden, RTS down", "state lost, no exchange",
           Text(LinkText::NotRestored)}},
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        serial::VirtualSerialLine line;
        serial::SetDeviceOpener(serial::VirtualSerialLine::Opener({{"COM1", line}}));
        platform::Application application;
        settings::SettingsStore settings;
        Recorder recorder(line);
        ModuleLink link(settings, recorder);
        recorder.link = &link;
        recorder.act = c.module;
        recorder.actAt = c.actAt;
        link.Timer1->SetStepped(true);
        link.Timer2->SetStepped(true);
        link.OpenPortOrExplain();

        link.StartLink();
        if (c.restart) {
            line.SetDSR(false);
            line.Replug();
            recorder.act = Module::Silent;
            link.RestartLink();
        }

        std::vector<std::string> expected;
        for (const auto &part : c.expected)
            expected.insert(expected.end(), part.begin(), part.end());
        EXPECT_EQ(recorder.log, expected);
        EXPECT_FALSE(line.RTS());
        // The write is done when the link start returns: no wait for the first byte.
        EXPECT_EQ(line.ReadFromProgram(), c.written);
        EXPECT_EQ(application.Terminated(), c.module == Module::Silent);
        serial::SetDeviceOpener({});
    }
}

} // namespace
} // namespace app
