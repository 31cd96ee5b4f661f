#include "dialogs/PreferenceDialog.h"

#include "dialogs/HelpTopics.h"
#include "platform/app/Guarded.h"

#include <QCoreApplication>
#include <QHideEvent>
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
    if (!ControlsValid())
        return;
    StoreControls();
    HideDialog();
}

void TPreferenceForm::BitBtn2Click() { ShowHelpTopic(helpTopic_); }

void TPreferenceForm::FormActivate() {
    if (slotsShown_)
        return;
    slotsShown_ = true;
    ShowSlots();
}

void TPreferenceForm::hideEvent(QHideEvent *event) {
    // A window minimised by the user is the same opening when it comes back.
    if (!event->spontaneous())
        slotsShown_ = false;
    TDialogForm::hideEvent(event);
}

} // namespace app
