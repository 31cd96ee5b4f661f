// Check boxes bound to the settings slots that hold an ON or an OFF keyword.
#pragma once

#include "settings/SettingsView.h"

#include <span>

class QCheckBox;

namespace app {

// A check box that stands for a switch slot: ticked for its ON keyword, clear for its OFF
// keyword.
struct TSwitchBox {
    QCheckBox *box;
    settings::TSwitch slot;
};

// Ticks or clears each box from its slot, in the given order; a slot holding any other text
// leaves its box as it is.
void ShowSwitches(const settings::SettingsView &view, std::span<const TSwitchBox> boxes);
// Writes each box's keyword into its slot, in the given order.
void StoreSwitches(settings::SettingsView &view, std::span<const TSwitchBox> boxes);

} // namespace app
