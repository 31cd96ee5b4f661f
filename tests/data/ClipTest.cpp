// The wait box's clip: the AVI structure the program's reader expects, and the palette
// reduction behind it.
#include "AviWriter.h"
#include "Quantizer.h"
#include "ShippedData.h"

#include <gtest/gtest.h>

using namespace datatest;

namespace {

struct Layout {
    std::vector<Chunk> top, hdrl, strl, movi, index;
};

Layout layoutOf(const QByteArray &avi) {
    Layout l;
    auto sub = [&](const std::optional<Chunk> &list) {
        EXPECT_TRUE(list.has_value());
        if (!list)
            return std::vector<Chunk>();
        auto inner = chunksIn(avi, list->data() + 4, list->data() + list->size);
        EXPECT_TRUE(inner.has_value());
        return inner.value_or(std::vector<Chunk>());
    };
    EXPECT_EQ(avi.left(4), "RIFF");
    EXPECT_EQ(avi.mid(8, 4), "AVI ");
    EXPECT_EQ(u32At(avi, 4), std::uint32_t(avi.size() - 8));
    l.top = chunksIn(avi, 12, avi.size()).value_or(std::vector<Chunk>());
    l.hdrl = sub(findList(avi, l.top, "hdrl"));
    l.strl = sub(findList(avi, l.hdrl, "strl"));
    l.movi = sub(findList(avi, l.top, "movi"));
    return l;
}

TEST(Clip, HeadersDescribeAn81By81EightBitClipAtTenFramesPerSecond) {
    const QByteArray avi = shipped("rose.avi");
    const Layout l = layoutOf(avi);
    const auto avih = find(l.hdrl, "avih");
    const auto strh = find(l.strl, "strh");
    const auto strf = find(l.strl, "strf");
    ASSERT_TRUE(avih && strh && strf);
    EXPECT_EQ(avih->size, 56u);
    EXPECT_EQ(u32At(avi, avih->data()), 100000u);  // microseconds per frame
    EXPECT_EQ(u32At(avi, avih->data() + 16), 12u); // total frames
    EXPECT_EQ(u32At(avi, avih->data() + 32), 81u);
    EXPECT_EQ(u32At(avi, avih->data() + 36), 81u);
    EXPECT_EQ(avi.mid(strh->data(), 4), "vids");
    EXPECT_EQ(u32At(avi, strh->data() + 4), 0u);   // uncompressed
    EXPECT_EQ(u32At(avi, strh->data() + 20), 1u);  // scale
    EXPECT_EQ(u32At(avi, strh->data() + 24), 10u); // rate
    EXPECT_EQ(u32At(avi, strh->data() + 32), 12u); // length
    EXPECT_EQ(strf->size, 40u + 256 * 4);
    EXPECT_EQ(u32At(avi, strf->data()), 40u);
    EXPECT_EQ(i32At(avi, strf->data() + 4), 81);
    EXPECT_EQ(i32At(avi, strf->data() + 8), 81);
    EXPECT_EQ(u16At(avi, strf->data() + 14), 8);
    EXPECT_EQ(u32At(avi, strf->data() + 16), 0u); // BI_RGB
    // Palette entry 0 is the wait box's grey, stored blue, green, red, 0.
    EXPECT_EQ(avi.mid(strf->data() + 40, 4), QByteArray("\xa0\xa0\xa0\x00", 4));
}

TEST(Clip, EveryFrameChunkIsIndexedAndHoldsPaddedRows) {
    const QByteArray avi = shipped("rose.avi");
    const Layout l = layoutOf(avi);
    const auto movi = findList(avi, l.top, "movi");
    const auto idx1 = find(l.top, "idx1");
    ASSERT_TRUE(movi && idx1);
    const std::uint32_t frameBytes = 84 * 81; // rows of 81 bytes padded to 84
    ASSERT_EQ(l.movi.size(), 12u);
    for (const Chunk &frame : l.movi) {
        EXPECT_EQ(frame.id, "00db");
        EXPECT_EQ(frame.size, frameBytes);
    }
    ASSERT_EQ(idx1->size, 12u * 16);
    const qsizetype moviFourcc = movi->data();
    for (int i = 0; i < 12; ++i) {
        const qsizetype entry = idx1->data() + i * 16;
        EXPECT_EQ(avi.mid(entry, 4), "00db");
        EXPECT_EQ(u32At(avi, entry + 4) & 0x10u, 0x10u); // key frame
        const qsizetype chunk = moviFourcc + u32At(avi, entry + 8);
        EXPECT_EQ(chunk, l.movi[i].offset) << "frame " << i;
        EXPECT_EQ(u32At(avi, entry + 12), frameBytes);
    }
    // The corners of each frame show the background (palette entry 0).
    for (const Chunk &frame : l.movi)
        for (qsizetype at :
             {qsizetype(0), qsizetype(80), qsizetype(80 * 84), qsizetype(80 * 84 + 80)})
            EXPECT_EQ(avi[frame.data() + at], '\0');
}

TEST(Quantizer, KeepsFewColoursExactlyAndReservesEntryZero) {
    QImage a(4, 2, QImage::Format_RGB32), b(4, 2, QImage::Format_RGB32);
    a.fill(qRgb(160, 160, 160));
    b.fill(qRgb(10, 20, 30));
    a.setPixel(1, 0, qRgb(255, 0, 0));
    b.setPixel(3, 1, qRgb(0, 0, 255));
    const auto clip = datagen::quantizeFrames({a, b}, qRgb(160, 160, 160));
    ASSERT_EQ(clip.palette.size(), 256);
    ASSERT_EQ(clip.frames.size(), 2u);
    EXPECT_EQ(clip.palette[0], qRgb(160, 160, 160));
    const QList<QImage> frames{a, b};
    for (int f = 0; f < 2; ++f)
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(clip.palette[clip.frames[f][y * 4 + x]], frames[f].pixel(x, y));
}

TEST(Quantizer, MapsManyColoursToNearbyEntries) {
    QImage ramp(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ramp.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    const auto clip = datagen::quantizeFrames({ramp}, qRgb(160, 160, 160));
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb want = ramp.pixel(x, y), got = clip.palette[clip.frames[0][y * 64 + x]];
            worst = std::max({worst, std::abs(qRed(want) - qRed(got)),
                              std::abs(qGreen(want) - qGreen(got)),
                              std::abs(qBlue(want) - qBlue(got))});
        }
    EXPECT_LE(worst, 24);
}

} // namespace
