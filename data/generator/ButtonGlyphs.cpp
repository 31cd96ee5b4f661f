// The glyphs of the dialogs' picture buttons, drawn on an 18-pixel grid.
#include "Glyphs.h"
#include "Painting.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

namespace datagen {
namespace {

QImage canvas() { return newPicture(kButtonGlyphSize, kButtonGlyphSize, kGlyphBackground); }

// "&OK": a green tick.
QImage okGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    const QPolygonF tick({{3.0, 9.5}, {7.2, 13.8}, {15.0, 4.2}});
    p.setPen(QPen(QColor(0, 100, 20), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(tick);
    p.setPen(QPen(QColor(60, 190, 70), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(tick);
    return image;
}

// "&Aide": a white question mark on a blue disc.
QImage helpGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    QRadialGradient disc(QPointF(7, 6), 9);
    disc.setColorAt(0, QColor(110, 170, 245));
    disc.setColorAt(1, QColor(25, 75, 170));
    p.setPen(QPen(QColor(20, 55, 130), 1.0));
    p.setBrush(disc);
    p.drawEllipse(QPointF(9, 9), 7.8, 7.8);
    p.setPen(Qt::white);
    p.setFont(sansFont(13, true));
    drawCentredText(p, QPointF(9, 9), QStringLiteral("?"));
    return image;
}

// "&Sortir": a door with an arrow leading out.
QImage leaveGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    p.setPen(QPen(QColor(70, 40, 15), 1.0));
    p.setBrush(QColor(60, 60, 66));
    p.drawRect(QRectF(2.5, 1.5, 8, 15));
    QLinearGradient wood(3, 0, 10, 0);
    wood.setColorAt(0, QColor(196, 128, 62));
    wood.setColorAt(1, QColor(140, 82, 34));
    p.setBrush(wood);
    p.drawPolygon(QPolygonF({{2.5, 1.5}, {8.0, 3.0}, {8.0, 17.0}, {2.5, 16.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QPointF(6.6, 9.5), 0.8, 0.8);
    p.setPen(QPen(QColor(20, 110, 30), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(QColor(70, 185, 70));
    p.drawPolygon(QPolygonF({{9.5, 7.5},
                             {13.0, 7.5},
                             {13.0, 5.0},
                             {17.0, 9.0},
                             {13.0, 13.0},
                             {13.0, 10.5},
                             {9.5, 10.5}}));
    return image;
}

// "Activer le &centrage": a sight with a red mark on north.
QImage centringGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    const QPointF c(9, 10);
    p.setPen(QPen(QColor(30, 60, 120), 1.3));
    p.setBrush(QColor(250, 250, 252));
    p.drawEllipse(c, 6.8, 6.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 60, 120), 1.0));
    p.drawEllipse(c, 3.0, 3.0);
    p.drawLine(QPointF(c.x(), c.y() - 6), QPointF(c.x(), c.y() + 7.5));
    p.drawLine(QPointF(c.x() - 7.5, c.y()), QPointF(c.x() + 7.5, c.y()));
    p.setPen(QPen(QColor(150, 20, 20), 0.8));
    p.setBrush(QColor(225, 35, 35));
    p.drawPolygon(QPolygonF({{9, 0.6}, {11.8, 5.4}, {6.2, 5.4}}));
    return image;
}

// "&RAZ centrage": a turning arrow round a zero (reset).
QImage resetGlyph() {
    QImage image = canvas();
    QPainter p(&image);
    prepareSmooth(p);
    const QPointF c(9, 9);
    const double r = 6.3;
    const QColor blue(35, 90, 190);
    p.setPen(QPen(blue, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // Qt's arcs run anticlockwise from three o'clock; this one leaves a gap at the top right.
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 60 * 16, 270 * 16);
    const QPointF end = polar(c, 30, r); // where the arc stops, at the top right
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({polar(end, 120, 3.6), polar(end, 300, 3.0), polar(end, 30, 3.4)}));
    p.setPen(QColor(20, 30, 50));
    p.setFont(sansFont(9, true));
    drawCentredText(p, c, QStringLiteral("0"));
    return image;
}

} // namespace

QList<NamedPicture> buttonGlyphs() {
    return {{"btn_ok.bmp", okGlyph()},
            {"btn_aide.bmp", helpGlyph()},
            {"btn_sortir.bmp", leaveGlyph()},
            {"btn_centrage.bmp", centringGlyph()},
            {"btn_raz.bmp", resetGlyph()}};
}

} // namespace datagen
