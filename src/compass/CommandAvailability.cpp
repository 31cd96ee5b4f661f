#include "compass/CommandAvailability.h"

#include <algorithm>
#include <initializer_list>

namespace app {

namespace {

using C = Command;

// The given commands first, then all the others in the order of Command.
CommandOrder Order(std::initializer_list<Command> first) {
    CommandOrder order{};
    std::size_t next = 0;
    for (Command command : first)
        order[next++] = command;
    for (int index = 0; index < kCommandCount; ++index) {
        const auto command = static_cast<Command>(index);
        if (std::find(first.begin(), first.end(), command) == first.end())
            order[next++] = command;
    }
    return order;
}

// Whether the main menu, and the context menu and tool bar, show a link under way.
bool MainMenuStarted(LinkStage link) {
    return link == LinkStage::Starting || link == LinkStage::Answered || link == LinkStage::Up;
}

} // namespace

CommandSwitches CommandsOn(const LinkState &state) {
    const bool menuStarted = MainMenuStarted(state.link);
    const bool twinsUp = state.link == LinkStage::Up;
    const bool calibrating = state.Calibrating();
    const bool exchange = state.ExchangeRunning();

    CommandSwitches on;
    // Starting the link and choosing the port: until the link is up, or again once lost.
    on.Set(C::Activezlacommunicationsrie1, !menuStarted && !exchange);
    on.Set(C::Communication1, !menuStarted);
    on.Set(C::Activerlacommunicationsrie1, !twinsUp && !exchange);
    on.Set(C::ToolButton1, !twinsUp && !exchange);
    on.Set(C::Portdecommunicationsrie1, !twinsUp);
    on.Set(C::ToolButton2, !twinsUp);
    // The program's own preferences: off only while a calibration runs.
    for (Command command : {C::Optionspendule1, C::ypesdemenusdroulant1, C::Optionslogicielles1,
                            C::Optionslogicielles2, C::ToolButton6})
        on.Set(command, !calibrating);
    // The graphics options need the link.
    on.Set(C::Optionsgraphiques1, menuStarted && !calibrating);
    on.Set(C::Optionsgraphiques2, twinsUp && !calibrating);
    // The commands that lead to an exchange with the module need the link, and no
    // calibration or exchange under way.
    for (Command command : {C::Etalonnagedelaboussole1, C::CentrageduzroNORD1,
                            C::Dclinaisonmagntique1, C::Optionsmatrielles1})
        on.Set(command, menuStarted && !calibrating && !exchange);
    for (Command command : {C::Etalonnagede1, C::CentrageduzroNORD2, C::Dclinaisonmagntique2,
                            C::Optionmatrielles1, C::ToolButton3, C::ToolButton4, C::ToolButton7})
        on.Set(command, twinsUp && !calibrating && !exchange);
    // A phase is done over the link, one exchange at a time.
    on.Set(C::PhaseButtons, twinsUp && !exchange);
    return on;
}

CommandOrder CreationOrder() {
    return Order({C::Etalonnagedelaboussole1, C::Dclinaisonmagntique1, C::CentrageduzroNORD1,
                  C::ToolButton3, C::ToolButton4, C::ToolButton7, C::Etalonnagede1,
                  C::CentrageduzroNORD2, C::Dclinaisonmagntique2, C::Optionmatrielles1,
                  C::Optionsgraphiques2, C::Optionsgraphiques1, C::Optionsmatrielles1});
}

CommandOrder SwitchOrder(const LinkState &from, const LinkState &to) {
    if (from.Calibrating() != to.Calibrating())
        return Order({C::Optionspendule1, C::Optionsgraphiques1, C::Etalonnagedelaboussole1,
                      C::CentrageduzroNORD1, C::Dclinaisonmagntique1, C::Optionslogicielles1,
                      C::Optionsmatrielles1, C::ToolButton3, C::ToolButton4, C::ToolButton6,
                      C::ToolButton7, C::ypesdemenusdroulant1, C::Optionsgraphiques2,
                      C::Etalonnagede1, C::CentrageduzroNORD2, C::Dclinaisonmagntique2,
                      C::Optionslogicielles2, C::Optionmatrielles1});
    if (!MainMenuStarted(from.link) && MainMenuStarted(to.link))
        return Order({C::Activezlacommunicationsrie1, C::Communication1, C::Etalonnagedelaboussole1,
                      C::Dclinaisonmagntique1, C::CentrageduzroNORD1, C::Optionsmatrielles1,
                      C::Optionsgraphiques1});
    if (from.link != LinkStage::Up && to.link == LinkStage::Up)
        return Order({C::ToolButton3, C::ToolButton4, C::ToolButton7, C::Etalonnagede1,
                      C::CentrageduzroNORD2, C::Dclinaisonmagntique2, C::Optionmatrielles1,
                      C::Optionsgraphiques2, C::Activerlacommunicationsrie1,
                      C::Portdecommunicationsrie1, C::ToolButton1, C::ToolButton2});
    return Order({});
}

} // namespace app
