// Which of the main window's commands are on, as a function of the link's state, and the
// order in which they switch when the state changes.
#pragma once

#include "compass/LinkState.h"

#include <array>
#include <bitset>
#include <string_view>
#include <vector>

namespace app {

// Every command whose availability the link's state decides, by the name of its entry.
// Quit, help and about are always on and are not listed.
enum class Command {
    // Main menu.
    Activezlacommunicationsrie1,
    Communication1,
    Optionsgraphiques1,
    Optionspendule1,
    Etalonnagedelaboussole1,
    CentrageduzroNORD1,
    Dclinaisonmagntique1,
    Optionslogicielles1,
    Optionsmatrielles1,
    // Context menu.
    Activerlacommunicationsrie1,
    Portdecommunicationsrie1,
    Optionsgraphiques2,
    ypesdemenusdroulant1,
    Etalonnagede1,
    CentrageduzroNORD2,
    Dclinaisonmagntique2,
    Optionslogicielles2,
    Optionmatrielles1,
    // Tool bar.
    ToolButton1,
    ToolButton2,
    ToolButton3,
    ToolButton4,
    ToolButton6,
    ToolButton7,
    // The calibration panel's numbered buttons (BitBtn1 to BitBtn4; the waiting phase's shows).
    PhaseButtons,
};
inline constexpr int kCommandCount = static_cast<int>(Command::PhaseButtons) + 1;

class CommandSwitches {
public:
    bool On(Command command) const { return on_[static_cast<std::size_t>(command)]; }
    void Set(Command command, bool on) { on_[static_cast<std::size_t>(command)] = on; }
    friend bool operator==(const CommandSwitches &, const CommandSwitches &) = default;

private:
    std::bitset<kCommandCount> on_;
};

// How far the link is, as far as the commands go: the main menu follows a link start from
// its first step, the context menu and the tool bar only once its success box has closed.
enum class LinkReach {
    None,     // before the link, or once it is lost
    MainMenu, // a link start runs, or its success box is open
    Up,       // the link is up
};
LinkReach ReachOf(LinkStage stage);

// One situation of the link and the commands that are on in it: one character per command
// of each group, in the order of Command, 'X' on and '.' off.
struct AvailabilityRow {
    LinkReach reach;
    bool calibrating; // a calibration runs
    bool exchange;    // an exchange with the module runs
    std::string_view mainMenu;
    std::string_view contextMenu;
    std::string_view toolBar;
    std::string_view phaseButtons;
};
inline constexpr int kSituationCount = 3 * 2 * 2;
// The table of the commands on, one row per situation.
const std::array<AvailabilityRow, kSituationCount> &AvailabilityTable();
// The row of the state's situation.
const AvailabilityRow &SituationOf(const LinkState &state);

// The commands that are on in that state, as the table's row of its situation says.
CommandSwitches CommandsOn(const LinkState &state);

using CommandOrder = std::array<Command, kCommandCount>;

// A change of state whose commands switch in an order of their own: `first`, then every
// other command in the order of Command.
struct SwitchRow {
    const char *change;
    bool (*applies)(const LinkState &from, const LinkState &to);
    std::vector<Command> first;
};
// Tried in turn: the first row that applies gives the order.
const std::vector<SwitchRow> &SwitchTable();

// The order of the creation's switches, then every other command.
CommandOrder CreationOrder();
// The order in which the commands switch when the state goes from `from` to `to`: the first
// row of SwitchTable() that applies, or the order of Command.
CommandOrder SwitchOrder(const LinkState &from, const LinkState &to);

} // namespace app
