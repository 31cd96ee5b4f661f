// The main window's four-phase calibration: the question before it starts, one exchange
// with the module per phase, the final message. The phase that waits is part of the link's
// state, which keeps the commands off while the calibration runs.
#include "link/CalibrationPhases.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace app {

std::array<QLabel *, 4> TForm1::PhaseLabels() const { return {Label2, Label3, Label1, Label4}; }

std::array<QPushButton *, 4> TForm1::PhaseButtons() const {
    return {BitBtn1, BitBtn2, BitBtn3, BitBtn4};
}

void TForm1::Etalonnagedelaboussole1Click(TObject *) {
    if (!platform::MessageBoxes::WarningQuestion(QCoreApplication::translate(
            "TForm1", "      Êtes-vous sûr de vouloir effectuer l'étalonnage de la "
                      "boussole ?\nAttention, si vous répondez Oui, les anciens paramètres "
                      "seront effacés...")))
        return;
    link_->SetCalibrationPhase(1);
    Panel1->hide();
    Panel2->show();
    ShowCalibrationPhase(0);
}

void TForm1::BitBtn1Click(TObject *) { EndCalibrationPhase(0); }
void TForm1::BitBtn2Click(TObject *) { EndCalibrationPhase(1); }
void TForm1::BitBtn3Click(TObject *) { EndCalibrationPhase(2); }
void TForm1::BitBtn4Click(TObject *) { EndCalibrationPhase(3); }

// Shows the phase's label and button alone, its status text and its picture.
void TForm1::ShowCalibrationPhase(int phase) {
    const CalibrationPhase &shown = CalibrationPhases()[phase];
    PhaseLabels()[phase]->show();
    PhaseButtons()[phase]->show();
    PhaseButtons()[phase]->setFocus();
    SetStatusText(StatusPanel::Operation, shown.status);
    for (int other = 0; other < CalibrationPhaseCount; ++other) {
        if (other == phase)
            continue;
        PhaseLabels()[other]->hide();
        PhaseButtons()[other]->hide();
    }
    const QString file = platform::InstallDir::File(shown.picture);
    QImage picture;
    if (!picture.load(file)) {
        // No picture rather than the previous phase's, which would show the wrong pose.
        Image2->SetPicture(QImage());
        throw platform::EFOpenError(file);
    }
    Image2->SetPicture(picture);
}

void TForm1::EndCalibrationPhase(int phase) {
    PlayEffect(QStringLiteral("canopen.wav"));
    QLabel *label = PhaseLabels()[phase];
    QPushButton *button = PhaseButtons()[phase];
    label->hide();
    button->hide();
    bool sent = false;
    try {
        sent = CalibrationExchange();
    } catch (...) {
        // The exchange failed before the module got the command (the handshake or the
        // write itself): the phase waits again, so that it can be retried once the module
        // is back, instead of leaving a panel without any button.
        label->show();
        button->show();
        throw;
    }
    if (platform::Application::Instance().Terminated())
        return; // the module did not answer: the program ends here
    if (!sent) {
        // The device went away before the module got the command: the phase waits again,
        // to be done once the link is back.
        label->show();
        button->show();
        return;
    }

    if (phase + 1 < CalibrationPhaseCount) {
        link_->SetCalibrationPhase(phase + 2);
        ShowCalibrationPhase(phase + 1);
        return;
    }
    SetStatusText(StatusPanel::Operation,
                  QCoreApplication::translate("TForm1", "Etalonnage achevé..."));
    platform::MessageBoxes::Information(QCoreApplication::translate(
        "TForm1", "                             Félicitations !!!\nLa procédure "
                  "d'étalonnage en quatre phases est terminée."));
    link_->SetCalibrationPhase(0);
    Panel1->show();
    Panel2->hide();
    SetStatusText(StatusPanel::Operation, QString());
}

} // namespace app
