// The main window's commands as the link's state switches them: the link (ModuleLink) says
// how far it is, which exchange runs and which calibration phase waits; the commands follow.
#include "mainwindow/Unit1.h"

#include <QPushButton>

namespace app {

void TForm1::BindCommands() {
    using C = Command;
    const std::pair<Command, platform::TActionComponent *> entries[] = {
        {C::Activezlacommunicationsrie1, Activezlacommunicationsrie1},
        {C::Communication1, Communication1},
        {C::Optionsgraphiques1, Optionsgraphiques1},
        {C::Optionspendule1, Optionspendule1},
        {C::Etalonnagedelaboussole1, Etalonnagedelaboussole1},
        {C::CentrageduzroNORD1, CentrageduzroNORD1},
        {C::Dclinaisonmagntique1, Dclinaisonmagntique1},
        {C::Optionslogicielles1, Optionslogicielles1},
        {C::Optionsmatrielles1, Optionsmatrielles1},
        {C::Activerlacommunicationsrie1, Activerlacommunicationsrie1},
        {C::Portdecommunicationsrie1, Portdecommunicationsrie1},
        {C::Optionsgraphiques2, Optionsgraphiques2},
        {C::ypesdemenusdroulant1, ypesdemenusdroulant1},
        {C::Etalonnagede1, Etalonnagede1},
        {C::CentrageduzroNORD2, CentrageduzroNORD2},
        {C::Dclinaisonmagntique2, Dclinaisonmagntique2},
        {C::Optionslogicielles2, Optionslogicielles2},
        {C::Optionmatrielles1, Optionmatrielles1},
        {C::ToolButton1, ToolButton1},
        {C::ToolButton2, ToolButton2},
        {C::ToolButton3, ToolButton3},
        {C::ToolButton4, ToolButton4},
        {C::ToolButton6, ToolButton6},
        {C::ToolButton7, ToolButton7},
    };
    for (const auto &[command, entry] : entries)
        commands_[static_cast<std::size_t>(command)] = entry;
}

platform::TActionComponent *TForm1::CommandEntry(Command command) const {
    return commands_[static_cast<std::size_t>(command)];
}

void TForm1::ApplyCommands(const CommandOrder &order) {
    const CommandSwitches on = CommandsOn(State());
    for (Command command : order) {
        if (command == Command::PhaseButtons) {
            for (QPushButton *button : PhaseButtons())
                button->setEnabled(on.On(command));
        } else {
            CommandEntry(command)->SetEnabled(on.On(command));
        }
    }
}

void TForm1::StateChanged(const LinkState &from, const LinkState &to) {
    ApplyCommands(SwitchOrder(from, to));
    emit LinkStateChanged(to);
}

} // namespace app
