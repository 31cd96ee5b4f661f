// The about box: product banner, conditions of use, author and system information.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

// The window only, so far: its controls and handlers are still to come.
class TForm10 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm10(MainWindowAccess &mainWindow);
};

} // namespace app
