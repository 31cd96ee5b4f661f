#include "mainwindow/NeedleStamps.h"

#include "mainwindow/NeedleDrawing.h"

#include <QImage>

namespace app {
namespace {

// The runs of pixels that the needle's lines paint on a picture of the given size: stroked on
// a transparent picture, where every pixel the pen touches turns opaque.
std::vector<platform::TSpan> Stamp(QSize size, int headingSum, int length, int width, int cx,
                                   int cy) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        platform::TCanvas canvas(&picture);
        DrawNeedle(canvas, headingSum, length, width, cx, cy, false);
    }
    std::vector<platform::TSpan> spans;
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width();) {
            if (qAlpha(line[x]) == 0) {
                ++x;
                continue;
            }
            const QRgb rgb = line[x];
            const int start = x;
            while (x < picture.width() && line[x] == rgb)
                ++x;
            spans.push_back(
                {start, y, x - start, platform::RGB(qRed(rgb), qGreen(rgb), qBlue(rgb))});
        }
    }
    return spans;
}

} // namespace

void NeedleStamps::Draw(platform::TCanvas &canvas, int headingSum, int length, int width, int cx,
                        int cy, bool hub) {
    const Key key{canvas.Width(), canvas.Height(), headingSum, length, width, cx, cy};
    auto found = stamps_.find(key);
    if (found == stamps_.end()) {
        if (stamps_.size() >= Capacity)
            stamps_.clear();
        found = stamps_
                    .emplace(key, Stamp(QSize(canvas.Width(), canvas.Height()), headingSum, length,
                                        width, cx, cy))
                    .first;
    }
    canvas.FillSpans(found->second);
    // The pen as stroking the lines leaves it: the hub's outline is drawn with it.
    canvas.Pen().SetWidth(NeedlePenWidth);
    if (width >= 0)
        canvas.Pen().SetColor(NeedleSouthColor);
    DrawHub(canvas, width, cx, cy, hub);
}

} // namespace app
