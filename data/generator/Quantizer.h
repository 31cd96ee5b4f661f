// Reduces true-colour pictures to one shared palette of at most 256 colours (median cut over
// the pixels of all pictures), for the 8-bit animation clip.
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <vector>

namespace datagen {

struct IndexedFrames {
    QList<QRgb> palette;                           // 256 entries, unused ones black
    std::vector<std::vector<std::uint8_t>> frames; // per frame, row-major top-down indices
};

// `reserved` becomes palette entry 0 exactly (the clip's background), so pixels of that colour
// keep it; the other entries come from the median cut. All frames must share one size.
IndexedFrames quantizeFrames(const QList<QImage> &frames, QRgb reserved);

} // namespace datagen
