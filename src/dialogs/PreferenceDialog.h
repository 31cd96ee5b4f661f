// The dialogs that edit the program's own preferences: "&OK" and the close box store the
// controls into their slots and hide the dialog, "&Aide" shows the dialog's help topic. The
// main window's activation that follows the hiding saves the slots.
#pragma once

#include "dialogs/DialogBase.h"

class QHideEvent;
class QPushButton;
class QRect;

namespace app {

class TPreferenceForm : public TDialogForm {
    Q_OBJECT

public:
    QPushButton *BitBtn2 = nullptr; // "&Aide"
    QPushButton *BitBtn1 = nullptr; // "&OK"

    // "&OK": the slots take the controls' values; then the dialog hides and returns to the
    // normal window level. Nothing happens while ControlsValid() says no.
    void BitBtn1Click();
    // The close box stores exactly like "&OK"; unless a dialog says otherwise, there is no
    // way to leave without storing.
    void FormClose() override { BitBtn1Click(); }
    // "&Aide".
    void BitBtn2Click();

protected:
    TPreferenceForm(MainWindowAccess &mainWindow, const QString &caption, int clientWidth,
                    int clientHeight, const QString &helpTopic);

    // Makes "&Aide" and "&OK"; called once the other controls exist, so that the buttons
    // come last in the focus order.
    void MakeButtons(const QRect &helpButton, const QRect &okButton);

    // Whether "&OK" may store the controls; a dialog that says no shows why and stays open.
    virtual bool ControlsValid() { return true; }
    // Writes each control's value into its slot.
    virtual void StoreControls() = 0;
    // Shows the slots' values in the controls.
    virtual void ShowSlots() = 0;

    // The slots are shown once each time the dialog is shown: going to another window and
    // coming back keeps what the user has changed in the dialog.
    void FormActivate() final;
    void hideEvent(QHideEvent *event) override;

private:
    QString helpTopic_;
    bool slotsShown_ = false; // since the dialog was last shown
};

} // namespace app
