// The graphics options dialog: thickness and length of the needle, wind rose and centre circle on
// the dial.
#pragma once

#include "dialogs/PreferenceDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace app {

// Each frame's buttons stand for the keywords of one slot: NeedleWidthSlot "Fine",
// "Moyenne", "Grande" and NeedleLengthSlot "Courte", "Moyenne", "Longue"; the boxes stand
// for RoseSlot and HubSlot. The main window draws with them from its next reading.
class TForm3 : public TPreferenceForm {
    Q_OBJECT

public:
    explicit TForm3(MainWindowAccess &mainWindow);

    QGroupBox *GroupBox1; // the needle's thickness
    QRadioButton *RadioButton1;
    QLabel *Label1;
    QRadioButton *RadioButton2;
    QLabel *Label2;
    QRadioButton *RadioButton3;
    QLabel *Label3;
    QGroupBox *GroupBox2; // the needle's length
    QRadioButton *RadioButton4;
    QLabel *Label5;
    QRadioButton *RadioButton5;
    QLabel *Label6;
    QRadioButton *RadioButton6;
    QLabel *Label7;
    QCheckBox *CheckBox1; // wind rose
    QLabel *Label8;
    QCheckBox *CheckBox2; // centre circle
    QLabel *Label9;

    // Selects the button of each slot's keyword and ticks or clears the boxes; a slot holding
    // any other text leaves its control as it is.
    void ShowSlots() override;

protected:
    // Each slot takes its control's keyword; a frame with no button selected leaves its slot
    // as it is.
    void StoreControls() override;
};

} // namespace app
