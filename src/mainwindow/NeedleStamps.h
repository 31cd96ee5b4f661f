// The needle drawn from its pixels: the first time a needle is drawn on a picture of a given
// size its fan of lines is stroked once, off screen, and the pixels it paints are kept as runs
// of one colour; the same needle drawn again is copied from those runs, which paints the same
// pixels at a small part of the cost of stroking its lines again. A compass that shows a few
// hundred different headings keeps one set of runs for each.
#pragma once

#include "platform/ui/Canvas.h"

#include <QSize>

#include <map>
#include <tuple>
#include <vector>

namespace app {

class NeedleStamps {
public:
    // Draws as DrawNeedle does, with the same pixels, and leaves the same pen and brush (not
    // the pen position).
    void Draw(platform::TCanvas &canvas, int headingSum, int length, int width, int cx, int cy,
              bool hub);
    std::size_t Kept() const { return stamps_.size(); }

    // Needles kept at most; more start the collection again.
    static constexpr std::size_t Capacity = 2048;

private:
    using Key = std::tuple<int, int, int, int, int, int, int>;
    std::map<Key, std::vector<platform::TSpan>> stamps_;
};

} // namespace app
