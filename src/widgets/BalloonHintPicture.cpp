#include "widgets/BalloonHintPicture.h"

#include "widgets/BalloonHintTail.h"

#include <QBitmap>

#include <algorithm>

namespace widgets {
namespace {

using platform::TCanvas;

// The horizontal places of one side, in the picture: where the body starts, how much wider
// than the widest line it ends, where the text starts, where the fill starts, the column of
// the tail's lone pixels, and where the tail starts.
struct Side {
    int bodyLeft, extraWidth, textLeft, fillX, pixelX, tailLeft;
};

Side SideOf(TBalloonAlign align, int width) {
    if (align == alLeft)
        return {2, 13, 8, width - 12, width - 4, width - TailWidth};
    return {10, 21, 15, 12, 3, 0};
}

void DrawShape(TCanvas &canvas, TBalloonShape shape, int left, int top, int right, int bottom) {
    constexpr int Corner = 15;
    if (shape == sRoundRect)
        canvas.RoundRect(left, top, right, bottom, Corner, Corner);
    else
        canvas.Rectangle(left, top, right, bottom);
}

int LineLeft(TTextAlign textAlign, int textLeft, int widest, int width) {
    switch (textAlign) {
    case taLeft:
        return textLeft;
    case taRight:
        return textLeft + widest - width;
    case taCenter:
        break;
    }
    return textLeft + widest / 2 - width / 2;
}

} // namespace

platform::TRect DrawBalloonPicture(platform::TBitmap &bitmap, const QImage &tail,
                                   const TBalloonPictureStyle &style, int x, int y,
                                   const QStringList &lines) {
    TCanvas &canvas = bitmap.Canvas();
    int height = 0, widest = 0;
    for (const QString &line : lines) {
        height += canvas.TextHeight(line);
        widest = std::max(widest, canvas.TextWidth(line));
    }
    const int width = widest + 23;
    const int top = y - height - 2;
    if (style.align == alLeft)
        x -= width;
    const Side side = SideOf(style.align, width);

    // Nothing of the screen is copied: what stays transparent is cut out of the window.
    QImage background(width, height + 20, QImage::Format_ARGB32);
    background.fill(Qt::transparent);
    bitmap.Assign(background);

    canvas.Brush().SetColor(platform::clBlack);
    DrawShape(canvas, style.shape, side.bodyLeft + 2, 2, widest + side.extraWidth + 2, height + 5);
    canvas.Brush().SetColor(style.color);
    DrawShape(canvas, style.shape, side.bodyLeft, 0, widest + side.extraWidth, height + 3);
    // The tail's top rows cover the body's bottom outline, opening the body into the tail;
    // the fill then gives the tail's white interior the body's colour.
    DrawTail(canvas, tail, side.tailLeft, height - 2);
    canvas.FloodFill(side.fillX, height - 3, platform::clBlack, platform::fsBorder);
    // Three interior pixels at the tail's narrow end touch the rest only diagonally.
    const int towardsTip = style.align == alLeft ? 1 : -1;
    canvas.SetPixel(side.pixelX, height + 13, style.color);
    canvas.SetPixel(side.pixelX, height + 14, style.color);
    canvas.SetPixel(side.pixelX + towardsTip, height + 15, style.color);

    // The brush is still the body's colour: each line goes on an opaque background of it.
    int lineTop = 1;
    for (const QString &line : lines) {
        canvas.TextOut(LineLeft(style.textAlign, side.textLeft, widest, canvas.TextWidth(line)),
                       lineTop, line);
        lineTop += canvas.TextHeight(line);
    }
    return {x, top, x + width, y + 18};
}

QRegion BalloonRegion(const QImage &picture) {
    return QRegion(QBitmap::fromImage(picture.createAlphaMask(Qt::ThresholdAlphaDither)));
}

} // namespace widgets
