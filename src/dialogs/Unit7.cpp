#include "dialogs/Unit7.h"

namespace app {

TForm7::TForm7(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QStringLiteral("Centrage du zéro (NORD)"), 441, 463) {}

} // namespace app
