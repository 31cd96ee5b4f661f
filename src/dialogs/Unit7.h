// The zero-centring dialog: makes the module's present direction read as north.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

// The window only, so far: its controls and handlers are still to come.
class TForm7 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm7(MainWindowAccess &mainWindow);
};

} // namespace app
