// The software options dialog: warnings, notices, display, balloons and sounds of the program.
#pragma once

#include "dialogs/PreferenceDialog.h"

class QCheckBox;
class QLabel;

namespace app {

// Six boxes, each standing for one switch slot (ticked for its ON keyword, clear for its OFF
// keyword). The main window obeys the slots from its next reading or command.
class TForm8 : public TPreferenceForm {
    Q_OBJECT

public:
    explicit TForm8(MainWindowAccess &mainWindow);

    QCheckBox *CheckBox1; // warning before the link starts
    QLabel *Label1;
    QCheckBox *CheckBox6; // notice when the program stops
    QLabel *Label2;
    QCheckBox *CheckBox4; // degrees
    QLabel *Label3;
    QCheckBox *CheckBox5; // direction names
    QLabel *Label4;
    QCheckBox *CheckBox2; // balloon hints
    QLabel *Label5;
    QCheckBox *CheckBox3; // sound effects
    QLabel *Label6;

    // Ticks or clears each box from its slot; a slot holding any other text leaves its box
    // as it is.
    void ShowSlots() override;

protected:
    // Each slot takes the keyword of its box.
    void StoreControls() override;
};

} // namespace app
