// The balloon's picture: shadow, body, tail and text, drawn on a transparent background
// whose untouched pixels are what the window leaves out.
#pragma once

#include "widgets/BalloonHint.h"

#include <QRegion>
#include <QStringList>

namespace widgets {

struct TBalloonPictureStyle {
    TBalloonAlign align = alRight;
    TBalloonShape shape = sRoundRect;
    TTextAlign textAlign = taCenter;
    platform::TColor color = platform::clWindow; // the body's fill
};

// Draws the balloon of the lines into the bitmap, with the bitmap's canvas font, for a point
// (x, y) that lies 15 pixels above the cursor, and returns the window's screen rectangle.
// The bitmap becomes W = M + 23 wide and H + 20 high (M the widest line, H the lines' heights
// added up); the window spans from y - H - 2 to y + 18, starting at x for alRight and ending
// at x for alLeft, so that the tail's tip lands one pixel below the cursor.
platform::TRect DrawBalloonPicture(platform::TBitmap &bitmap, const QImage &tail,
                                   const TBalloonPictureStyle &style, int x, int y,
                                   const QStringList &lines);

// The pixels of the picture that were drawn: the window's shape.
QRegion BalloonRegion(const QImage &picture);

} // namespace widgets
