#include "dialogs/OptionPairDialog.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HelpTopics.h"
#include "platform/Guarded.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace app {

TOptionPairForm::TOptionPairForm(MainWindowAccess &mainWindow, const TOptionPairLayout &layout)
    : TDialogForm(mainWindow, layout.caption, layout.client.width(), layout.client.height()),
      binding_(layout.binding), helpTopic_(layout.helpTopic) {
    GroupBox1 = new QGroupBox(layout.groupTitle, this);
    GroupBox1->setGeometry(layout.group);
    RadioButton1 = MakeCaptionlessButton<QRadioButton>(GroupBox1, layout.option1);
    Label1 = MakeButtonText(RadioButton1, layout.text1);
    RadioButton2 = MakeCaptionlessButton<QRadioButton>(GroupBox1, layout.option2);
    Label2 = MakeButtonText(RadioButton2, layout.text2);
    BitBtn2 = MakeBitBtn(this, QStringLiteral("&Aide"), QStringLiteral("btn_aide.bmp"),
                         layout.helpButton);
    BitBtn1 =
        MakeBitBtn(this, QStringLiteral("&OK"), QStringLiteral("btn_ok.bmp"), layout.okButton);

    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn2Click(); }));
}

void TOptionPairForm::FormActivate() {
    if (const std::optional<int> button = binding_.selected(View()))
        (*button == 0 ? RadioButton1 : RadioButton2)->setChecked(true);
}

void TOptionPairForm::BitBtn1Click() {
    settings::SettingsView view = View();
    if (RadioButton1->isChecked())
        binding_.store(view, 0);
    else if (RadioButton2->isChecked())
        binding_.store(view, 1);
    HideDialog();
}

void TOptionPairForm::BitBtn2Click() { ShowHelpTopic(helpTopic_); }

} // namespace app
