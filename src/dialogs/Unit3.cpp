#include "dialogs/Unit3.h"

namespace app {

TForm3::TForm3(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QStringLiteral("Options graphiques"), 367, 169) {}

} // namespace app
