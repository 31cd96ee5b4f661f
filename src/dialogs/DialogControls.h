// Small pieces the dialogs build their controls from: labels in a colour or bold, a box or
// option button whose text is a label of its own, and changes made by the program that
// notify like a user's.
#pragma once

#include "platform/ui/Canvas.h"

#include <QAbstractButton>
#include <QPoint>
#include <QSignalBlocker>
#include <QString>

class QLabel;
class QWidget;

namespace app {

// A label sized to its text, its top-left corner at `at`.
QLabel *MakeLabel(QWidget *parent, const QString &text, QPoint at);
void SetTextColour(QWidget *widget, platform::TColor colour);
void SetBold(QWidget *widget);

// A box or option button without a caption of its own (the template picks which), at `at`.
template <typename Button> Button *MakeCaptionlessButton(QWidget *parent, QPoint at) {
    auto *button = new Button(parent);
    button->move(at);
    button->adjustSize();
    return button;
}
// The text of a captionless button, 20 pixels to its right and centred on it; a click on
// the text acts on the button.
QLabel *MakeButtonText(QAbstractButton *button, const QString &text);

// Ticks or clears a box, or selects an option button, from the program. As a user's click
// would, the change runs the button's handler, but only when the state really changes. The
// handler is called directly, not through the signal, so that an error it raises ends the
// caller's handler as well.
template <typename Handler>
void SetCheckedByProgram(QAbstractButton *button, bool checked, Handler &&onChange) {
    if (button->isChecked() == checked)
        return;
    {
        const QSignalBlocker quiet(button);
        button->setChecked(checked);
    }
    onChange();
}

} // namespace app
