// The magnetic declination dialog: side and size of the local declination.
#pragma once

#include "dialogs/DeclinationSetting.h"
#include "dialogs/ParameterDialog.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace app {

class TDeclinationCalculator;

// The side (west "+", east "-") and the size in whole degrees, on a track bar whose upper
// end is picked from a short list. The size is written to DeclinationSlot at every move
// of the bar; the range and the side when the dialog is left. The controls keep their
// state between openings, and a change made by the program notifies like the user's only
// when the value really changes. Beside them, a frame works the declination out for a place
// and a date and may set the controls to it.
class TForm5 : public TParameterForm {
    Q_OBJECT

public:
    explicit TForm5(MainWindowAccess &mainWindow);

    QFrame *Panel1;
    QLabel *Image1; // OUEST.BMP or EST.BMP
    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1; // west
    QLabel *Label6;
    QRadioButton *RadioButton2; // east
    QLabel *Label7;
    QGroupBox *GroupBox2;
    QLabel *Label1;
    QComboBox *ComboBox1; // the range
    QFrame *Bevel1;
    QLabel *Label2;
    QSlider *TrackBar1;
    QLabel *Label3;                    // "0", at the bar's left end
    QLabel *Label4;                    // the range, at its right end
    QLabel *Label5;                    // the declination in words
    QPushButton *BitBtn2;              // "&Aide"
    QPushButton *BitBtn1;              // "&OK"
    TDeclinationCalculator *GroupBox3; // " Calculer pour un lieu :"

    void FormActivate() override;
    // The user picked a range from the list (typing in its field raises nothing).
    void ComboBox1Click();
    void TrackBar1Change();
    void RadioButton1Click();
    void RadioButton2Click();
    // "&OK" and the close box store the range and the side, then leave. A typed range that is
    // not a whole number from 1 to 10 is refused with a message: nothing is stored, and the
    // dialog stays.
    void BitBtn1Click();
    void FormClose() override { BitBtn1Click(); }
    void BitBtn2Click();
    // The frame's "Appliquer": the range, the side and the position, set as the user would
    // set them, so the same handlers run and the same slots are written.
    void ApplyCalculated(const DeclinationSetting &setting);

private:
    void MakeSideGroup();
    void MakeSettingGroup();
    void ShowPicture(const QString &fileName);
    void ShowDeclinationText();
    void StoreRange();
    // Moves the bar from the program; TrackBar1Change runs when the position changes.
    void SetUpperEnd(int upper);
    void SetPosition(int position);
};

} // namespace app
