// The heading output dialog "Partage du cap (NMEA 0183)": which outputs send the heading to
// navigation software, where to, whether the true heading goes too, and, live, the last
// sentence sent and the clients connected.
#pragma once

#include "dialogs/PreferenceDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace nmea {
class HeadingShare;
struct ShareSettings;
} // namespace nmea

namespace app {

// The choices are the user's, kept in Ventrose.conf; "&OK" and the close box apply them at
// once. Outputs switched on by the command line are shown, not stored.
class THeadingShareForm : public TPreferenceForm {
    Q_OBJECT

public:
    THeadingShareForm(MainWindowAccess &mainWindow, nmea::HeadingShare &share);

    QGroupBox *GroupBox1; // the outputs
    QCheckBox *CheckBox1; // UDP
    QLabel *Label1;
    QLineEdit *Edit1; // its host
    QSpinBox *SpinEdit1;
    QCheckBox *CheckBox2; // TCP server
    QLabel *Label2;
    QLineEdit *Edit2; // the address it listens on
    QSpinBox *SpinEdit2;
    QCheckBox *CheckBox3; // pseudo-terminal
    QLabel *Label3;
    QCheckBox *CheckBox4; // true heading
    QLabel *Label4;
    QLabel *Label5; // what the command line switched on
    QGroupBox *GroupBox2;
    QLabel *Label6; // the last sentence sent
    QLabel *Label7; // the clients connected

protected:
    // Shows the user's choice and the live state, once per opening.
    void ShowSlots() override;
    // Applies the controls' choice to the outputs and keeps it in Ventrose.conf.
    void StoreControls() override;

private:
    void ShowChoice(const nmea::ShareSettings &settings);
    void ShowLiveState();

    nmea::HeadingShare &share_;
};

} // namespace app
