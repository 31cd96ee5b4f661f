// The graphics options dialog: thickness and length of the needle, wind rose and centre circle on
// the dial.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

// The window only, so far: its controls and handlers are still to come.
class TForm3 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm3(MainWindowAccess &mainWindow);
};

} // namespace app
