// The hardware options dialog: the compass module's option byte.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

// The window only, so far: its controls and handlers are still to come.
class TForm9 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm9(MainWindowAccess &mainWindow);
};

} // namespace app
