#include "widgets/BalloonHintTail.h"

#include "platform/ui/Canvas.h"

#include <iterator>

namespace widgets {
namespace {

struct Run {
    int first, last;
};

// The white interior of the right-hand tail, one run per row from the top. The outline is one
// black pixel left of each run and, from row 4 down, one right of it; the rows below these
// hold only the black tip.
constexpr Run InteriorRows[] = {{11, 14}, {10, 14}, {10, 14}, {9, 14}, {9, 13}, {8, 12},
                                {8, 11},  {7, 10},  {7, 10},  {6, 9},  {6, 8},  {5, 7},
                                {5, 6},   {4, 5},   {4, 4},   {3, 3},  {3, 3},  {2, 2}};
constexpr int FirstClosedRow = 4;
constexpr Run TipRows[] = {{0, 2}, {0, 1}, {0, 0}};

static_assert(std::size(InteriorRows) + std::size(TipRows) == TailHeight);

QImage MakeTail(bool mirrored) {
    QImage image(TailWidth, TailHeight, QImage::Format_RGB32);
    image.fill(platform::ToQColor(TailTransparentColor));
    const auto put = [&](int column, int row, QRgb rgb) {
        image.setPixel(mirrored ? TailWidth - 1 - column : column, row, rgb);
    };
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    int row = 0;
    for (const Run &run : InteriorRows) {
        put(run.first - 1, row, black);
        for (int column = run.first; column <= run.last; ++column)
            put(column, row, white);
        if (row >= FirstClosedRow)
            put(run.last + 1, row, black);
        ++row;
    }
    for (const Run &run : TipRows) {
        for (int column = run.first; column <= run.last; ++column)
            put(column, row, black);
        ++row;
    }
    return image;
}

} // namespace

const QImage &TailImage(TBalloonAlign align) {
    static const QImage right = MakeTail(false);
    static const QImage left = MakeTail(true);
    return align == alLeft ? left : right;
}

void DrawTail(platform::TCanvas &target, const QImage &tail, int x, int y) {
    target.DrawTransparent(x, y, tail, TailTransparentColor);
}

} // namespace widgets
