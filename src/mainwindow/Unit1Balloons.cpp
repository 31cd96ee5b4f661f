// The main window's balloon help: a balloon over each compass and calibration label while
// the mouse is on it, when the balloons are switched on.
#include "mainwindow/Unit1.h"
#include "platform/app/Guarded.h"
#include "widgets/BalloonHint.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>

namespace app {

void TForm1::ConnectLabelBalloons() {
    for (QLabel *label : {Label10, Label9, Label8, Label7, Label2, Label3, Label1, Label4}) {
        label->setAttribute(Qt::WA_Hover);
        label->installEventFilter(this);
    }
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    auto *label = qobject_cast<QLabel *>(watched);
    if (label && event->type() == QEvent::Enter)
        platform::Guarded([&] { LabelMouseEnter(label); })();
    else if (label && event->type() == QEvent::Leave)
        platform::Guarded([&] { LabelMouseLeave(label); })();
    else if (label && event->type() == QEvent::Hide)
        HideBalloonIfLabelLeftCursor();
    return QWidget::eventFilter(watched, event);
}

// The window system tells of a label that the mouse leaves, not of one that moves away from
// a still cursor or hides under it (the right-hand labels move with their texts at every
// reading): called when a label hides and once the labels are placed.
void TForm1::HideBalloonIfLabelLeftCursor() {
    const QLabel *label = balloonLabel_;
    if (!label ||
        (label->isVisible() && label->rect().contains(label->mapFromGlobal(QCursor::pos()))))
        return;
    balloonLabel_ = nullptr;
    BalloonHint1->HideBalloon();
}

QString TForm1::BalloonText(const QLabel *label) const {
    if (label == Label10)
        return QCoreApplication::translate("TForm1",
                                           "C'est l'angle vers lequel@ vous vous dirigez...");
    if (label == Label9)
        return QCoreApplication::translate(
            "TForm1", "C'est la direction@ vers laquelle vous vous dirigez...");
    if (label == Label8)
        return QCoreApplication::translate(
            "TForm1",
            "C'est l'angle décrit par l'aiguille rouge@ orientée toujours vers le NORD...");
    if (label == Label7)
        return QCoreApplication::translate(
            "TForm1",
            "C'est la direction pointée par l'aiguille rouge@ orientée toujours vers le NORD...");
    if (label == Label2)
        return QCoreApplication::translate("TForm1",
                                           "Cliquez sur le bouton n°1 pour étalonner le SUD...");
    if (label == Label3)
        return QCoreApplication::translate("TForm1",
                                           "Cliquez sur le bouton n°2 pour étalonner l'EST...");
    if (label == Label1)
        return QCoreApplication::translate("TForm1",
                                           "Cliquez sur le bouton n°3 pour étalonner le NORD...");
    if (label == Label4)
        return QCoreApplication::translate("TForm1",
                                           "Cliquez sur le bouton n°4 pour étalonner l'OUEST...");
    return QString();
}

void TForm1::LabelMouseEnter(QLabel *label) {
    if (!View().On(settings::TSwitch::Balloons))
        return;
    BalloonHint1->SetAlign(widgets::alLeft);
    BalloonHint1->SetHideIfMouseClick(false);
    BalloonHint1->SetHideIfMouseMove(false);
    platform::TFont &font = BalloonHint1->Font();
    font.SetStyle(0);
    font.SetName(this->font().family());
    font.SetSize(10);
    font.SetColor(platform::clBlack);
    BalloonHint1->SetColor(platform::RGB(255, 255, 0));
    BalloonHint1->SetShape(widgets::sRoundRect);
    BalloonHint1->ShowBalloon(BalloonText(label));
    balloonLabel_ = label;
}

void TForm1::LabelMouseLeave(QLabel *) {
    balloonLabel_ = nullptr;
    BalloonHint1->HideBalloon();
}

} // namespace app
