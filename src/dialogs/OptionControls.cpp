#include "dialogs/OptionControls.h"

#include "dialogs/DialogBase.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include <optional>

namespace app {

namespace {

template <typename Button> Button *MakeButton(QWidget *parent, QPoint at) {
    auto *button = new Button(parent);
    button->move(at);
    button->adjustSize();
    return button;
}

} // namespace

QRadioButton *MakeOptionButton(QWidget *parent, QPoint at) {
    return MakeButton<QRadioButton>(parent, at);
}

QCheckBox *MakeCheckBox(QWidget *parent, QPoint at) { return MakeButton<QCheckBox>(parent, at); }

QLabel *MakeOptionText(QWidget *parent, QAbstractButton *button, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->adjustSize();
    label->move(button->x() + 20, button->y() + (button->height() - label->height()) / 2);
    LinkLabelToButton(label, button);
    return label;
}

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
