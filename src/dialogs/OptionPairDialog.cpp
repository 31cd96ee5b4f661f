#include "dialogs/OptionPairDialog.h"

#include "dialogs/DialogControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace app {

TOptionPairForm::TOptionPairForm(MainWindowAccess &mainWindow, const TOptionPairLayout &layout)
    : TPreferenceForm(mainWindow, layout.caption, layout.client.width(), layout.client.height(),
                      layout.helpTopic),
      binding_(layout.binding) {
    GroupBox1 = new QGroupBox(layout.groupTitle, this);
    GroupBox1->setGeometry(layout.group);
    RadioButton1 = MakeCaptionlessButton<QRadioButton>(GroupBox1, layout.option1);
    Label1 = MakeButtonText(RadioButton1, layout.text1);
    RadioButton2 = MakeCaptionlessButton<QRadioButton>(GroupBox1, layout.option2);
    Label2 = MakeButtonText(RadioButton2, layout.text2);
    MakeButtons(layout.helpButton, layout.okButton);
}

void TOptionPairForm::ShowSlots() {
    if (const std::optional<int> button = binding_.selected(View()))
        (*button == 0 ? RadioButton1 : RadioButton2)->setChecked(true);
}

void TOptionPairForm::StoreControls() {
    settings::SettingsView view = View();
    if (RadioButton1->isChecked())
        binding_.store(view, 0);
    else if (RadioButton2->isChecked())
        binding_.store(view, 1);
}

} // namespace app
