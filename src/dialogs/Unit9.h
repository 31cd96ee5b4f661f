// The hardware options dialog: the compass module's option byte.
#pragma once

#include "dialogs/ParameterDialog.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace app {

// One box per bit of the option byte (bit k of box k + 1). The main window's
// HardwareOptionsValue is the sum of the bits of the ticked boxes: each box adds or
// removes its bit when its state changes, and the slot is rewritten from it at once.
// Boxes 7 and 8 carry their bits without a meaning and are never shown.
class TForm9 : public TParameterForm {
    Q_OBJECT

public:
    explicit TForm9(MainWindowAccess &mainWindow);

    static constexpr int OptionBits = 8;

    QCheckBox *CheckBox1; // bit 0: LCD display fitted
    QLabel *Label2;
    QCheckBox *CheckBox6; // bit 5: the LCD shows the heading rather than the red needle
    QLabel *Label8;
    QCheckBox *CheckBox2; // bit 1: averaging of the raw measurements
    QLabel *Label3;
    QCheckBox *CheckBox3; // bit 2: auxiliary serial link
    QLabel *Label4;
    QCheckBox *CheckBox4; // bit 3: LED compass display
    QLabel *Label5;
    QCheckBox *CheckBox5; // bit 4: mains frequency 60 Hz
    QLabel *Label6;
    QLabel *Label1;       // "F= 50Hz" / "F= 60Hz"
    QCheckBox *CheckBox7; // bit 6, hidden
    QCheckBox *CheckBox8; // bit 7, hidden
    QPushButton *BitBtn2; // "&Aide"
    QPushButton *BitBtn1; // "&OK"

    // The box of bit k.
    QCheckBox *Box(int bit) const { return boxes_[bit]; }

    // Decodes the slot into the boxes, bit 0 first (see the .cpp).
    void FormActivate() override;
    // CheckBox1Click ... CheckBox8Click: the box of `bit` changed state.
    void CheckBoxClick(int bit);
    // "&OK": nothing to store, the slot follows every box.
    void BitBtn1Click() { ReturnToMainWindow(); }
    void FormClose() override { BitBtn1Click(); }
    void BitBtn2Click();

private:
    // What follows the state of boxes 1, 5 and 6 besides the value.
    void ShowLcdFitted(bool fitted);
    void ShowMainsFrequency(bool sixtyHertz);
    void ShowLcdContent(bool heading);
    void ShowBitExtras(int bit, bool set);

    std::array<QCheckBox *, OptionBits> boxes_;
};

} // namespace app
