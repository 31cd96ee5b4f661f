// The declination pictures: geographic north (black, "Ng") straight up, magnetic north (red,
// "Nm") turned west or east of it, the angle between them marked, and the side named below.
#include "Illustrations.h"
#include "Painting.h"

#include <QLinearGradient>
#include <QPolygonF>

namespace datagen {
namespace {

const QPointF kBase(76.5, 112.5);
constexpr double kArrowLength = 86;
constexpr double kAngle = 24;

void drawNorthArrow(QPainter &p, double angle, const QColor &colour, const QString &label,
                    double labelOffset) {
    const QPointF tip = polar(kBase, angle, kArrowLength);
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(kBase, polar(kBase, angle, kArrowLength - 10));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({tip, polar(tip, angle + 160, 14), polar(tip, angle - 160, 14)}));
    p.setPen(colour);
    p.setFont(sansFont(12, true));
    drawCentredText(p, polar(tip, angle + labelOffset, 12), label);
}

} // namespace

QImage makeDeclinationPicture(bool west) {
    QImage image = newPicture(kDeclinationWidth, kDeclinationHeight, Qt::white);
    QPainter p(&image);
    prepareSmooth(p);
    QLinearGradient paper(0, 0, 0, kDeclinationHeight);
    paper.setColorAt(0, QColor(252, 252, 254));
    paper.setColorAt(1, QColor(230, 236, 246));
    p.fillRect(image.rect(), paper);

    const double magnetic = west ? -kAngle : kAngle;
    const QColor red(210, 30, 30);
    const QColor blue(30, 80, 170);

    // The angle between the two norths, shaded and edged by an arc.
    const double r = 48;
    const QRectF arcBox(kBase.x() - r, kBase.y() - r, 2 * r, 2 * r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 110, 200, 45));
    p.drawPie(arcBox, 90 * 16, int(-magnetic * 16));
    p.setPen(QPen(blue, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(arcBox, 90 * 16, int(-magnetic * 16));
    p.setFont(sansFont(13, true));
    p.setPen(blue);
    drawCentredText(p, polar(kBase, magnetic / 2, r + 10), QStringLiteral("D"));

    drawNorthArrow(p, 0, QColor(25, 25, 30), QStringLiteral("Ng"), west ? 90 : -90);
    drawNorthArrow(p, magnetic, red, QStringLiteral("Nm"), west ? -90 : 90);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 30));
    p.drawEllipse(kBase, 3, 3);

    p.setPen(west ? red : blue);
    p.setFont(sansFont(13, true));
    drawCentredText(p, QPointF(76.5, 128),
                    west ? QStringLiteral("Déclinaison OUEST") : QStringLiteral("Déclinaison EST"));
    p.setPen(QColor(70, 76, 90));
    p.setFont(sansFont(10));
    drawCentredText(p, QPointF(76.5, 143), QStringLiteral("Ng : nord géographique"));
    drawCentredText(p, QPointF(76.5, 155), QStringLiteral("Nm : nord magnétique"));
    return image;
}

} // namespace datagen
