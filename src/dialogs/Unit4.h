// The menu style dialog: flat menus drawn by the menu painter, or the system's own menus.
#pragma once

#include "dialogs/OptionPairDialog.h"

namespace app {

// "Menus de type Microsoft Office XP" stands for MenuStyleSlot "NOUVEAU", "Menus de type
// conventionnel" for "ANCIEN"; the main window's next activation applies the slot.
class TForm4 : public TOptionPairForm {
    Q_OBJECT

public:
    explicit TForm4(MainWindowAccess &mainWindow);
};

} // namespace app
