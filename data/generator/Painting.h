// Drawing helpers shared by the pictures: canvases, fonts, polar geometry and the wind rose.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace datagen {

// An opaque picture filled with `background`.
QImage newPicture(int width, int height, QColor background);
// A picture with a transparent background (for the window icon).
QImage newTransparentPicture(int width, int height);

// Anti-aliased drawing on `image`.
void prepareSmooth(QPainter &painter);

// Liberation Sans (or Serif) at a size in pixels, so the pictures do not depend on the DPI.
QFont sansFont(int pixelSize, bool bold = false);
QFont serifFont(int pixelSize, bool bold = false, bool italic = false);

// The point at `angle` degrees clockwise from the top of the picture and `distance` pixels.
QPointF polar(QPointF centre, double angle, double distance);

// Draws `text` centred on `centre`.
void drawCentredText(QPainter &painter, QPointF centre, const QString &text);

// Colours of the two halves of one kind of rose point (lit side, shaded side).
struct PointColours {
    QColor lit;
    QColor shaded;
};

struct RoseStyle {
    PointColours cardinal;      // N, E, S, W
    PointColours intercardinal; // NE, SE, SW, NW
    PointColours minor;         // the eight points between them
    QColor outline;
    QColor north; // lit half of the north point (a distinct colour marks north)
};

// A sixteen-point wind rose: cardinal points of length `radius`, intercardinal ones shorter and
// the minor ones shorter still, each point split along its axis into a lit and a shaded half.
// `rotation` turns the whole rose clockwise, in degrees.
void drawWindRose(QPainter &painter, QPointF centre, double radius, const RoseStyle &style,
                  double rotation = 0);

} // namespace datagen
