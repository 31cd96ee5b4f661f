// The option controls of the dialogs: option buttons and check boxes without captions of
// their own, each with its text as a separate label to its right, and check boxes bound to
// the settings slots that hold an ON or an OFF keyword.
#pragma once

#include "settings/SettingsView.h"

#include <QPoint>
#include <QString>

#include <span>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace app {

QRadioButton *MakeOptionButton(QWidget *parent, QPoint at);
QCheckBox *MakeCheckBox(QWidget *parent, QPoint at);
// The text of an option, 20 pixels right of its button and centred on it; a click on the
// text acts as a click on the button.
QLabel *MakeOptionText(QWidget *parent, QAbstractButton *button, const QString &text);

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
