// Which of the main window's commands are on, as a function of the link's state, and the
// order in which they switch when the state changes.
#pragma once

#include "compass/LinkState.h"

#include <array>
#include <bitset>

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

// The commands that are on in that state:
// - before the link (and once it is lost): starting it, the port choice, the menu style and
//   the software options;
// - with the link up: all but starting it and the port choice;
// - while a calibration runs: none of the above but its phase buttons;
// - while an exchange with the module runs, nothing that would start another one: starting
//   the link, the calibration and its phase buttons, the zero-centring, the declination and
//   the hardware options.
// The main menu follows a link start from its first step; the context menu and the tool bar
// only once its success box has closed.
CommandSwitches CommandsOn(const LinkState &state);

using CommandOrder = std::array<Command, kCommandCount>;

// The order of the creation's switches, then every other command.
CommandOrder CreationOrder();
// The order in which the commands switch when the state goes from `from` to `to`: at the
// link start's first step and after its success box, and at the calibration's start and
// end, the order of those steps; then every other command, in the order of Command.
CommandOrder SwitchOrder(const LinkState &from, const LinkState &to);

} // namespace app
