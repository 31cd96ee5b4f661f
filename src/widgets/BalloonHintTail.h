// The two tail pictures of a balloon, and the transparent copy that puts one on the balloon.
#pragma once

#include "widgets/BalloonHint.h"

#include <QImage>

namespace platform {
class TCanvas;
}

namespace widgets {

constexpr int TailWidth = 15;
constexpr int TailHeight = 21;
// The colour of a tail picture that counts as transparent.
constexpr platform::TColor TailTransparentColor = platform::RGB(255, 255, 0);

// A 15 x 21 picture with a black outline, a white interior and a yellow background. For
// alRight the tail widens towards the top right and its tip is the bottom-left pixel; for
// alLeft it is the mirror image, tip at the bottom-right pixel.
const QImage &TailImage(TBalloonAlign align);

// Copies every pixel of the tail that is not yellow onto the canvas at (x, y); yellow
// pixels leave the canvas as it was.
void DrawTail(platform::TCanvas &target, const QImage &tail, int x, int y);

} // namespace widgets
