// The dialogs that change the module's parameters (declination, zero-centring, hardware
// options) open and leave alike: while one is open the main window is hidden and the
// parameters are marked as changed; leaving it shows the main window again, whose
// activation then saves the settings file and sends the parameters to the module.
#pragma once

#include "dialogs/DialogBase.h"

namespace app {

class TParameterForm : public TDialogForm {
    Q_OBJECT

protected:
    using TDialogForm::TDialogForm;

    // The first step of each activation: hide the main window, mark the parameters.
    void TakeOverFromMainWindow();
    // Every way out: hide the dialog, back to the normal window level, show the main window.
    void ReturnToMainWindow();
};

} // namespace app
