// The tool bar's pictures, drawn on a 16-pixel grid (half-pixel coordinates keep one-pixel
// lines sharp).
#include "Glyphs.h"
#include "Painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

namespace datagen {
namespace {

QImage canvas() { return newPicture(kToolbarGlyphSize, kToolbarGlyphSize, kGlyphBackground); }

// A horizontal arrow from `fromX` to `toX` at height `y`, head included.
void drawArrow(QPainter &p, double fromX, double toX, double y, const QColor &fill,
               const QColor &edge) {
    const double dir = toX > fromX ? 1 : -1;
    const double neck = toX - dir * 4.5;
    QPolygonF arrow({{fromX, y - 1.5},
                     {neck, y - 1.5},
                     {neck, y - 3.5},
                     {toX, y},
                     {neck, y + 3.5},
                     {neck, y + 1.5},
                     {fromX, y + 1.5}});
    p.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(arrow);
}

// Start the link: data going both ways.
QImage linkGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    drawArrow(p, 1.5, 14.5, 4.5, QColor(70, 180, 70), QColor(20, 100, 20));
    drawArrow(p, 14.5, 1.5, 11.5, QColor(70, 130, 220), QColor(20, 60, 140));
    return image;
}

// The serial port: the face of a nine-pin connector.
QImage portGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    QLinearGradient metal(0, 3, 0, 13);
    metal.setColorAt(0, QColor(225, 228, 234));
    metal.setColorAt(1, QColor(140, 146, 158));
    p.setPen(QPen(QColor(60, 64, 76), 1.0));
    p.setBrush(metal);
    p.drawPolygon(QPolygonF({{0.5, 3.5}, {15.5, 3.5}, {13.0, 12.5}, {3.0, 12.5}}));
    p.setBrush(QColor(40, 46, 60));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({{2.6, 5.2}, {13.4, 5.2}, {11.8, 11.0}, {4.2, 11.0}}));
    p.setBrush(QColor(236, 196, 80));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(4.4 + i * 1.8, 7.0), 0.75, 0.75);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(5.3 + i * 1.8, 9.3), 0.75, 0.75);
    return image;
}

// Zero-centring on north: a compass with its red needle straight up.
QImage centringGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    const QPointF c(8, 8);
    p.setPen(QPen(QColor(30, 60, 120), 1.2));
    p.setBrush(QColor(250, 250, 252));
    p.drawEllipse(c, 6.9, 6.9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawPolygon(QPolygonF({{8, 1.9}, {5.9, 8}, {10.1, 8}}));
    p.setBrush(QColor(150, 156, 168));
    p.drawPolygon(QPolygonF({{8, 14.1}, {5.9, 8}, {10.1, 8}}));
    p.setBrush(QColor(30, 60, 120));
    p.drawEllipse(c, 1.1, 1.1);
    return image;
}

// Magnetic declination: the geographic and the magnetic north with the angle between them.
QImage declinationGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    const QPointF base(4.5, 15.0);
    const double angle = 36;
    const auto arrow = [&](double towards, const QColor &colour) {
        const QPointF tip = polar(base, towards, 14);
        p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(base, polar(base, towards, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(
            QPolygonF({tip, polar(tip, towards + 152, 5.5), polar(tip, towards - 152, 5.5)}));
    };
    const double r = 9;
    p.setPen(QPen(QColor(40, 110, 200), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(base.x() - r, base.y() - r, 2 * r, 2 * r), 90 * 16, int(-angle * 16));
    arrow(0, QColor(30, 30, 36));
    arrow(angle, QColor(215, 35, 35));
    return image;
}

// Software options: a window with ticked boxes.
QImage softwareGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    p.setPen(QPen(QColor(40, 70, 130), 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    QLinearGradient title(0, 2, 0, 5);
    title.setColorAt(0, QColor(90, 140, 220));
    title.setColorAt(1, QColor(40, 80, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(title);
    p.drawRect(QRectF(2, 2, 12, 3));
    for (double top : {6.5, 10.5}) {
        p.setPen(QPen(QColor(90, 96, 110), 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, top, 3, 3));
        p.setPen(QPen(QColor(20, 150, 40), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{3.9, top + 1.2}, {5.0, top + 2.6}, {7.2, top - 0.6}}));
        p.setPen(QPen(QColor(120, 126, 140), 1.0));
        p.drawLine(QPointF(8.5, top + 1.5), QPointF(12.5, top + 1.5));
    }
    return image;
}

// Hardware options: an integrated circuit.
QImage hardwareGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 156, 168));
    for (double at : {5.5, 8.0, 10.5}) {
        p.drawRect(QRectF(at - 0.6, 1.5, 1.2, 3));
        p.drawRect(QRectF(at - 0.6, 11.5, 1.2, 3));
        p.drawRect(QRectF(1.5, at - 0.6, 3, 1.2));
        p.drawRect(QRectF(11.5, at - 0.6, 3, 1.2));
    }
    QLinearGradient body(0, 4, 0, 12);
    body.setColorAt(0, QColor(78, 84, 98));
    body.setColorAt(1, QColor(30, 34, 42));
    p.setPen(QPen(QColor(20, 22, 28), 1.0));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 204, 214));
    p.drawEllipse(QPointF(5.8, 5.8), 0.9, 0.9);
    return image;
}

} // namespace

QList<NamedPicture> toolbarGlyphs() {
    return {{"tb_liaison.bmp", linkGlyph()},      {"tb_port.bmp", portGlyph()},
            {"tb_centrage.bmp", centringGlyph()}, {"tb_declinaison.bmp", declinationGlyph()},
            {"tb_logiciel.bmp", softwareGlyph()}, {"tb_materiel.bmp", hardwareGlyph()}};
}

} // namespace datagen
