// The compass dial pictures (313 x 313): a bezel, degree ticks, the French cardinal letters
// and, for cercle5.bmp, a sixteen-point wind rose. The program draws its needle from pixel
// (156, 156), so the dial is centred exactly on that pixel and kept dark and muted within the
// needle's reach, where a red and a white needle must stand out.
#pragma once

#include <QImage>

namespace datagen {

constexpr int kDialSize = 313;
constexpr int kDialCentrePixel = 156;

QImage makeDial(bool withRose);

} // namespace datagen
