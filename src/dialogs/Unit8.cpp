#include "dialogs/Unit8.h"

#include "dialogs/DialogControls.h"
#include "dialogs/OptionControls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>

#include <array>

namespace app {

using settings::TSwitch;

namespace {

// Where the box of a row stands, counting the rows from the top.
QPoint RowPlace(int row) { return QPoint(8, 6 + row * 20); }

// The boxes in the order in which they are read and written.
std::array<TSwitchBox, 6> SwitchBoxes(const TForm8 &form) {
    return {{{form.CheckBox1, TSwitch::ConnectWarning},
             {form.CheckBox6, TSwitch::StandaloneNotice},
             {form.CheckBox4, TSwitch::DegreesDisplay},
             {form.CheckBox5, TSwitch::DirectionDisplay},
             {form.CheckBox3, TSwitch::Sound},
             {form.CheckBox2, TSwitch::Balloons}}};
}

} // namespace

TForm8::TForm8(MainWindowAccess &mainWindow)
    : TPreferenceForm(mainWindow, QCoreApplication::translate("TForm8", "Options logicielles"), 331,
                      157, QStringLiteral("rub9")) {
    // The rows from top to bottom.
    CheckBox1 = MakeCaptionlessButton<QCheckBox>(this, RowPlace(0));
    Label1 = MakeButtonText(
        CheckBox1, QCoreApplication::translate(
                       "TForm8", "Message d'avertissement avant lancement de la liaison série"));
    CheckBox6 = MakeCaptionlessButton<QCheckBox>(this, RowPlace(1));
    Label2 = MakeButtonText(
        CheckBox6,
        QCoreApplication::translate("TForm8", "Arrêt du programme avec message d'information"));
    CheckBox4 = MakeCaptionlessButton<QCheckBox>(this, RowPlace(2));
    Label3 = MakeButtonText(
        CheckBox4,
        QCoreApplication::translate("TForm8", "Affichage des degrés (CAP et aiguille rouge)"));
    CheckBox5 = MakeCaptionlessButton<QCheckBox>(this, RowPlace(3));
    Label4 = MakeButtonText(
        CheckBox5,
        QCoreApplication::translate("TForm8", "Affichage de la direction (CAP et aiguille rouge)"));
    CheckBox2 = MakeCaptionlessButton<QCheckBox>(this, RowPlace(4));
    Label5 = MakeButtonText(CheckBox2, QCoreApplication::translate("TForm8", "Infos bulles"));
    CheckBox3 = MakeCaptionlessButton<QCheckBox>(this, RowPlace(5));
    Label6 = MakeButtonText(CheckBox3, QCoreApplication::translate("TForm8", "Effets sonores"));

    MakeButtons(QRect(150, 124, 81, 27), QRect(242, 124, 81, 27));
}

void TForm8::ShowSlots() { ShowSwitches(View(), SwitchBoxes(*this)); }

void TForm8::StoreControls() {
    settings::SettingsView view = View();
    StoreSwitches(view, SwitchBoxes(*this));
}

} // namespace app
