#include "dialogs/Unit3.h"

#include "dialogs/OptionControls.h"

#include <QCheckBox>
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
    : TPreferenceForm(mainWindow, QStringLiteral("Options graphiques"), 367, 169,
                      QStringLiteral("rub4")) {
    GroupBox1 = new QGroupBox(QStringLiteral(" Epaisseur aiguille boussole  "), this);
    GroupBox1->setGeometry(8, 4, 171, 89);
    RadioButton1 = MakeOptionButton(GroupBox1, QPoint(16, 22));
    Label1 = MakeOptionText(GroupBox1, RadioButton1, QStringLiteral("Fine"));
    RadioButton2 = MakeOptionButton(GroupBox1, QPoint(16, 42));
    Label2 = MakeOptionText(GroupBox1, RadioButton2, QStringLiteral("Moyenne"));
    RadioButton3 = MakeOptionButton(GroupBox1, QPoint(16, 62));
    Label3 = MakeOptionText(GroupBox1, RadioButton3, QStringLiteral("Grande"));

    GroupBox2 = new QGroupBox(QStringLiteral(" Longueur aiguille boussole "), this);
    GroupBox2->setGeometry(188, 4, 171, 89);
    RadioButton4 = MakeOptionButton(GroupBox2, QPoint(16, 22));
    Label5 = MakeOptionText(GroupBox2, RadioButton4, QStringLiteral("Courte"));
    RadioButton5 = MakeOptionButton(GroupBox2, QPoint(16, 42));
    Label6 = MakeOptionText(GroupBox2, RadioButton5, QStringLiteral("Moyenne"));
    RadioButton6 = MakeOptionButton(GroupBox2, QPoint(16, 62));
    Label7 = MakeOptionText(GroupBox2, RadioButton6, QStringLiteral("longue"));

    CheckBox1 = MakeCheckBox(this, QPoint(24, 104));
    Label8 = MakeOptionText(this, CheckBox1, QStringLiteral("Rose des vents"));
    CheckBox2 = MakeCheckBox(this, QPoint(24, 128));
    Label9 = MakeOptionText(this, CheckBox2, QStringLiteral("Cercle central"));

    MakeButtons(QRect(184, 134, 81, 27), QRect(278, 134, 81, 27));
}

void TForm3::FormActivate() {
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
