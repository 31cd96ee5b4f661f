#include "dialogs/Unit8.h"

namespace app {

TForm8::TForm8(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QStringLiteral("Options logicielles"), 331, 157) {}

} // namespace app
