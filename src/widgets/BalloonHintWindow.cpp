#include "widgets/BalloonHintWindow.h"

#include "widgets/BalloonHintPicture.h"
#include "widgets/BalloonHintTail.h"

#include <QMouseEvent>
#include <QPainter>

namespace widgets {

TBalloonWindow::TBalloonWindow(TBalloonHint &owner)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      platform::TComponent(&owner), hideIfMouseMove_(owner.HideIfMouseMove()),
      hideIfMouseClick_(owner.HideIfMouseClick()), tailBitmap_(TailImage(alRight)),
      tailLeftBitmap_(TailImage(alLeft)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true); // moves without a button pressed may close the balloon
}

void TBalloonWindow::ActivateBalloon(QPoint point, const QString &text, TBalloonShape shape,
                                     TTextAlign textAlign, QChar divisionChar) {
    if (showing_)
        CloseBalloon();
    // Nothing to draw: a window without a picture would show as a blank, unshaped rectangle.
    if (text.isEmpty())
        return;
    platform::TRect rect = platform::TRect::FromQRect(geometry());
    BuildBalloonImage(point.x(), point.y() - 15, text, shape, textAlign, divisionChar, rect);
    setGeometry(rect.ToQRect());
    setMask(BalloonRegion(balloonImage_.Image()));
    show();
    raise();
    update();
    showing_ = true;
}

void TBalloonWindow::BuildBalloonImage(int x, int y, const QString &text, TBalloonShape shape,
                                       TTextAlign textAlign, QChar divisionChar,
                                       platform::TRect &rect) {
    if (text.isEmpty())
        return;
    const TBalloonPictureStyle style{align_, shape, textAlign, color_};
    rect = DrawBalloonPicture(balloonImage_, align_ == alLeft ? tailLeftBitmap_ : tailBitmap_,
                              style, x, y, text.split(divisionChar));
}

void TBalloonWindow::CloseBalloon() {
    showing_ = false;
    hide();
}

void TBalloonWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), balloonImage_.Image());
}

void TBalloonWindow::mouseMoveEvent(QMouseEvent *event) {
    if (hideIfMouseMove_)
        CloseBalloon();
    QWidget::mouseMoveEvent(event);
}

void TBalloonWindow::mousePressEvent(QMouseEvent *event) {
    if (hideIfMouseClick_ && event->button() == Qt::LeftButton)
        CloseBalloon();
    QWidget::mousePressEvent(event);
}

} // namespace widgets
