// The flat menu painter's colour arithmetic and glyph effects. Colours may be system colours;
// each result is the nearest colour that a surface of the given depth shows.
#pragma once

#include "platform/ui/Canvas.h"

namespace widgets {

using platform::TColor;

// The colour a surface of `bitsPerPixel` shows for `color`: itself from 24 bits up, its
// 5-6-5 approximation at 16 bits, the nearest of the 16 standard colours below.
TColor NearestColor(TColor color, int bitsPerPixel);
// Red and blue less `amount`, green less `amount` - 2, each kept within 0..255; a negative
// amount lightens.
TColor DarkenColor(TColor color, int amount, int bitsPerPixel = 32);
// Each channel moves `percent` (at most 100) of the way to 255.
TColor LightenColor(TColor color, int percent, int bitsPerPixel = 32);
// The grey of the channels' mean plus `amount` (at most 100), at most 240.
TColor GrayColor(TColor color, int amount, int bitsPerPixel = 32);
// The text colour for a background: `fontColor` on light backgrounds, else the background
// lightened by 90 %.
TColor ContrastColor(TColor background, TColor fontColor, int bitsPerPixel = 32);

// Every pixel of the bitmap becomes GrayColor (LightenColor) of itself.
void GrayBitmap(platform::TBitmap &bitmap, int amount, int bitsPerPixel = 32);
void LightenBitmap(platform::TBitmap &bitmap, int percent, int bitsPerPixel = 32);
// Paints, in one colour, every pixel of the bitmap that is not of its transparent colour at
// (x + i, y + j) of the canvas.
void DrawGlyphShadow(const platform::TBitmap &bitmap, platform::TCanvas &canvas, int x, int y,
                     TColor color);

} // namespace widgets
