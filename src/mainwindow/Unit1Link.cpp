// The main window as the link's view: the texts, sounds and boxes the link asks for, the
// progress of a handshake, the wait box, the compass labels of a link up or lost, and the
// link's return once its device is back.
#include "dialogs/Unit6.h"
#include "mainwindow/DeferredCall.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Unit1.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace app {

void TForm1::HandshakeProgress(std::optional<int> ticks) {
    if (!ticks) {
        ProgressBar1->hide();
        return;
    }
    ProgressBar1->setRange(0, ModuleLink::kHandshakeTimeoutTicks);
    ProgressBar1->setValue(*ticks);
    ProgressBar1->show();
}

void TForm1::ShowLinkText(LinkText text) {
    const char *source = "";
    switch (text) {
    case LinkText::Connecting:
        source = QT_TRANSLATE_NOOP("TForm1", "Communication PC & boussole en cours...");
        break;
    case LinkText::Established:
        source = QT_TRANSLATE_NOOP("TForm1", "Communication établie...");
        break;
    case LinkText::Failed:
        source = QT_TRANSLATE_NOOP("TForm1", "Communication échouée...");
        break;
    case LinkText::Transferring:
        source = QT_TRANSLATE_NOOP("TForm1", "Transfert des paramètres...");
        break;
    case LinkText::Transferred:
        source = QT_TRANSLATE_NOOP("TForm1", "Transfert effectué...");
        break;
    case LinkText::Cleared:
        break;
    case LinkText::Stopping:
        source = QT_TRANSLATE_NOOP("TForm1", "Le programme va s'arrêter...");
        break;
    case LinkText::Standalone:
        source = QT_TRANSLATE_NOOP("TForm1", "Boussole autonome...");
        break;
    case LinkText::Lost:
        source = QT_TRANSLATE_NOOP("TForm1", "Communication perdue avec la boussole...");
        break;
    case LinkText::Restored:
        source = QT_TRANSLATE_NOOP("TForm1", "Communication rétablie...");
        break;
    case LinkText::NotRestored:
        source = QT_TRANSLATE_NOOP("TForm1", "Communication non rétablie...");
        break;
    }
    SetStatusText(StatusPanel::Operation,
                  *source ? QCoreApplication::translate("TForm1", source) : QString());
}

void TForm1::PlayLinkSound(LinkSound sound) {
    PlayEffect(sound == LinkSound::Applause ? QStringLiteral("applaud.wav")
                                            : QStringLiteral("error.wav"));
}

void TForm1::ShowLinkBox(LinkBox box) {
    switch (box) {
    case LinkBox::ConnectWarning:
        platform::MessageBoxes::Information(QCoreApplication::translate(
            "TForm1", "Assurez-vous d'avoir connecté le cordon RS232 entre le PC et la "
                      "boussole,\n           puis mettez la boussole sous tension et "
                      "cliquez sur OK."));
        return;
    case LinkBox::Established:
        platform::MessageBoxes::Information(QCoreApplication::translate(
            "TForm1", "     Félicitations !!!\nCommunication établie."));
        return;
    case LinkBox::TimedOut:
        platform::MessageBoxes::Warning(
            QCoreApplication::translate("TForm1", "Communication avec la boussole échouée !\n"
                                                  "          Le programme va s'arrêter.\n"
                                                  "   Vérifiez l'ensemble de vos connexions."));
        return;
    }
}

void TForm1::ShowWaitBox(bool shown) {
    if (shown)
        dialogs_.Form6->ShowWait();
    else
        dialogs_.Form6->HideWait();
}

// Up: the compass labels take the author notice's place. Lost: the dial as at start, no
// needle, no heading.
void TForm1::ShowLink(bool up) {
    Label5->setVisible(!up);
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->setVisible(up);
    if (up)
        return;
    SetPanel1Colour(Qt::white);
    Image1->SetPicture(QImage(platform::InstallDir::File(QStringLiteral("cercle5.bmp"))));
}

// Not before the handler that ran the exchange is done, nor inside the error box that may
// follow it.
void TForm1::HeldQuitReleased() { heldQuit_->Request(); }

void TForm1::DeviceReturned() {
    if (State().link == LinkStage::Lost)
        restartLink_->Request();
}

} // namespace app
