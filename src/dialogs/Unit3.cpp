#include "dialogs/Unit3.h"

#include "dialogs/DialogControls.h"
#include "dialogs/OptionControls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <array>
#include <optional>

namespace app {

using settings::TNeedleLength;
using settings::TNeedleWidth;
using settings::TSwitch;

namespace {

// The buttons of one frame and the value each stands for.
template <typename Value> using Choices = std::array<std::pair<QRadioButton *, Value>, 3>;

template <typename Value>
void SelectChoice(const Choices<Value> &choices, std::optional<Value> value) {
    for (const auto &[button, choice] : choices)
        if (value == choice)
            button->setChecked(true);
}

template <typename Value> std::optional<Value> SelectedChoice(const Choices<Value> &choices) {
    for (const auto &[button, choice] : choices)
        if (button->isChecked())
            return choice;
    return std::nullopt;
}

Choices<TNeedleWidth> WidthChoices(const TForm3 &form) {
    return {{{form.RadioButton1, TNeedleWidth::Fine},
             {form.RadioButton2, TNeedleWidth::Medium},
             {form.RadioButton3, TNeedleWidth::Large}}};
}

Choices<TNeedleLength> LengthChoices(const TForm3 &form) {
    return {{{form.RadioButton4, TNeedleLength::Short},
             {form.RadioButton5, TNeedleLength::Medium},
             {form.RadioButton6, TNeedleLength::Long}}};
}

std::array<TSwitchBox, 2> SwitchBoxes(const TForm3 &form) {
    return {{{form.CheckBox1, TSwitch::Rose}, {form.CheckBox2, TSwitch::Hub}}};
}

} // namespace

TForm3::TForm3(MainWindowAccess &mainWindow)
    : TPreferenceForm(mainWindow, QCoreApplication::translate("TForm3", "Options graphiques"), 367,
                      169, QStringLiteral("rub4")) {
    GroupBox1 = new QGroupBox(
        QCoreApplication::translate("TForm3", " Epaisseur aiguille boussole  "), this);
    GroupBox1->setGeometry(8, 4, 171, 89);
    RadioButton1 = MakeCaptionlessButton<QRadioButton>(GroupBox1, QPoint(16, 22));
    Label1 = MakeButtonText(RadioButton1, QCoreApplication::translate("TForm3", "Fine"));
    RadioButton2 = MakeCaptionlessButton<QRadioButton>(GroupBox1, QPoint(16, 42));
    Label2 = MakeButtonText(RadioButton2, QCoreApplication::translate("TForm3", "Moyenne"));
    RadioButton3 = MakeCaptionlessButton<QRadioButton>(GroupBox1, QPoint(16, 62));
    Label3 = MakeButtonText(RadioButton3, QCoreApplication::translate("TForm3", "Grande"));

    GroupBox2 =
        new QGroupBox(QCoreApplication::translate("TForm3", " Longueur aiguille boussole "), this);
    GroupBox2->setGeometry(188, 4, 171, 89);
    RadioButton4 = MakeCaptionlessButton<QRadioButton>(GroupBox2, QPoint(16, 22));
    Label5 = MakeButtonText(RadioButton4, QCoreApplication::translate("TForm3", "Courte"));
    RadioButton5 = MakeCaptionlessButton<QRadioButton>(GroupBox2, QPoint(16, 42));
    Label6 = MakeButtonText(RadioButton5, QCoreApplication::translate("TForm3", "Moyenne"));
    RadioButton6 = MakeCaptionlessButton<QRadioButton>(GroupBox2, QPoint(16, 62));
    Label7 = MakeButtonText(RadioButton6, QCoreApplication::translate("TForm3", "longue"));

    CheckBox1 = MakeCaptionlessButton<QCheckBox>(this, QPoint(24, 104));
    Label8 = MakeButtonText(CheckBox1, QCoreApplication::translate("TForm3", "Rose des vents"));
    CheckBox2 = MakeCaptionlessButton<QCheckBox>(this, QPoint(24, 128));
    Label9 = MakeButtonText(CheckBox2, QCoreApplication::translate("TForm3", "Cercle central"));

    MakeButtons(QRect(184, 134, 81, 27), QRect(278, 134, 81, 27));
}

void TForm3::ShowSlots() {
    const settings::SettingsView view = View();
    SelectChoice(WidthChoices(*this), view.NeedleWidth());
    SelectChoice(LengthChoices(*this), view.NeedleLength());
    ShowSwitches(view, SwitchBoxes(*this));
}

void TForm3::StoreControls() {
    settings::SettingsView view = View();
    if (const auto width = SelectedChoice(WidthChoices(*this)))
        view.SetNeedleWidth(*width);
    if (const auto length = SelectedChoice(LengthChoices(*this)))
        view.SetNeedleLength(*length);
    StoreSwitches(view, SwitchBoxes(*this));
}

} // namespace app
