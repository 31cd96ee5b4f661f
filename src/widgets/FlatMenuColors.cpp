#include "widgets/FlatMenuColors.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

namespace widgets {
namespace {

using platform::GetBValue;
using platform::GetGValue;
using platform::GetRValue;
using platform::RGB;

int Clamp(int channel) { return std::clamp(channel, 0, 255); }

// The sixteen colours every display shows.
constexpr TColor kStandardColors[] = {
    platform::clBlack,  platform::clMaroon,  platform::clGreen, platform::clOlive,
    platform::clNavy,   platform::clPurple,  platform::clTeal,  platform::clGray,
    platform::clSilver, platform::clRed,     platform::clLime,  platform::clYellow,
    platform::clBlue,   platform::clFuchsia, platform::clAqua,  platform::clWhite,
};

int ToBits(int channel, int bits) {
    const int top = (1 << bits) - 1;
    const int level = (channel * top + 127) / 255;
    return (level * 255 + top / 2) / top;
}

// Runs `change` over every pixel, computing a colour only where a pixel differs from the one
// before it.
void MapPixels(platform::TBitmap &bitmap, const std::function<TColor(TColor)> &change) {
    platform::TCanvas &canvas = bitmap.Canvas();
    bool first = true;
    TColor last = 0, mapped = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor pixel = canvas.Pixel(x, y);
            if (first || pixel != last) {
                mapped = change(pixel);
                last = pixel;
                first = false;
            }
            canvas.SetPixel(x, y, mapped);
        }
}

} // namespace

TColor NearestColor(TColor color, int bitsPerPixel) {
    const TColor rgb = platform::ColorToRGB(color);
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    if (bitsPerPixel >= 24)
        return rgb;
    if (bitsPerPixel >= 16)
        return RGB(ToBits(r, 5), ToBits(g, 6), ToBits(b, 5));
    TColor best = platform::clBlack;
    int bestDistance = INT_MAX;
    for (const TColor candidate : kStandardColors) {
        const int dr = r - GetRValue(candidate), dg = g - GetGValue(candidate),
                  db = b - GetBValue(candidate);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance)
            best = candidate, bestDistance = distance;
    }
    return best;
}

TColor DarkenColor(TColor color, int amount, int bitsPerPixel) {
    const TColor rgb = platform::ColorToRGB(color);
    return NearestColor(RGB(Clamp(GetRValue(rgb) - amount), Clamp(GetGValue(rgb) - amount + 2),
                            Clamp(GetBValue(rgb) - amount)),
                        bitsPerPixel);
}

TColor LightenColor(TColor color, int percent, int bitsPerPixel) {
    percent = std::min(percent, 100);
    const TColor rgb = platform::ColorToRGB(color);
    // Halves round to even, as the rest of the painter's arithmetic.
    auto lighten = [percent](int x) {
        return Clamp(x + int(std::nearbyint((255 - x) * percent / 100.0)));
    };
    return NearestColor(
        RGB(lighten(GetRValue(rgb)), lighten(GetGValue(rgb)), lighten(GetBValue(rgb))),
        bitsPerPixel);
}

TColor GrayColor(TColor color, int amount, int bitsPerPixel) {
    amount = std::min(amount, 100);
    const TColor rgb = platform::ColorToRGB(color);
    const int grey =
        std::clamp((GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3 + amount, 0, 240);
    return NearestColor(RGB(grey, grey, grey), bitsPerPixel);
}

TColor ContrastColor(TColor background, TColor fontColor, int bitsPerPixel) {
    const TColor rgb = platform::ColorToRGB(background);
    if ((GetRValue(rgb) + GetBValue(rgb)) / 2 > 150 || GetGValue(rgb) > 200)
        return fontColor;
    return LightenColor(background, 90, bitsPerPixel);
}

void GrayBitmap(platform::TBitmap &bitmap, int amount, int bitsPerPixel) {
    MapPixels(bitmap, [&](TColor c) { return GrayColor(c, amount, bitsPerPixel); });
}

void LightenBitmap(platform::TBitmap &bitmap, int percent, int bitsPerPixel) {
    MapPixels(bitmap, [&](TColor c) { return LightenColor(c, percent, bitsPerPixel); });
}

void DrawGlyphShadow(const platform::TBitmap &bitmap, platform::TCanvas &canvas, int x, int y,
                     TColor color) {
    const QImage &image = bitmap.Image();
    if (image.isNull())
        return;
    const TColor transparent = bitmap.TransparentColor();
    for (int j = 0; j < image.height(); ++j)
        for (int i = 0; i < image.width(); ++i)
            if (platform::FromQColor(image.pixelColor(i, j)) != transparent)
                canvas.SetPixel(x + i, y + j, color);
}

} // namespace widgets
