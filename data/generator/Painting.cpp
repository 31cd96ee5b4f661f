#include "Painting.h"

#include <cmath>
#include <numbers>
#include <QFontMetricsF>
#include <QPolygonF>

namespace datagen {

QImage newPicture(int width, int height, QColor background) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

QImage newTransparentPicture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepareSmooth(QPainter &painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont sansFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont serifFont(int pixelSize, bool bold, bool italic) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPointF polar(QPointF centre, double angle, double distance) {
    const double radians = angle * std::numbers::pi / 180.0;
    return {centre.x() + std::sin(radians) * distance, centre.y() - std::cos(radians) * distance};
}

void drawCentredText(QPainter &painter, QPointF centre, const QString &text) {
    // Centre on the ink of the capitals, not on the line box, so letters sit visually centred.
    const QFontMetricsF metrics(painter.font());
    const QRectF ink = metrics.tightBoundingRect(text);
    painter.drawText(QPointF(centre.x() - ink.center().x(), centre.y() - ink.center().y()), text);
}

namespace {

// One point of the rose: a kite from the centre to the tip, its sides meeting the neighbouring
// directions at `waist` pixels from the centre.
void drawPoint(QPainter &painter, QPointF centre, double angle, double length, double waist,
               double spread, const PointColours &colours, const QColor &outline) {
    const QPointF tip = polar(centre, angle, length);
    const QPointF left = polar(centre, angle - spread, waist);
    const QPointF right = polar(centre, angle + spread, waist);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.lit);
    painter.drawPolygon(QPolygonF({centre, left, tip}));
    painter.setBrush(colours.shaded);
    painter.drawPolygon(QPolygonF({centre, tip, right}));
    painter.setPen(QPen(outline, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF({centre, left, tip, right}));
}

} // namespace

void drawWindRose(QPainter &painter, QPointF centre, double radius, const RoseStyle &style,
                  double rotation) {
    painter.save();
    // The shorter points go first so the longer ones lie over their bases.
    for (int k = 1; k < 16; k += 2)
        drawPoint(painter, centre, rotation + k * 22.5, radius * 0.46, radius * 0.09, 22.5,
                  style.minor, style.outline);
    for (int k = 2; k < 16; k += 4)
        drawPoint(painter, centre, rotation + k * 22.5, radius * 0.70, radius * 0.13, 45,
                  style.intercardinal, style.outline);
    for (int k = 0; k < 16; k += 4) {
        PointColours colours = style.cardinal;
        if (k == 0)
            colours.lit = style.north;
        drawPoint(painter, centre, rotation + k * 22.5, radius, radius * 0.17, 45, colours,
                  style.outline);
    }
    painter.restore();
}

} // namespace datagen
