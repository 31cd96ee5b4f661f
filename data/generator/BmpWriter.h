// Encodes pictures as Windows BMP files: BITMAPFILEHEADER, BITMAPINFOHEADER (with a palette
// for 8-bit pictures), bottom-up rows padded to four bytes. Written by hand so the bytes never
// depend on Qt's writer.
#pragma once

#include "ByteWriter.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace datagen {

// 24-bit BGR. Pixels with alpha are composed over black first; pictures meant to be opaque
// should be.
QByteArray encodeBmp24(const QImage &image);

// 256 colours: the picture reduced to one palette whose entry 0 is exactly `reserved` (the
// background, so that it keeps its colour).
QByteArray encodeBmp8(const QImage &image, QRgb reserved);

// The BITMAPINFOHEADER of an uncompressed, bottom-up picture, followed by its palette (none
// for 24 bits). BMP files and AVI stream formats both hold it.
void writeBitmapInfo(ByteWriter &out, int width, int height, int bitsPerPixel,
                     std::uint32_t imageBytes, std::int32_t pixelsPerMetre,
                     const QList<QRgb> &palette = {});

// Bytes per row of an 8-bit picture: the width padded to four.
int rowBytes8(int width);
// The indices of a top-down 8-bit picture as bottom-up rows padded to four bytes.
QByteArray bottomUpRows8(const std::vector<std::uint8_t> &indices, int width, int height);

} // namespace datagen
