// The calibration pictures: on a compass-rose map, the module (a box with a display and an
// arrow on its lid) turned towards the phase's direction, the direction named in French in
// the phase's colour (the colours of the calibration panel's labels and digits).
#include "Illustrations.h"
#include "Painting.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

namespace datagen {
namespace {

struct PhaseLook {
    double angle;       // clockwise from north
    const char *word;   // the direction on the banner
    const char *letter; // the letter on the rose
    QColor colour;
};

PhaseLook lookOf(Phase phase) {
    switch (phase) {
    case Phase::South:
        return {180, "SUD", "S", QColor(200, 20, 20)};
    case Phase::East:
        return {90, "EST", "E", QColor(0, 0, 128)};
    case Phase::North:
        return {0, "NORD", "N", QColor(0, 128, 0)};
    case Phase::West:
        break;
    }
    return {270, "OUEST", "O", QColor(128, 0, 128)};
}

const QPointF kRoseCentre(140.5, 148.5);
constexpr double kRoseRadius = 84;
constexpr double kLetterRadius = 97;

void drawBackground(QPainter &p) {
    QLinearGradient sky(0, 0, 0, kCalibrationHeight);
    sky.setColorAt(0, QColor(246, 248, 252));
    sky.setColorAt(1, QColor(218, 228, 242));
    p.fillRect(QRectF(0, 0, kCalibrationWidth, kCalibrationHeight), sky);
}

void drawBanner(QPainter &p, Phase phase, const PhaseLook &look) {
    p.setPen(Qt::NoPen);
    p.setBrush(look.colour);
    p.drawEllipse(QPointF(22, 20), 13, 13);
    p.setPen(Qt::white);
    p.setFont(serifFont(20, true));
    drawCentredText(p, QPointF(22, 20), QString::number(int(phase)));
    p.setPen(look.colour);
    p.setFont(sansFont(24, true));
    drawCentredText(p, QPointF(kCalibrationWidth / 2.0, 20), QString::fromLatin1(look.word));
}

void drawMapRose(QPainter &p, const PhaseLook &look) {
    p.setPen(QPen(QColor(150, 165, 190), 1.0));
    p.setBrush(QColor(252, 252, 255, 200));
    p.drawEllipse(kRoseCentre, kRoseRadius + 4, kRoseRadius + 4);
    p.setPen(QPen(QColor(170, 182, 204), 1.0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kRoseCentre, kRoseRadius * 0.62, kRoseRadius * 0.62);
    for (int degree = 0; degree < 360; degree += 10) {
        const double inner = degree % 90 == 0 ? kRoseRadius - 6 : kRoseRadius;
        p.setPen(QPen(QColor(120, 136, 164), degree % 30 == 0 ? 1.4 : 0.8));
        p.drawLine(polar(kRoseCentre, degree, inner), polar(kRoseCentre, degree, kRoseRadius + 4));
    }
    RoseStyle style;
    style.cardinal = {QColor(206, 214, 228), QColor(150, 164, 190)};
    style.intercardinal = {QColor(222, 228, 238), QColor(178, 190, 210)};
    style.minor = {QColor(230, 234, 242), QColor(196, 204, 220)};
    style.outline = QColor(120, 136, 164);
    style.north = QColor(226, 170, 170);
    drawWindRose(p, kRoseCentre, kRoseRadius - 8, style);

    const struct {
        double angle;
        const char *letter;
    } letters[] = {{0, "N"}, {90, "E"}, {180, "S"}, {270, "O"}};
    p.setFont(sansFont(17, true));
    for (const auto &l : letters) {
        const QPointF at = polar(kRoseCentre, l.angle, kLetterRadius);
        const bool target = l.angle == look.angle;
        if (target) {
            p.setPen(Qt::NoPen);
            p.setBrush(look.colour);
            p.drawEllipse(at, 12, 12);
        }
        p.setPen(target ? QColor(Qt::white) : QColor(90, 104, 130));
        drawCentredText(p, at, QString::fromLatin1(l.letter));
    }
}

// The module, drawn pointing up around the origin, then turned by the caller.
void drawModule(QPainter &p, const QColor &accent) {
    // Shadow, case, lid.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(QRectF(-25, -37, 54, 80), 8, 8);
    QLinearGradient body(-27, 0, 27, 0);
    body.setColorAt(0, QColor(92, 98, 110));
    body.setColorAt(0.5, QColor(62, 68, 80));
    body.setColorAt(1, QColor(40, 44, 54));
    p.setPen(QPen(QColor(24, 26, 32), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-27, -40, 54, 80), 8, 8);
    // Display window.
    p.setPen(QPen(QColor(20, 22, 26), 1.0));
    p.setBrush(QColor(168, 196, 150));
    p.drawRoundedRect(QRectF(-19, 2, 38, 17), 2.5, 2.5);
    p.setPen(QColor(40, 60, 36));
    p.setFont(sansFont(11, true));
    drawCentredText(p, QPointF(0, 10.5), QStringLiteral("CAP"));
    // Cable gland at the back.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 32, 38));
    p.drawRect(QRectF(-5, 40, 10, 6));
    // The arrow on the lid shows which way the module faces.
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.0));
    p.setBrush(accent);
    p.drawPolygon(
        QPolygonF({{0, -35}, {13, -18}, {5, -18}, {5, -4}, {-5, -4}, {-5, -18}, {-13, -18}}));
}

// A broad arrow from the module's front towards the named letter.
void drawHeadingArrow(QPainter &p, const PhaseLook &look) {
    const QPointF from = polar(kRoseCentre, look.angle, 46);
    const QPointF tip = polar(kRoseCentre, look.angle, kLetterRadius - 15);
    QColor fill = look.colour;
    fill.setAlpha(200);
    p.setPen(QPen(fill, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, polar(kRoseCentre, look.angle, kLetterRadius - 22));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(
        QPolygonF({tip, polar(tip, look.angle + 155, 12), polar(tip, look.angle - 155, 12)}));
}

} // namespace

QImage makeCalibrationPicture(Phase phase) {
    const PhaseLook look = lookOf(phase);
    QImage image = newPicture(kCalibrationWidth, kCalibrationHeight, Qt::white);
    QPainter p(&image);
    prepareSmooth(p);
    drawBackground(p);
    drawMapRose(p, look);
    drawHeadingArrow(p, look);
    p.save();
    p.translate(kRoseCentre);
    p.rotate(look.angle);
    drawModule(p, look.colour);
    p.restore();
    drawBanner(p, phase, look);
    return image;
}

} // namespace datagen
