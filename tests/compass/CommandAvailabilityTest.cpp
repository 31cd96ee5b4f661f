// Which commands the link's state switches on, read from the code's own table and its
// switch orders: every state finds its row, the link's rules hold in every row, and each
// ordered change switches exactly the commands it lists first.
#include "compass/CommandAvailability.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace app {
namespace {

using C = Command;

std::vector<LinkState> EveryState() {
    std::vector<LinkState> states;
    for (LinkStage link : {LinkStage::Down, LinkStage::Starting, LinkStage::Answered, LinkStage::Up,
                           LinkStage::Lost})
        for (Exchange exchange : {Exchange::None, Exchange::LinkStart, Exchange::ParameterTransfer,
                                  Exchange::CalibrationPhase, Exchange::HandOver})
            for (int phase = 0; phase <= 4; ++phase)
                states.push_back({link, exchange, phase});
    return states;
}

std::set<Command> On(const LinkState &state) {
    const CommandSwitches switches = CommandsOn(state);
    std::set<Command> on;
    for (int index = 0; index < kCommandCount; ++index)
        if (switches.On(static_cast<Command>(index)))
            on.insert(static_cast<Command>(index));
    return on;
}

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
// What a user needs to start the link again, whatever else runs.
const std::set<Command> kPortChoice = {C::Communication1, C::Portdecommunicationsrie1,
                                       C::ToolButton2};

const SwitchRow &Row(const char *change) {
    const auto &table = SwitchTable();
    const auto row = std::find_if(table.begin(), table.end(), [&](const SwitchRow &r) {
        return std::string(r.change) == change;
    });
    EXPECT_NE(row, table.end()) << change;
    return row != table.end() ? *row : table.front();
}

// Each state reads the row of its own situation; the link start's two stages read the same
// row, and so do the states before the link and once it is lost.
TEST(CommandAvailability, EachStateReadsTheRowOfItsSituation) {
    std::set<const AvailabilityRow *> used;
    for (const LinkState &state : EveryState()) {
        const AvailabilityRow &row = SituationOf(state);
        used.insert(&row);
        EXPECT_EQ(row.calibrating, state.Calibrating()) << Describe(state);
        EXPECT_EQ(row.exchange, state.ExchangeRunning()) << Describe(state);
        const std::string marks = std::string(row.mainMenu) + std::string(row.contextMenu) +
                                  std::string(row.toolBar) + std::string(row.phaseButtons);
        ASSERT_EQ(marks.size(), std::size_t(kCommandCount));
        const CommandSwitches on = CommandsOn(state);
        for (int index = 0; index < kCommandCount; ++index)
            EXPECT_EQ(on.On(static_cast<Command>(index)), marks[index] == 'X')
                << Describe(state) << ", command " << index;
        const auto twin = [&](LinkStage stage) {
            LinkState other = state;
            other.link = stage;
            return On(other);
        };
        if (state.link == LinkStage::Answered) {
            EXPECT_EQ(On(state), twin(LinkStage::Starting)) << Describe(state);
        }
        if (state.link == LinkStage::Lost) {
            EXPECT_EQ(On(state), twin(LinkStage::Down)) << Describe(state);
        }
    }
    EXPECT_EQ(used.size(), AvailabilityTable().size()) << "a row no state reaches";
}

// Whatever the row: nothing starts an exchange while one runs, a calibration keeps its
// commands off, nothing that needs the link is on while it is down or lost, the port can be
// chosen until the link is up, and with the link up and nothing running every command that
// needs it is on.
TEST(CommandAvailability, TheLinksRulesHoldInEveryRow) {
    const std::vector<Command> &calibrationOff = Row("calibration start or end").first;
    for (const LinkState &state : EveryState()) {
        const std::set<Command> on = On(state);
        const auto anyOn = [&](const auto &commands) {
            return std::any_of(commands.begin(), commands.end(),
                               [&](Command c) { return on.count(c) != 0; });
        };
        const auto allOn = [&](const auto &commands) {
            return std::all_of(commands.begin(), commands.end(),
                               [&](Command c) { return on.count(c) != 0; });
        };
        if (state.ExchangeRunning()) {
            EXPECT_FALSE(anyOn(kExchangeStarting)) << Describe(state);
        }
        if (state.Calibrating()) {
            EXPECT_FALSE(anyOn(calibrationOff)) << Describe(state);
        }
        if (state.link == LinkStage::Down || state.link == LinkStage::Lost) {
            EXPECT_FALSE(anyOn(kLinkOnly)) << Describe(state);
            EXPECT_TRUE(allOn(kPortChoice)) << Describe(state);
        }
        if (state.link == LinkStage::Up) {
            EXPECT_FALSE(anyOn(kPortChoice)) << Describe(state);
            if (!state.Calibrating() && !state.ExchangeRunning()) {
                EXPECT_TRUE(allOn(kLinkOnly)) << Describe(state);
                EXPECT_TRUE(allOn(calibrationOff)) << "each one the calibration switches back";
            }
        }
    }
}

// Each ordered change takes its own row and lists first exactly the commands that switch
// (the phase buttons, which follow the link alone, aside); every order has every command once.
TEST(CommandAvailability, EachChangeSwitchesItsListedCommandsFirstThenTheRest) {
    using S = LinkStage;
    using E = Exchange;
    const struct {
        const char *change; // the row that applies, or null for the order of Command
        LinkState from, to;
    } cases[] = {
        {"link start's first step", {}, {S::Starting}},
        {"link start's first step", {S::Lost}, {S::Starting}},
        {"link up", {S::Answered}, {S::Up}},
        {"link up", {S::Starting, E::None, 0}, {S::Up, E::None, 0}}, // the link back by itself
        {"calibration start or end", {S::Up}, {S::Up, E::None, 1}},
        {"calibration start or end", {S::Up, E::None, 4}, {S::Up}},
        {nullptr, {S::Up}, {S::Up, E::ParameterTransfer, 0}},
        {nullptr, {S::Starting}, {S::Answered}},
    };
    for (const auto &c : cases) {
        const std::string name = Describe(c.from) + " to " + Describe(c.to);
        const CommandOrder order = SwitchOrder(c.from, c.to);
        EXPECT_EQ(std::set<Command>(order.begin(), order.end()).size(), std::size_t(kCommandCount))
            << name;
        if (!c.change) {
            EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << name;
            continue;
        }
        const std::vector<Command> &first = Row(c.change).first;
        EXPECT_TRUE(std::equal(first.begin(), first.end(), order.begin())) << name;
        const CommandSwitches before = CommandsOn(c.from), after = CommandsOn(c.to);
        std::set<Command> switched;
        for (int index = 0; index < kCommandCount; ++index) {
            const auto command = static_cast<Command>(index);
            if (command != C::PhaseButtons && before.On(command) != after.On(command))
                switched.insert(command);
        }
        EXPECT_EQ(std::set<Command>(first.begin(), first.end()), switched) << name;
    }
    const CommandOrder creation = CreationOrder();
    EXPECT_EQ(std::set<Command>(creation.begin(), creation.end()).size(),
              std::size_t(kCommandCount));
}

} // namespace
} // namespace app
