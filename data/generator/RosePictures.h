// The wind roses that stand alone: the window icon and the wait box's turning-rose clip.
#pragma once

#include <QImage>
#include <QList>

namespace datagen {

constexpr int kIconSize = 64;
constexpr int kClipSize = 81;
constexpr int kClipFrames = 12;
constexpr int kClipFramesPerSecond = 10;
// The wait box's panel colour (the system button-shadow grey), the clip's background.
inline const QRgb kClipBackground = qRgb(160, 160, 160);

// A 64 x 64 compass rose on a transparent background.
QImage makeIcon();

// The clip's frames: a rose with four equal quarters turning clockwise through one quarter
// turn, so the last frame runs smoothly into the first.
QList<QImage> makeClipFrames();

} // namespace datagen
