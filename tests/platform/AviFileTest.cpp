// The AVI reader on clips built here byte by byte, and the animation control's timer.
#include "platform/media/AviFile.h"
#include "platform/app/Errors.h"
#include "platform/media/Animation.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/RiffBytes.h"

namespace {

using platform::AviClip;
using platform::ParseAvi;

using namespace riff;

struct ClipLayout {
    int width = 3, height = 2, bitCount = 8, compression = 0;
    const char *handler = "DIB ";
    quint32 scale = 1, rate = 10;
    std::vector<std::pair<const char *, QByteArray>> frames;
};

// Palette entry i is (red i, green 2i, blue 3i), written as RGBQUAD (blue first).
QByteArray Palette() {
    QByteArray p;
    for (int i = 0; i < 256; ++i)
        p += char(3 * i), p += char(2 * i), p += char(i), p += '\0';
    return p;
}
QRgb Entry(int i) { return qRgb(i & 0xFF, (2 * i) & 0xFF, (3 * i) & 0xFF); }

QByteArray MakeAvi(const ClipLayout &s) {
    const QByteArray avih = U32(1000000 / 4) + U32(0) + U32(0) + U32(0x10) +
                            U32(quint32(s.frames.size())) + U32(0) + U32(1) + U32(0) +
                            U32(quint32(s.width)) + U32(quint32(s.height)) + QByteArray(16, '\0');
    const QByteArray strh = QByteArray("vids") + QByteArray(s.handler, 4) + U32(0) + U16(0) +
                            U16(0) + U32(0) + U32(s.scale) + U32(s.rate) + U32(0) +
                            U32(quint32(s.frames.size())) + U32(0) + U32(0) + U32(0) +
                            QByteArray(8, '\0');
    QByteArray strf = U32(40) + U32(quint32(s.width)) + U32(quint32(s.height)) + U16(1) +
                      U16(quint16(s.bitCount)) + U32(quint32(s.compression)) + U32(0) + U32(0) +
                      U32(0) + U32(s.bitCount == 8 ? 256 : 0) + U32(0);
    if (s.bitCount == 8)
        strf += Palette();
    QByteArray movi;
    for (const auto &[id, data] : s.frames)
        movi += Chunk(id, data);
    const QByteArray body =
        List("hdrl",
             Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
        Chunk("JUNK", "x") + List("movi", movi) + Chunk("idx1", QByteArray(16, '\0'));
    return "RIFF" + U32(quint32(4 + body.size())) + "AVI " + body;
}

QRgb At(const AviClip &clip, int frame, int x, int y) { return clip.frames.at(frame).pixel(x, y); }

QString ErrorOf(const QByteArray &file) {
    try {
        ParseAvi(file);
    } catch (const platform::EAviError &e) {
        return e.Message();
    }
    return {};
}

TEST(AviFile, DecodesUncompressedBottomUpRowsWithPadding) {
    ClipLayout layout;
    // Bottom row first; 3 pixels padded to 4 bytes.
    layout.frames = {{"00db", QByteArray("\x04\x05\x06\xEE\x01\x02\x03\xEE", 8)}};
    const AviClip clip = ParseAvi(MakeAvi(layout));
    EXPECT_EQ(clip.width, 3);
    EXPECT_EQ(clip.height, 2);
    EXPECT_EQ(clip.microsecondsPerFrame, 100000); // from rate / scale, not avih
    ASSERT_EQ(clip.frames.size(), 1u);
    EXPECT_EQ(At(clip, 0, 0, 0), Entry(1));
    EXPECT_EQ(At(clip, 0, 2, 0), Entry(3));
    EXPECT_EQ(At(clip, 0, 0, 1), Entry(4));
    EXPECT_EQ(At(clip, 0, 2, 1), Entry(6));
}

TEST(AviFile, DecodesTrueColourFrames) {
    ClipLayout layout;
    layout.width = 1, layout.height = 2, layout.bitCount = 24, layout.handler = "\0\0\0\0";
    layout.frames = {{"00db", QByteArray("\x30\x20\x10\x00\x03\x02\x01\x00", 8)}};
    const AviClip clip = ParseAvi(MakeAvi(layout));
    EXPECT_EQ(At(clip, 0, 0, 1), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(At(clip, 0, 0, 0), qRgb(1, 2, 3));
}

TEST(AviFile, DecodesRle8EscapesEachFrameOverThePreviousOne) {
    ClipLayout layout;
    layout.width = 5, layout.height = 3, layout.compression = 1, layout.handler = "RLE ";
    // Frame 1: bottom row a run of five 7s, end of line; middle row the absolute run 1 2 3
    // (odd: one pad byte), end of line; top row a run of two 9s, then end of picture.
    const QByteArray first("\x05\x07\x00\x00"
                           "\x00\x03\x01\x02\x03\x00\x00\x00"
                           "\x02\x09\x00\x01",
                           16);
    // Frame 2: a delta of (3 right, 1 up) to the middle row, one pixel 8, end of picture:
    // everything else stays as frame 1 left it.
    const QByteArray second("\x00\x02\x03\x01"
                            "\x01\x08"
                            "\x00\x01",
                            8);
    // Frame 3: an empty chunk repeats the picture; frame 4 is a stored uncompressed one.
    layout.frames = {{"00dc", first},
                     {"00dc", second},
                     {"00dc", QByteArray()},
                     {"00db", QByteArray(8 * 3, '\x04')}};
    const AviClip clip = ParseAvi(MakeAvi(layout));
    ASSERT_EQ(clip.frames.size(), 4u);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(At(clip, 0, x, 2), Entry(7)) << x;
    EXPECT_EQ(At(clip, 0, 0, 1), Entry(1));
    EXPECT_EQ(At(clip, 0, 2, 1), Entry(3));
    EXPECT_EQ(At(clip, 0, 3, 1), Entry(0)); // never written
    EXPECT_EQ(At(clip, 0, 1, 0), Entry(9));
    EXPECT_EQ(At(clip, 0, 2, 0), Entry(0));

    EXPECT_EQ(At(clip, 1, 3, 1), Entry(8));
    EXPECT_EQ(At(clip, 1, 2, 1), Entry(3));
    EXPECT_EQ(At(clip, 1, 4, 2), Entry(7));
    EXPECT_EQ(clip.frames[2], clip.frames[1]);
    EXPECT_EQ(At(clip, 3, 4, 0), Entry(4));
}

TEST(AviFile, RunsPastTheEdgeAreClippedNotWrittenElsewhere) {
    ClipLayout layout;
    layout.width = 2, layout.height = 2, layout.compression = 1;
    // A run of 5 on a 2-pixel row, then a delta far outside, then a run there.
    layout.frames = {{"00dc", QByteArray("\x05\x06"
                                         "\x00\x02\x50\x50"
                                         "\x03\x07"
                                         "\x00\x01",
                                         10)}};
    const AviClip clip = ParseAvi(MakeAvi(layout));
    EXPECT_EQ(At(clip, 0, 1, 1), Entry(6));
    EXPECT_EQ(At(clip, 0, 0, 0), Entry(0));
    EXPECT_EQ(At(clip, 0, 1, 0), Entry(0));
}

TEST(AviFile, EveryDamagedOrForeignFileGivesTheOneMessage) {
    ClipLayout layout;
    layout.compression = 1;
    layout.frames = {{"00dc", QByteArray("\x03\x01\x00\x00\x03\x02\x00\x01", 8)}};
    const QByteArray good = MakeAvi(layout);
    ASSERT_EQ(ErrorOf(good), QString());
    // Cut anywhere, the file is refused, never half-read.
    for (qsizetype length = 0; length < good.size(); ++length)
        ASSERT_EQ(ErrorOf(good.left(length)), "Impossible d'ouvrir l'AVI") << length;
    EXPECT_EQ(ErrorOf(QByteArray(300, 'z')), "Impossible d'ouvrir l'AVI");

    ClipLayout noFrames = layout;
    noFrames.frames = {{"01wb", "ab"}};
    EXPECT_EQ(ErrorOf(MakeAvi(noFrames)), "Impossible d'ouvrir l'AVI");
    ClipLayout shortFrame;
    shortFrame.frames = {{"00db", "abc"}};
    EXPECT_EQ(ErrorOf(MakeAvi(shortFrame)), "Impossible d'ouvrir l'AVI");
    ClipLayout sixteenBits;
    sixteenBits.bitCount = 16;
    sixteenBits.frames = {{"00db", QByteArray(16, 'a')}};
    EXPECT_EQ(ErrorOf(MakeAvi(sixteenBits)), "Impossible d'ouvrir l'AVI");
    ClipLayout otherCodec = shortFrame;
    otherCodec.handler = "cvid";
    EXPECT_EQ(ErrorOf(MakeAvi(otherCodec)), "Impossible d'ouvrir l'AVI");
    // An absolute run that claims more bytes than the frame holds.
    ClipLayout overrun = layout;
    overrun.frames = {{"00dc", QByteArray("\x00\x09\x01\x02", 4)}};
    EXPECT_EQ(ErrorOf(MakeAvi(overrun)), "Impossible d'ouvrir l'AVI");
}

TEST(AviFile, RefusesClipsThatWouldDecodeIntoTooMuchMemory) {
    // Forty two-byte frames of 1024 x 1024: tiny on disk, 40 M pixels decoded.
    ClipLayout layout;
    layout.width = 1024, layout.height = 1024, layout.compression = 1;
    layout.frames.assign(40, {"00dc", QByteArray("\x00\x01", 2)});
    EXPECT_EQ(ErrorOf(MakeAvi(layout)), "Impossible d'ouvrir l'AVI");
    layout.frames.resize(2);
    EXPECT_EQ(ErrorOf(MakeAvi(layout)), QString());
}

class AnimationTest : public ::testing::Test {
protected:
    QString WriteClip(const QByteArray &content) {
        const QString path = dir.filePath("rose.avi");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QTemporaryDir dir;
    platform::Animation animation;
};

TEST_F(AnimationTest, PlaysTheFramesInALoopOnItsTimer) {
    ClipLayout layout;
    layout.rate = 50; // 20 ms a frame
    layout.frames = {{"00db", QByteArray(8, '\x01')},
                     {"00db", QByteArray(8, '\x02')},
                     {"00db", QByteArray(8, '\x03')}};
    animation.SetFileName(WriteClip(MakeAvi(layout)));
    EXPECT_EQ(animation.FrameCount(), 3);
    EXPECT_EQ(animation.FrameInterval(), 20);
    EXPECT_FALSE(animation.Active());
    animation.SetActive(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return animation.FramesPlayed() >= 4; }));
    animation.SetActive(false);
    EXPECT_FALSE(animation.Active());
    EXPECT_EQ(animation.CurrentFrame(), animation.FramesPlayed() % 3);
}

TEST_F(AnimationTest, AClipThatCannotBeOpenedLeavesTheControlEmpty) {
    ClipLayout layout;
    layout.frames = {{"00db", QByteArray(8, '\x01')}};
    animation.SetFileName(WriteClip(MakeAvi(layout)));
    animation.SetActive(true);
    try {
        animation.SetFileName(dir.filePath("absent.avi"));
        FAIL() << "no error";
    } catch (const platform::EAviError &e) {
        EXPECT_EQ(e.Message(), "Impossible d'ouvrir l'AVI");
    }
    EXPECT_FALSE(animation.Active());
    EXPECT_EQ(animation.FrameCount(), 0);
    EXPECT_TRUE(animation.FileName().isEmpty());
    animation.SetActive(true); // nothing to play
    EXPECT_FALSE(animation.Active());
}

} // namespace
