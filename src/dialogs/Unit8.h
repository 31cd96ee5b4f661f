// The software options dialog: warnings, notices, display, balloons and sounds of the program.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

// The window only, so far: its controls and handlers are still to come.
class TForm8 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm8(MainWindowAccess &mainWindow);
};

} // namespace app
