// The port choice dialog: COM1 or COM2 for the link to the compass module.
#pragma once

#include "dialogs/OptionPairDialog.h"

namespace app {

// "COM 1" stands for PortSlot "1", "COM2" for "2"; the main window's next activation
// reopens the port from the slot.
class TForm2 : public TOptionPairForm {
    Q_OBJECT

public:
    explicit TForm2(MainWindowAccess &mainWindow);
};

} // namespace app
