#include "BmpWriter.h"

#include "ByteWriter.h"

namespace datagen {

QByteArray encodeBmp24(const QImage &image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    const std::uint32_t headerBytes = 14 + 40;

    ByteWriter file;
    file.u8('B');
    file.u8('M');
    file.u32(headerBytes + pixelBytes);
    file.u32(0); // reserved
    file.u32(headerBytes);
    // BITMAPINFOHEADER
    file.u32(40);
    file.i32(width);
    file.i32(height); // positive: rows stored bottom-up
    file.u16(1);      // planes
    file.u16(24);     // bits per pixel
    file.u32(0);      // BI_RGB
    file.u32(pixelBytes);
    file.i32(3780); // 96 dots per inch, in dots per metre
    file.i32(3780);
    file.u32(0); // colours used
    file.u32(0); // important colours

    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            file.u8(static_cast<std::uint8_t>(qBlue(line[x])));
            file.u8(static_cast<std::uint8_t>(qGreen(line[x])));
            file.u8(static_cast<std::uint8_t>(qRed(line[x])));
        }
        file.zeros(rowBytes - width * 3);
    }
    return file.bytes();
}

} // namespace datagen
