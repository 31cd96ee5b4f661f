#include "Dial.h"

#include "Painting.h"

#include <QConicalGradient>
#include <QRadialGradient>

namespace datagen {
namespace {

// The centre of pixel (156, 156) in painter coordinates.
const QPointF kCentre(kDialCentrePixel + 0.5, kDialCentrePixel + 0.5);

constexpr double kBezelOuter = 155.0;
constexpr double kFaceRadius = 148.0;
constexpr double kTickOuter = 144.0;
constexpr double kRoseRing = 114.0;

const QColor kInk(226, 231, 240);
const QColor kNorthRed(232, 72, 58);

void drawBezel(QPainter &p) {
    QConicalGradient metal(kCentre, 45);
    metal.setColorAt(0.00, QColor(236, 238, 242));
    metal.setColorAt(0.25, QColor(150, 156, 166));
    metal.setColorAt(0.50, QColor(84, 90, 102));
    metal.setColorAt(0.75, QColor(150, 156, 166));
    metal.setColorAt(1.00, QColor(236, 238, 242));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawEllipse(kCentre, kBezelOuter, kBezelOuter);
    p.setBrush(QColor(20, 24, 30));
    p.drawEllipse(kCentre, kFaceRadius + 1.5, kFaceRadius + 1.5);
}

void drawFace(QPainter &p) {
    QRadialGradient face(kCentre, kFaceRadius);
    face.setColorAt(0.0, QColor(34, 52, 80));
    face.setColorAt(0.75, QColor(22, 36, 58));
    face.setColorAt(1.0, QColor(12, 20, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(kCentre, kFaceRadius, kFaceRadius);
}

void drawTicks(QPainter &p) {
    for (int degree = 0; degree < 360; degree += 5) {
        double length = 5, width = 1.0;
        QColor colour = kInk;
        colour.setAlpha(170);
        if (degree % 30 == 0) {
            length = 12;
            width = 2.2;
            colour.setAlpha(255);
        } else if (degree % 10 == 0) {
            length = 9;
            width = 1.4;
            colour.setAlpha(230);
        }
        if (degree == 0)
            colour = kNorthRed;
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(polar(kCentre, degree, kTickOuter), polar(kCentre, degree, kTickOuter - length));
    }
    p.setPen(QPen(QColor(226, 231, 240, 110), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kCentre, kTickOuter + 0.5, kTickOuter + 0.5);
}

void drawLabels(QPainter &p) {
    p.setFont(sansFont(20, true));
    const struct {
        int angle;
        const char *letter;
    } cardinals[] = {{0, "N"}, {90, "E"}, {180, "S"}, {270, "O"}};
    for (const auto &c : cardinals) {
        p.setPen(c.angle == 0 ? kNorthRed : kInk);
        drawCentredText(p, polar(kCentre, c.angle, 123), QString::fromLatin1(c.letter));
    }
    p.setFont(sansFont(11, true));
    p.setPen(QColor(190, 200, 216));
    for (int degree = 30; degree < 360; degree += 30) {
        if (degree % 90 == 0)
            continue;
        drawCentredText(p, polar(kCentre, degree, 121), QString::number(degree));
    }
}

void drawInnerRing(QPainter &p) {
    p.setPen(QPen(QColor(120, 140, 170, 150), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kCentre, kRoseRing, kRoseRing);
    p.setPen(QPen(QColor(120, 140, 170, 90), 1.0, Qt::DotLine));
    p.drawEllipse(kCentre, kRoseRing - 4, kRoseRing - 4);
}

// Without the rose, faint north-south and east-west lines still mark the quarters.
void drawQuarterLines(QPainter &p) {
    p.setPen(QPen(QColor(120, 140, 170, 110), 1.0));
    for (int angle = 0; angle < 360; angle += 90)
        p.drawLine(polar(kCentre, angle, 12), polar(kCentre, angle, kRoseRing - 6));
    p.setPen(QPen(QColor(120, 140, 170, 70), 1.0, Qt::DashLine));
    for (int angle = 45; angle < 360; angle += 90)
        p.drawLine(polar(kCentre, angle, 12), polar(kCentre, angle, kRoseRing - 6));
}

void drawRose(QPainter &p) {
    RoseStyle style;
    style.cardinal = {QColor(178, 150, 96), QColor(112, 88, 50)};
    style.intercardinal = {QColor(104, 132, 170), QColor(58, 80, 114)};
    style.minor = {QColor(112, 130, 158), QColor(66, 80, 106)};
    style.outline = QColor(10, 16, 28, 200);
    style.north = QColor(150, 64, 56);
    drawWindRose(p, kCentre, 108, style);
}

} // namespace

QImage makeDial(bool withRose) {
    QImage image = newPicture(kDialSize, kDialSize, Qt::black);
    QPainter p(&image);
    prepareSmooth(p);
    drawBezel(p);
    drawFace(p);
    drawTicks(p);
    drawLabels(p);
    drawInnerRing(p);
    if (withRose)
        drawRose(p);
    else
        drawQuarterLines(p);
    return image;
}

} // namespace datagen
