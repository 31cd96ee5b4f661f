// The heading output dialog "Partage du cap (NMEA 0183)": which outputs send the heading to
// navigation software, where to, whether the true heading goes too, and, live, whether each
// output works and the last sentence it delivered.
#pragma once

#include "dialogs/PreferenceDialog.h"

#include <optional>

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace nmea {
class HeadingShare;
struct ShareSettings;
} // namespace nmea

namespace app {

// The choices are the user's, kept in Ventrose.conf; "&OK" applies them at once, unless a
// field holds what cannot work: the dialog then says what, and stays open. Leaving it any
// other way (the close box, Escape) changes nothing. Outputs switched on by the command line
// are shown, not stored. The dialog grows with what it lists.
class THeadingShareForm : public TPreferenceForm {
    Q_OBJECT

public:
    THeadingShareForm(MainWindowAccess &mainWindow, nmea::HeadingShare &share);

    QGroupBox *OutputsGroup;
    QCheckBox *UdpBox;
    QLabel *UdpLabel;
    QLineEdit *UdpHostEdit;
    QLineEdit *UdpPortEdit;
    QCheckBox *TcpBox;
    QLabel *TcpLabel;
    QLineEdit *TcpAddressEdit;
    QLineEdit *TcpPortEdit;
    QCheckBox *PtyBox;
    QLabel *PtyLabel;
    QCheckBox *TrueHeadingBox;
    QLabel *TrueHeadingLabel;
    QLabel *RunChoiceLabel; // what the command line switched on
    QLabel *ProblemLabel;   // what "&OK" found wrong in the fields
    QGroupBox *LiveGroup;
    QLabel *OutputStatesLabel; // per output: its problem, or the last sentence it delivered
    QLabel *ClientsLabel;

    void FormClose() override { HideDialog(); }

protected:
    // Shows the user's choice and the live state, once per opening.
    void ShowSlots() override;
    // Says the first field that cannot work, and keeps the dialog open.
    bool ControlsValid() override;
    // Applies the controls' choice to the outputs and keeps it in Ventrose.conf.
    void StoreControls() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ShowChoice(const nmea::ShareSettings &settings);
    void ShowLiveState();
    // Places the texts of varying height one under the other, and sizes the window to them.
    void LayOut();
    // The field's problem in the dialog, and the focus on it.
    bool Refuse(QLineEdit *field, const QString &problem);

    nmea::HeadingShare &share_;
};

} // namespace app
