#include "dialogs/Unit5.h"

namespace app {

TForm5::TForm5(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QStringLiteral("Déclinaison magnétique"), 475, 336) {}

} // namespace app
