#include "dialogs/ParameterDialog.h"

namespace app {

void TParameterForm::TakeOverFromMainWindow() {
    MainWindow().HideMainWindow();
    MainWindow().SetParametersChanged(1);
}

void TParameterForm::ReturnToMainWindow() {
    HideDialog();
    MainWindow().ShowMainWindow();
}

} // namespace app
