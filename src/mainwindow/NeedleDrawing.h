// The compass needle drawn on the dial: a red half towards the measured north and a white
// half opposite, each a fan of lines that fills an isosceles triangle, with an optional grey
// hub over the centre.
#pragma once

#include "platform/ui/Canvas.h"

#include <QPoint>

#include <vector>

namespace app {

constexpr platform::TColor NeedleNorthColor = platform::RGB(255, 0, 0);
constexpr platform::TColor NeedleSouthColor = platform::RGB(255, 255, 255);
constexpr platform::TColor HubOutlineColor = platform::RGB(160, 160, 164);
constexpr platform::TColor HubFillColor = platform::RGB(192, 192, 192);
constexpr int NeedlePenWidth = 2;

// One line of the needle's fan.
struct NeedleStroke {
    QPoint From;
    QPoint To;
    platform::TColor Color;
};

// Rounds to the nearest integer, halves to the even neighbour, whatever the floating-point
// rounding mode.
int RoundHalfEven(double x);

// The pixel at `distance` from the centre in the direction `degrees`, clockwise from the top
// (y grows downwards); halves round to even.
QPoint NeedlePoint(double degrees, int distance, int cx, int cy);

// The lines of the needle in drawing order: for each half (red along `headingSum`, then white
// opposite), width + 1 lines from one side of the base to the tip, then width + 1 from the
// other side.
std::vector<NeedleStroke> NeedleStrokes(int headingSum, int length, int width, int cx, int cy);

// Draws the needle with a pen of width 2 and, when `hub` is set, a grey disc of radius
// width + 2 over its centre. The canvas keeps the last pen and brush.
void DrawNeedle(platform::TCanvas &canvas, int headingSum, int length, int width, int cx, int cy,
                bool hub);
// The needle's grey hub, when `hub` is set: a disc of radius width + 2 over the centre.
void DrawHub(platform::TCanvas &canvas, int width, int cx, int cy, bool hub);

} // namespace app
