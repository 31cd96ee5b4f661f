// The magnetic declination dialog: side and size of the local declination.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

// The window only, so far: its controls and handlers are still to come.
class TForm5 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm5(MainWindowAccess &mainWindow);
};

} // namespace app
