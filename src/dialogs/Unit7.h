// The zero-centring dialog: makes the module's present direction read as north.
#pragma once

#include "dialogs/ParameterDialog.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace app {

// The user points the module north and presses "Activer le &centrage": the correction that
// brings the present reading (LastRawAngle, where 180 means north) to north is stored as a
// sign and a size of at most 20 degrees. "&RAZ centrage" clears the size. Every way out
// shows the main window, which then sends the parameters.
class TForm7 : public TParameterForm {
    Q_OBJECT

public:
    explicit TForm7(MainWindowAccess &mainWindow);

    // The largest correction, in degrees, that the centring accepts.
    static constexpr int MaxCorrection = 20;

    QGroupBox *GroupBox1;
    QFrame *Panel1;
    QLabel *Label5;            // "ATTENTION :"
    QLabel *Label6, *Label7;   // after the calibration
    QLabel *Label11, *Label12; // clear before centring again
    QLabel *Label9, *Label10;  // the declination is set to zero
    QLabel *Label1, *Label2, *Label8;
    QPushButton *BitBtn1; // "Activer le &centrage"
    QFrame *Bevel1;
    QLabel *Label3, *Label4;
    QPushButton *BitBtn2; // "&RAZ centrage"
    QPushButton *BitBtn3; // "&Aide"
    QPushButton *BitBtn4; // "&Sortir"

    void FormActivate() override { TakeOverFromMainWindow(); }
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    // The close box means "&Sortir".
    void FormClose() override { BitBtn4Click(); }

private:
    void MakeNotices();
    void MakeInstructions();
    QFont PlainFont() const;
};

} // namespace app
