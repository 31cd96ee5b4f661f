#include "mainwindow/NeedleDrawing.h"

#include <cmath>
#include <numbers>

namespace app {
namespace {

// One half of the needle: the fan from both sides of the base to the tip along `axis`.
void AddHalf(std::vector<NeedleStroke> &strokes, double axis, int length, int width, int cx, int cy,
             platform::TColor color) {
    const QPoint tip = NeedlePoint(axis, length, cx, cy);
    for (int d = 0; d <= width; ++d)
        strokes.push_back({NeedlePoint(axis + 90, d, cx, cy), tip, color});
    for (int d = 0; d <= width; ++d)
        strokes.push_back({NeedlePoint(axis - 90, d, cx, cy), tip, color});
}

} // namespace

int RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        return int(lower) + 1;
    return int(lower);
}

QPoint NeedlePoint(double degrees, int distance, int cx, int cy) {
    const double radians = degrees / 360.0 * 2.0 * std::numbers::pi;
    return QPoint(cx + RoundHalfEven(std::sin(radians) * distance),
                  cy - RoundHalfEven(std::cos(radians) * distance));
}

std::vector<NeedleStroke> NeedleStrokes(int headingSum, int length, int width, int cx, int cy) {
    std::vector<NeedleStroke> strokes;
    if (width >= 0)
        strokes.reserve(4 * std::size_t(width + 1));
    // The angles are worked out as doubles: headingSum + 270 may not fit an int.
    const double theta = headingSum;
    AddHalf(strokes, theta, length, width, cx, cy, NeedleNorthColor);
    AddHalf(strokes, theta + 180, length, width, cx, cy, NeedleSouthColor);
    return strokes;
}

void DrawNeedle(platform::TCanvas &canvas, int headingSum, int length, int width, int cx, int cy,
                bool hub) {
    canvas.Pen().SetWidth(NeedlePenWidth);
    {
        const platform::TCanvas::LineBatch batch(canvas);
        for (const NeedleStroke &stroke : NeedleStrokes(headingSum, length, width, cx, cy)) {
            canvas.Pen().SetColor(stroke.Color);
            canvas.MoveTo(stroke.From.x(), stroke.From.y());
            canvas.LineTo(stroke.To.x(), stroke.To.y());
        }
    }
    DrawHub(canvas, width, cx, cy, hub);
}

void DrawHub(platform::TCanvas &canvas, int width, int cx, int cy, bool hub) {
    if (!hub)
        return;
    const int radius = width + 2;
    canvas.Pen().SetColor(HubOutlineColor);
    canvas.Brush().SetColor(HubFillColor);
    canvas.Ellipse(cx - radius, cy - radius, cx + radius, cy + radius);
}

} // namespace app
