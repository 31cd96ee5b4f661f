// Encodes a picture as a Windows 24-bit BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up
// BGR rows padded to four bytes. Written by hand so the bytes never depend on Qt's writer.
#pragma once

#include <QByteArray>
#include <QImage>

namespace datagen {

// Pixels with alpha are composed over black first; pictures meant to be opaque should be.
QByteArray encodeBmp24(const QImage &image);

} // namespace datagen
