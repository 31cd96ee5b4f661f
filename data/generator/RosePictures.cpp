#include "RosePictures.h"

#include "Painting.h"

#include <QRadialGradient>

namespace datagen {

QImage makeIcon() {
    QImage image = newTransparentPicture(kIconSize, kIconSize);
    QPainter p(&image);
    prepareSmooth(p);
    const QPointF c(32, 32);
    QRadialGradient face(QPointF(26, 24), 34);
    face.setColorAt(0, QColor(52, 78, 116));
    face.setColorAt(1, QColor(16, 28, 48));
    p.setPen(QPen(QColor(200, 206, 216), 2.5));
    p.setBrush(face);
    p.drawEllipse(c, 29.5, 29.5);
    RoseStyle style;
    style.cardinal = {QColor(236, 220, 180), QColor(176, 146, 92)};
    style.intercardinal = {QColor(150, 178, 214), QColor(84, 110, 150)};
    style.minor = {QColor(120, 138, 166), QColor(76, 90, 116)};
    style.outline = QColor(10, 16, 28, 160);
    style.north = QColor(236, 70, 56);
    drawWindRose(p, c, 26, style);
    return image;
}

QList<QImage> makeClipFrames() {
    RoseStyle style;
    style.cardinal = {QColor(250, 250, 250), QColor(30, 50, 96)};
    style.intercardinal = {QColor(236, 204, 120), QColor(150, 110, 40)};
    style.minor = {QColor(210, 214, 222), QColor(96, 104, 120)};
    style.outline = QColor(40, 44, 56, 180);
    style.north = style.cardinal.lit; // four equal quarters: a quarter turn loops
    const QPointF c(kClipSize / 2.0, kClipSize / 2.0);

    QList<QImage> frames;
    for (int i = 0; i < kClipFrames; ++i) {
        QImage frame = newPicture(kClipSize, kClipSize, QColor(kClipBackground));
        QPainter p(&frame);
        prepareSmooth(p);
        p.setPen(QPen(QColor(120, 120, 124), 1.0));
        p.setBrush(QColor(176, 176, 178));
        p.drawEllipse(c, 38, 38);
        drawWindRose(p, c, 36, style, 90.0 * i / kClipFrames);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 44, 56));
        p.drawEllipse(c, 2.2, 2.2);
        frames.append(frame);
    }
    return frames;
}

} // namespace datagen
