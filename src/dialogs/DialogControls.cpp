#include "dialogs/DialogControls.h"

#include "dialogs/DialogBase.h"

#include <QLabel>
#include <QWidget>

namespace app {

QLabel *MakeLabel(QWidget *parent, const QString &text, QPoint at) {
    auto *label = new QLabel(text, parent);
    label->adjustSize();
    label->move(at);
    return label;
}

void SetTextColour(QWidget *widget, platform::TColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, platform::ToQColor(colour));
    widget->setPalette(palette);
}

void SetBold(QWidget *widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

QLabel *MakeButtonText(QAbstractButton *button, const QString &text) {
    auto *label = new QLabel(text, button->parentWidget());
    label->adjustSize();
    label->move(button->x() + 20, button->y() + (button->height() - label->height()) / 2);
    LinkLabelToButton(label, button);
    return label;
}

} // namespace app
