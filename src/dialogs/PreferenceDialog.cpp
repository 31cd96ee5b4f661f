#include "dialogs/PreferenceDialog.h"

#include "dialogs/HelpTopics.h"
#include "platform/Guarded.h"

#include <QCoreApplication>
#include <QPushButton>

namespace app {

TPreferenceForm::TPreferenceForm(MainWindowAccess &mainWindow, const QString &caption,
                                 int clientWidth, int clientHeight, const QString &helpTopic)
    : TDialogForm(mainWindow, caption, clientWidth, clientHeight), helpTopic_(helpTopic) {}

void TPreferenceForm::MakeButtons(const QRect &helpButton, const QRect &okButton) {
    BitBtn2 = MakeBitBtn(this, QCoreApplication::translate("Dialogs", "&Aide"),
                         QStringLiteral("btn_aide.bmp"), helpButton);
    BitBtn1 = MakeBitBtn(this, QCoreApplication::translate("Dialogs", "&OK"),
                         QStringLiteral("btn_ok.bmp"), okButton);
    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn2Click(); }));
}

void TPreferenceForm::BitBtn1Click() {
    StoreControls();
    HideDialog();
}

void TPreferenceForm::BitBtn2Click() { ShowHelpTopic(helpTopic_); }

} // namespace app
