#include "dialogs/Unit9.h"

namespace app {

TForm9::TForm9(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QStringLiteral("Options matérielles"), 289, 183) {}

} // namespace app
