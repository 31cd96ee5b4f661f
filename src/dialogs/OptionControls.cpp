#include "dialogs/OptionControls.h"

#include <QCheckBox>

#include <optional>

namespace app {

void ShowSwitches(const settings::SettingsView &view, std::span<const TSwitchBox> boxes) {
    for (const TSwitchBox &row : boxes)
        if (const std::optional<bool> on = view.Switch(row.slot))
            row.box->setChecked(*on);
}

void StoreSwitches(settings::SettingsView &view, std::span<const TSwitchBox> boxes) {
    for (const TSwitchBox &row : boxes)
        view.SetSwitch(row.slot, row.box->isChecked());
}

} // namespace app
