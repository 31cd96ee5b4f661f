// The family of the port choice and menu style dialogs: two option buttons, each with its
// text to its right, standing for two keywords of one settings slot.
#pragma once

#include "dialogs/DialogBase.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace app {

// What tells one dialog of the family from the other.
struct TOptionPairLayout {
    QString caption;
    QSize client;
    QString groupTitle;
    QRect group;
    QString text1;  // stands for keyword1
    QString text2;  // stands for keyword2
    QPoint option1; // the buttons' places in the frame; each text is 20 pixels to its right
    QPoint option2;
    QRect helpButton;
    QRect okButton;
    int slot;
    const char *keyword1;
    const char *keyword2;
    QString helpTopic;
};

class TOptionPairForm : public TDialogForm {
    Q_OBJECT

public:
    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1;
    QLabel *Label1;
    QRadioButton *RadioButton2;
    QLabel *Label2;
    QPushButton *BitBtn2; // "&Aide"
    QPushButton *BitBtn1; // "&OK"

    // Selects the button of the slot's keyword; any other text leaves the buttons as they are.
    void FormActivate() override;
    // "&OK": the slot takes the selected button's keyword (unchanged when neither is
    // selected); then the dialog hides and returns to the normal window level.
    void BitBtn1Click();
    // The close box stores exactly like "&OK".
    void FormClose() override { BitBtn1Click(); }
    // "&Aide".
    void BitBtn2Click();

protected:
    TOptionPairForm(MainWindowAccess &mainWindow, const TOptionPairLayout &layout);

private:
    int slot_;
    const char *keyword1_;
    const char *keyword2_;
    QString helpTopic_;
};

} // namespace app
