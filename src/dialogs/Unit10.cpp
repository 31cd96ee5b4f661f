#include "dialogs/Unit10.h"

namespace app {

TForm10::TForm10(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QStringLiteral("A propos de..."), 426, 544, Help::None) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

} // namespace app
