#include "compass/CommandAvailability.h"

#include <algorithm>
#include <initializer_list>

namespace app {

namespace {

using C = Command;
using R = LinkReach;

// Where each group of commands starts in Command, and how many it holds.
constexpr int kMainMenuFirst = static_cast<int>(C::Activezlacommunicationsrie1);
constexpr int kContextMenuFirst = static_cast<int>(C::Activerlacommunicationsrie1);
constexpr int kToolBarFirst = static_cast<int>(C::ToolButton1);
constexpr int kPhaseButtonsFirst = static_cast<int>(C::PhaseButtons);
static_assert(kMainMenuFirst == 0 && kContextMenuFirst == 9 && kToolBarFirst == 18 &&
              kPhaseButtonsFirst == 24 && kCommandCount == 25);

// The columns, by the letters of their commands:
//   main and context menus: A start the link, C / P the port choice, G graphics options,
//   T menu style, E calibration, Z zero-centring, D declination, L software options,
//   M hardware options; tool bar: the buttons 1 2 3 4 6 7; the calibration's phase buttons.
// The rules the rows follow: before the link (and once it is lost) only starting it, the
// port choice and the program's own preferences are on; with the link up all but starting
// it and the port choice; a calibration switches off everything but its phase buttons and
// what is needed to start the link again; an exchange switches off whatever would start
// another one (the link start, the calibration and its phases, the zero-centring, the
// declination, the hardware options).
// clang-format off
constexpr std::array<AvailabilityRow, kSituationCount> kTable = {{
    // link        calibration  exchange  main menu    context menu  tool bar  phases
    //                                    ACGTEZDLM    APGTEZDLM     123467
    {R::None,     false,       false,    "XX.X...X.", "XX.X...X.",  "XX..X.", "."},
    {R::None,     false,       true,     ".X.X...X.", ".X.X...X.",  ".X..X.", "."},
    {R::None,     true,        false,    "XX.......", "XX.......",  "XX....", "."},
    {R::None,     true,        true,     ".X.......", ".X.......",  ".X....", "."},
    {R::MainMenu, false,       false,    "..XXXXXXX", "XX.X...X.",  "XX..X.", "."},
    {R::MainMenu, false,       true,     "..XX...X.", ".X.X...X.",  ".X..X.", "."},
    {R::MainMenu, true,        false,    ".........", "XX.......",  "XX....", "."},
    {R::MainMenu, true,        true,     ".........", ".X.......",  ".X....", "."},
    {R::Up,       false,       false,    "..XXXXXXX", "..XXXXXXX",  "..XXXX", "X"},
    {R::Up,       false,       true,     "..XX...X.", "..XX...X.",  "....X.", "."},
    {R::Up,       true,        false,    ".........", ".........",  "......", "X"},
    {R::Up,       true,        true,     ".........", ".........",  "......", "."},
}};
// clang-format on

constexpr bool Marks(std::string_view column, int length) {
    if (static_cast<int>(column.size()) != length)
        return false;
    return std::all_of(column.begin(), column.end(), [](char c) { return c == 'X' || c == '.'; });
}

// Every row as wide as its groups, every situation once.
constexpr bool WellFormed() {
    for (std::size_t row = 0; row < kTable.size(); ++row) {
        const AvailabilityRow &r = kTable[row];
        if (!Marks(r.mainMenu, kContextMenuFirst - kMainMenuFirst) ||
            !Marks(r.contextMenu, kToolBarFirst - kContextMenuFirst) ||
            !Marks(r.toolBar, kPhaseButtonsFirst - kToolBarFirst) ||
            !Marks(r.phaseButtons, kCommandCount - kPhaseButtonsFirst))
            return false;
        for (std::size_t other = 0; other < row; ++other)
            if (kTable[other].reach == r.reach && kTable[other].calibrating == r.calibrating &&
                kTable[other].exchange == r.exchange)
                return false;
    }
    return true;
}
static_assert(WellFormed(), "a row of the table is malformed or a situation is there twice");

// The given commands first, then all the others in the order of Command.
CommandOrder Order(const std::vector<Command> &first) {
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

} // namespace

LinkReach ReachOf(LinkStage stage) {
    switch (stage) {
    case LinkStage::Starting:
    case LinkStage::Answered:
        return LinkReach::MainMenu;
    case LinkStage::Up:
        return LinkReach::Up;
    case LinkStage::Down:
    case LinkStage::Lost:
        break;
    }
    return LinkReach::None;
}

const std::array<AvailabilityRow, kSituationCount> &AvailabilityTable() { return kTable; }

const AvailabilityRow &SituationOf(const LinkState &state) {
    const LinkReach reach = ReachOf(state.link);
    for (const AvailabilityRow &row : kTable)
        if (row.reach == reach && row.calibrating == state.Calibrating() &&
            row.exchange == state.ExchangeRunning())
            return row;
    return kTable.front(); // not reached: the table has every situation (WellFormed)
}

CommandSwitches CommandsOn(const LinkState &state) {
    const AvailabilityRow &row = SituationOf(state);
    CommandSwitches on;
    const std::pair<int, std::string_view> groups[] = {{kMainMenuFirst, row.mainMenu},
                                                       {kContextMenuFirst, row.contextMenu},
                                                       {kToolBarFirst, row.toolBar},
                                                       {kPhaseButtonsFirst, row.phaseButtons}};
    for (const auto &[first, marks] : groups)
        for (std::size_t column = 0; column < marks.size(); ++column)
            on.Set(static_cast<Command>(first + static_cast<int>(column)), marks[column] == 'X');
    return on;
}

const std::vector<SwitchRow> &SwitchTable() {
    static const std::vector<SwitchRow> table = {
        {"calibration start or end",
         [](const LinkState &from, const LinkState &to) {
             return from.Calibrating() != to.Calibrating();
         },
         {C::Optionspendule1, C::Optionsgraphiques1, C::Etalonnagedelaboussole1,
          C::CentrageduzroNORD1, C::Dclinaisonmagntique1, C::Optionslogicielles1,
          C::Optionsmatrielles1, C::ToolButton3, C::ToolButton4, C::ToolButton6, C::ToolButton7,
          C::ypesdemenusdroulant1, C::Optionsgraphiques2, C::Etalonnagede1, C::CentrageduzroNORD2,
          C::Dclinaisonmagntique2, C::Optionslogicielles2, C::Optionmatrielles1}},
        {"link start's first step",
         [](const LinkState &from, const LinkState &to) {
             return ReachOf(from.link) == LinkReach::None && ReachOf(to.link) != LinkReach::None;
         },
         {C::Activezlacommunicationsrie1, C::Communication1, C::Etalonnagedelaboussole1,
          C::Dclinaisonmagntique1, C::CentrageduzroNORD1, C::Optionsmatrielles1,
          C::Optionsgraphiques1}},
        {"link up",
         [](const LinkState &from, const LinkState &to) {
             return from.link != LinkStage::Up && to.link == LinkStage::Up;
         },
         {C::ToolButton3, C::ToolButton4, C::ToolButton7, C::Etalonnagede1, C::CentrageduzroNORD2,
          C::Dclinaisonmagntique2, C::Optionmatrielles1, C::Optionsgraphiques2,
          C::Activerlacommunicationsrie1, C::Portdecommunicationsrie1, C::ToolButton1,
          C::ToolButton2}},
    };
    return table;
}

CommandOrder CreationOrder() {
    return Order({C::Etalonnagedelaboussole1, C::Dclinaisonmagntique1, C::CentrageduzroNORD1,
                  C::ToolButton3, C::ToolButton4, C::ToolButton7, C::Etalonnagede1,
                  C::CentrageduzroNORD2, C::Dclinaisonmagntique2, C::Optionmatrielles1,
                  C::Optionsgraphiques2, C::Optionsgraphiques1, C::Optionsmatrielles1});
}

CommandOrder SwitchOrder(const LinkState &from, const LinkState &to) {
    for (const SwitchRow &row : SwitchTable())
        if (row.applies(from, to))
            return Order(row.first);
    return Order({});
}

} // namespace app
