// Small drawing steps the flat menu painter repeats: fills, outlines and pen paths.
#pragma once

#include "platform/ui/Canvas.h"

#include <QPoint>

#include <cmath>
#include <initializer_list>

namespace widgets::flat {

// Rounds halves to even, as all the painter's arithmetic does.
inline int RoundEven(double value) { return int(std::nearbyint(value)); }

// Lines from point to point with the pen, each leaving its end point out.
inline void Polyline(platform::TCanvas &canvas, std::initializer_list<QPoint> points) {
    const QPoint *first = points.begin();
    canvas.MoveTo(first->x(), first->y());
    for (const QPoint *p = first + 1; p != points.end(); ++p)
        canvas.LineTo(p->x(), p->y());
}

inline void Fill(platform::TCanvas &canvas, platform::TColor color, const platform::TRect &r) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

// An outline with nothing filled.
inline void Outline(platform::TCanvas &canvas, platform::TColor color, int left, int top, int right,
                    int bottom) {
    canvas.Pen().SetColor(color);
    canvas.Brush().SetStyle(platform::bsClear);
    canvas.Rectangle(left, top, right, bottom);
}

} // namespace widgets::flat
