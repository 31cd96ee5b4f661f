// The BMP pictures: the exact format and sizes the program loads, and the dial drawn where the
// program puts its needle.
#include "BmpWriter.h"
#include "Dial.h"
#include "Glyphs.h"
#include "ShippedData.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QImage>

using namespace datatest;

namespace {

struct Expected {
    const char *name;
    int width;
    int height;
};

const Expected kPictures[] = {
    {"cercle5.bmp", 313, 313},   {"cercle6.bmp", 313, 313},   {"Esud.bmp", 281, 257},
    {"Eest.bmp", 281, 257},      {"Enord.bmp", 281, 257},     {"Eouest.bmp", 281, 257},
    {"OUEST.BMP", 153, 161},     {"EST.BMP", 153, 161},       {"tb_liaison.bmp", 16, 16},
    {"tb_port.bmp", 16, 16},     {"tb_centrage.bmp", 16, 16}, {"tb_declinaison.bmp", 16, 16},
    {"tb_logiciel.bmp", 16, 16}, {"tb_materiel.bmp", 16, 16}, {"btn_ok.bmp", 18, 18},
    {"btn_aide.bmp", 18, 18},    {"btn_sortir.bmp", 18, 18},  {"btn_centrage.bmp", 18, 18},
    {"btn_raz.bmp", 18, 18},
};

TEST(Pictures, AreUncompressed24BitBmpsOfTheExactSize) {
    for (const Expected &e : kPictures) {
        SCOPED_TRACE(e.name);
        const QByteArray bmp = shipped(e.name);
        ASSERT_GE(bmp.size(), 54);
        EXPECT_EQ(bmp.left(2), "BM");
        EXPECT_EQ(u32At(bmp, 2), std::uint32_t(bmp.size()));
        EXPECT_EQ(u32At(bmp, 10), 54u); // pixels right after the two headers
        EXPECT_EQ(u32At(bmp, 14), 40u); // BITMAPINFOHEADER
        EXPECT_EQ(i32At(bmp, 18), e.width);
        EXPECT_EQ(i32At(bmp, 22), e.height); // positive: bottom-up rows
        EXPECT_EQ(u16At(bmp, 28), 24);
        EXPECT_EQ(u32At(bmp, 30), 0u); // BI_RGB
        const int rowBytes = (e.width * 3 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size(), 54 + rowBytes * e.height);
        const QImage loaded = QImage::fromData(bmp, "BMP");
        EXPECT_EQ(loaded.size(), QSize(e.width, e.height));
    }
}

// Odd widths need row padding; the bottom row comes first in the file.
TEST(Pictures, BmpEncodingRoundTripsThroughAReader) {
    for (int width : {1, 2, 3, 5, 313}) {
        QImage image(width, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x * 7 % 256, y * 90, (x + y) * 13 % 256));
        const QImage loaded = QImage::fromData(datagen::encodeBmp24(image), "BMP");
        EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), image) << width;
    }
}

QImage dial(const char *name) {
    return QImage::fromData(shipped(name), "BMP").convertToFormat(QImage::Format_RGB32);
}

bool isBlack(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c) < 30; }

// The first pixel that is not black, walking from `from` in steps of (dx, dy).
int firstLit(const QImage &image, QPoint from, int dx, int dy) {
    int steps = 0;
    for (QPoint p = from; image.rect().contains(p); p += QPoint(dx, dy), ++steps)
        if (!isBlack(image.pixel(p)))
            return steps;
    return -1;
}

TEST(DialPictures, AreCentredOnPixel156WithBlackCorners) {
    const int c = datagen::kDialCentrePixel;
    for (const char *name : {"cercle5.bmp", "cercle6.bmp"}) {
        SCOPED_TRACE(name);
        const QImage image = dial(name);
        ASSERT_EQ(image.size(), QSize(313, 313));
        EXPECT_EQ(image.width() / 2, c);
        for (QPoint corner : {QPoint(0, 0), QPoint(312, 0), QPoint(0, 312), QPoint(312, 312),
                              QPoint(20, 20), QPoint(292, 292)})
            EXPECT_TRUE(isBlack(image.pixel(corner))) << corner.x() << "," << corner.y();
        // The bezel starts as far from the centre on every side.
        const int left = c - firstLit(image, {0, c}, 1, 0);
        const int right = (312 - firstLit(image, {312, c}, -1, 0)) - c;
        const int top = c - firstLit(image, {c, 0}, 0, 1);
        const int bottom = (312 - firstLit(image, {c, 312}, 0, -1)) - c;
        EXPECT_EQ(left, right);
        EXPECT_EQ(top, bottom);
        EXPECT_EQ(left, top);
        EXPECT_GE(left, 150);
    }
}

// The needle (up to 110 pixels, red one way and white the other) must stand out everywhere it
// can reach: no red and no white on the dial there.
TEST(DialPictures, LeaveTheNeedleAreaFreeOfRedAndWhite) {
    const int c = datagen::kDialCentrePixel;
    for (const char *name : {"cercle5.bmp", "cercle6.bmp"}) {
        SCOPED_TRACE(name);
        const QImage image = dial(name);
        int offending = 0;
        for (int y = c - 112; y <= c + 112; ++y)
            for (int x = c - 112; x <= c + 112; ++x) {
                if (std::hypot(x - c, y - c) > 112)
                    continue;
                const QRgb p = image.pixel(x, y);
                const bool red = qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90;
                const bool white = qRed(p) > 225 && qGreen(p) > 225 && qBlue(p) > 225;
                offending += red || white;
            }
        EXPECT_EQ(offending, 0);
    }
}

TEST(DialPictures, DifferOnlyByTheRose) {
    const QImage rose = dial("cercle5.bmp"), plain = dial("cercle6.bmp");
    const int c = datagen::kDialCentrePixel;
    int differentOutside = 0, differentInside = 0;
    for (int y = 0; y < 313; ++y)
        for (int x = 0; x < 313; ++x) {
            const bool differs = rose.pixel(x, y) != plain.pixel(x, y);
            (std::hypot(x - c, y - c) > 116 ? differentOutside : differentInside) += differs;
        }
    EXPECT_EQ(differentOutside, 0);
    EXPECT_GT(differentInside, 5000);
}

TEST(Glyphs, HaveTheTransparentColourInTheBottomLeftPixelAndADrawing) {
    for (const Expected &e : kPictures) {
        const QString name = QString::fromLatin1(e.name);
        if (!name.startsWith("tb_") && !name.startsWith("btn_"))
            continue;
        SCOPED_TRACE(e.name);
        const QImage image = QImage::fromData(shipped(name), "BMP");
        const QRgb key = image.pixel(0, image.height() - 1);
        EXPECT_EQ(QColor(key), datagen::kGlyphBackground);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += image.pixel(x, y) != key;
        EXPECT_GT(drawn, image.width() * image.height() / 5);
    }
}

} // namespace
