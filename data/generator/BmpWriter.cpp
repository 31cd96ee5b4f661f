#include "BmpWriter.h"

#include "Quantizer.h"

namespace datagen {

namespace {

constexpr std::int32_t k96DotsPerInch = 3780; // in dots per metre
constexpr std::uint32_t kHeaderBytes = 14 + 40;

void writeFileHeader(ByteWriter &file, std::uint32_t paletteBytes, std::uint32_t pixelBytes) {
    file.u8('B');
    file.u8('M');
    file.u32(kHeaderBytes + paletteBytes + pixelBytes);
    file.u32(0); // reserved
    file.u32(kHeaderBytes + paletteBytes);
}

} // namespace

void writeBitmapInfo(ByteWriter &out, int width, int height, int bitsPerPixel,
                     std::uint32_t imageBytes, std::int32_t pixelsPerMetre,
                     const QList<QRgb> &palette) {
    out.u32(40);
    out.i32(width);
    out.i32(height); // positive: rows stored bottom-up
    out.u16(1);      // planes
    out.u16(static_cast<std::uint16_t>(bitsPerPixel));
    out.u32(0); // BI_RGB, uncompressed
    out.u32(imageBytes);
    out.i32(pixelsPerMetre);
    out.i32(pixelsPerMetre);
    out.u32(static_cast<std::uint32_t>(palette.size())); // colours used
    out.u32(0);                                          // all colours important
    for (QRgb c : palette) {
        out.u8(static_cast<std::uint8_t>(qBlue(c)));
        out.u8(static_cast<std::uint8_t>(qGreen(c)));
        out.u8(static_cast<std::uint8_t>(qRed(c)));
        out.u8(0);
    }
}

int rowBytes8(int width) { return (width + 3) / 4 * 4; }

QByteArray bottomUpRows8(const std::vector<std::uint8_t> &indices, int width, int height) {
    const int rowBytes = rowBytes8(width);
    QByteArray rows;
    rows.reserve(rowBytes * height);
    for (int y = height - 1; y >= 0; --y) {
        rows.append(reinterpret_cast<const char *>(indices.data()) + y * width, width);
        rows.append(rowBytes - width, '\0');
    }
    return rows;
}

QByteArray encodeBmp24(const QImage &image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);

    ByteWriter file;
    writeFileHeader(file, 0, pixelBytes);
    writeBitmapInfo(file, width, height, 24, pixelBytes, k96DotsPerInch);
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

QByteArray encodeBmp8(const QImage &image, QRgb reserved) {
    const IndexedFrames indexed = quantizeFrames({image}, reserved);
    const int width = image.width();
    const int height = image.height();
    const auto pixelBytes = static_cast<std::uint32_t>(rowBytes8(width) * height);
    const auto paletteBytes = static_cast<std::uint32_t>(indexed.palette.size() * 4);

    ByteWriter file;
    writeFileHeader(file, paletteBytes, pixelBytes);
    writeBitmapInfo(file, width, height, 8, pixelBytes, k96DotsPerInch, indexed.palette);
    file.raw(bottomUpRows8(indexed.frames.front(), width, height));
    return file.bytes();
}

} // namespace datagen
