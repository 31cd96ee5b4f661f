// Which commands the link's state switches on: the three tables of the program's behaviour
// (before the link, link up, calibration running), the link start's two steps, the lost
// link, the exchanges; and the orders in which a change switches them.
#include "compass/CommandAvailability.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace app {
namespace {

using C = Command;

std::set<Command> On(const LinkState &state) {
    const CommandSwitches switches = CommandsOn(state);
    std::set<Command> on;
    for (int index = 0; index < kCommandCount; ++index)
        if (switches.On(static_cast<Command>(index)))
            on.insert(static_cast<Command>(index));
    return on;
}

std::set<Command> All() {
    std::set<Command> all;
    for (int index = 0; index < kCommandCount; ++index)
        all.insert(static_cast<Command>(index));
    return all;
}

std::set<Command> Without(std::set<Command> commands, std::initializer_list<Command> out) {
    for (Command command : out)
        commands.erase(command);
    return commands;
}

const std::set<Command> kBeforeTheLink = {C::Activezlacommunicationsrie1,
                                          C::Communication1,
                                          C::Optionspendule1,
                                          C::Optionslogicielles1,
                                          C::Activerlacommunicationsrie1,
                                          C::Portdecommunicationsrie1,
                                          C::ypesdemenusdroulant1,
                                          C::Optionslogicielles2,
                                          C::ToolButton1,
                                          C::ToolButton2,
                                          C::ToolButton6};
const std::set<Command> kLinkUp = Without(
    All(), {C::Activezlacommunicationsrie1, C::Communication1, C::Activerlacommunicationsrie1,
            C::Portdecommunicationsrie1, C::ToolButton1, C::ToolButton2});
// The commands that would start an exchange with the module.
const std::set<Command> kExchangeStarting = {C::Activezlacommunicationsrie1,
                                             C::Activerlacommunicationsrie1,
                                             C::ToolButton1,
                                             C::Etalonnagedelaboussole1,
                                             C::Etalonnagede1,
                                             C::CentrageduzroNORD1,
                                             C::CentrageduzroNORD2,
                                             C::ToolButton3,
                                             C::Dclinaisonmagntique1,
                                             C::Dclinaisonmagntique2,
                                             C::ToolButton4,
                                             C::Optionsmatrielles1,
                                             C::Optionmatrielles1,
                                             C::ToolButton7,
                                             C::PhaseButtons};
// The commands that need the link.
const std::set<Command> kLinkOnly = {
    C::Optionsgraphiques1, C::Optionsgraphiques2,   C::Etalonnagedelaboussole1,
    C::Etalonnagede1,      C::CentrageduzroNORD1,   C::CentrageduzroNORD2,
    C::ToolButton3,        C::Dclinaisonmagntique1, C::Dclinaisonmagntique2,
    C::ToolButton4,        C::Optionsmatrielles1,   C::Optionmatrielles1,
    C::ToolButton7,        C::PhaseButtons};
// The commands a calibration switches off, in the order it switches them.
const std::vector<Command> kCalibrationOff = {
    C::Optionspendule1,      C::Optionsgraphiques1,   C::Etalonnagedelaboussole1,
    C::CentrageduzroNORD1,   C::Dclinaisonmagntique1, C::Optionslogicielles1,
    C::Optionsmatrielles1,   C::ToolButton3,          C::ToolButton4,
    C::ToolButton6,          C::ToolButton7,          C::ypesdemenusdroulant1,
    C::Optionsgraphiques2,   C::Etalonnagede1,        C::CentrageduzroNORD2,
    C::Dclinaisonmagntique2, C::Optionslogicielles2,  C::Optionmatrielles1};

// At the link start's first step the main menu switches (its start and port commands off,
// its link commands on); the context menu and the tool bar stay as before the link.
std::set<Command> MainMenuStarted() {
    std::set<Command> on =
        Without(kBeforeTheLink, {C::Activezlacommunicationsrie1, C::Communication1});
    on.insert({C::Optionsgraphiques1, C::Etalonnagedelaboussole1, C::CentrageduzroNORD1,
               C::Dclinaisonmagntique1, C::Optionsmatrielles1});
    return on;
}
const std::set<Command> kMainMenuStarted = MainMenuStarted();
// With the link up, while an exchange other than a phase's runs.
const std::set<Command> kExchangeWhileUp =
    Without(kLinkUp, {C::Etalonnagedelaboussole1, C::Etalonnagede1, C::CentrageduzroNORD1,
                      C::CentrageduzroNORD2, C::ToolButton3, C::Dclinaisonmagntique1,
                      C::Dclinaisonmagntique2, C::ToolButton4, C::Optionsmatrielles1,
                      C::Optionmatrielles1, C::ToolButton7, C::PhaseButtons});

TEST(CommandAvailability, TheTablesOfEachState) {
    using S = LinkStage;
    using E = Exchange;
    const struct {
        const char *name;
        LinkState state;
        std::set<Command> on;
    } cases[] = {
        {"before the link", {}, kBeforeTheLink},
        {"link up", {S::Up, E::None, 0}, kLinkUp},
        {"calibration running", {S::Up, E::None, 2}, {C::PhaseButtons}},
        {"a phase's exchange", {S::Up, E::CalibrationPhase, 3}, {}},
        // The main menu switches at the link start's first step, the rest after its box.
        {"link start, before its handshake", {S::Starting, E::None, 0}, kMainMenuStarted},
        {"link start's handshake",
         {S::Starting, E::LinkStart, 0},
         {C::Optionsgraphiques1, C::Optionspendule1, C::Optionslogicielles1,
          C::Portdecommunicationsrie1, C::ypesdemenusdroulant1, C::Optionslogicielles2,
          C::ToolButton2, C::ToolButton6}},
        {"link start's success box", {S::Answered, E::None, 0}, kMainMenuStarted},
        {"parameter transfer", {S::Up, E::ParameterTransfer, 0}, kExchangeWhileUp},
        {"hand-over", {S::Up, E::HandOver, 0}, kExchangeWhileUp},
        {"link lost", {S::Lost, E::None, 0}, kBeforeTheLink},
        {"link lost during a calibration",
         {S::Lost, E::None, 2},
         {C::Activezlacommunicationsrie1, C::Communication1, C::Activerlacommunicationsrie1,
          C::Portdecommunicationsrie1, C::ToolButton1, C::ToolButton2}},
        {"link coming back during a calibration",
         {S::Starting, E::LinkStart, 2},
         {C::Portdecommunicationsrie1, C::ToolButton2}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(On(c.state), c.on) << c.name;
}

// Whatever the state, nothing starts an exchange while one runs, a calibration keeps its
// commands off, and nothing that needs the link is on while it is down or lost.
TEST(CommandAvailability, RulesHoldInEveryState) {
    for (LinkStage link : {LinkStage::Down, LinkStage::Starting, LinkStage::Answered, LinkStage::Up,
                           LinkStage::Lost})
        for (Exchange exchange : {Exchange::None, Exchange::LinkStart, Exchange::ParameterTransfer,
                                  Exchange::CalibrationPhase, Exchange::HandOver})
            for (int phase = 0; phase <= 4; ++phase) {
                const LinkState state{link, exchange, phase};
                const std::set<Command> on = On(state);
                const auto anyOn = [&](const auto &commands) {
                    return std::any_of(commands.begin(), commands.end(),
                                       [&](Command c) { return on.count(c) != 0; });
                };
                if (state.ExchangeRunning()) {
                    EXPECT_FALSE(anyOn(kExchangeStarting)) << Describe(state);
                }
                if (state.Calibrating()) {
                    EXPECT_FALSE(anyOn(kCalibrationOff)) << Describe(state);
                }
                if (link == LinkStage::Down || link == LinkStage::Lost) {
                    EXPECT_FALSE(anyOn(kLinkOnly)) << Describe(state);
                }
            }
}

TEST(CommandAvailability, EachChangeSwitchesInItsOwnOrderThenTheRest) {
    const LinkState down, starting{LinkStage::Starting}, answered{LinkStage::Answered},
        up{LinkStage::Up}, calibrating{LinkStage::Up, Exchange::None, 1};
    const struct {
        const char *name;
        CommandOrder order;
        std::vector<Command> first;
    } cases[] = {
        {"creation",
         CreationOrder(),
         {C::Etalonnagedelaboussole1, C::Dclinaisonmagntique1, C::CentrageduzroNORD1,
          C::ToolButton3, C::ToolButton4, C::ToolButton7, C::Etalonnagede1, C::CentrageduzroNORD2,
          C::Dclinaisonmagntique2, C::Optionmatrielles1, C::Optionsgraphiques2,
          C::Optionsgraphiques1, C::Optionsmatrielles1}},
        {"link start",
         SwitchOrder(down, starting),
         {C::Activezlacommunicationsrie1, C::Communication1, C::Etalonnagedelaboussole1,
          C::Dclinaisonmagntique1, C::CentrageduzroNORD1, C::Optionsmatrielles1,
          C::Optionsgraphiques1}},
        {"link start's success box closed",
         SwitchOrder(answered, up),
         {C::ToolButton3, C::ToolButton4, C::ToolButton7, C::Etalonnagede1, C::CentrageduzroNORD2,
          C::Dclinaisonmagntique2, C::Optionmatrielles1, C::Optionsgraphiques2,
          C::Activerlacommunicationsrie1, C::Portdecommunicationsrie1, C::ToolButton1,
          C::ToolButton2}},
        {"calibration start", SwitchOrder(up, calibrating), kCalibrationOff},
        {"calibration end", SwitchOrder(calibrating, up), kCalibrationOff},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(std::equal(c.first.begin(), c.first.end(), c.order.begin())) << c.name;
        // Every command once: none is left as it was.
        EXPECT_EQ(std::set<Command>(c.order.begin(), c.order.end()), All()) << c.name;
    }
}

} // namespace
} // namespace app
