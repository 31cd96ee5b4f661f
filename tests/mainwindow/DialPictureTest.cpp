#include "mainwindow/DialPicture.h"

#include "platform/app/Errors.h"
#include "platform/app/InstallDir.h"
#include "platform/ui/Canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace app {
namespace {

class DialPictureTest : public ::testing::Test {
protected:
    QString Path(const char *name) const { return dir.filePath(name); }

    void WriteDial(const QString &path, int size, QRgb colour) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path, "BMP"));
    }

    // Moves the file's modification time, as a copy of an older or newer picture would.
    static void SetModifiedTime(const QString &path, time_t seconds) {
        const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    }

    QTemporaryDir dir;
    DialPictureCache cache;
};

TEST_F(DialPictureTest, UnchangedFileIsDecodedOnce) {
    const QString path = Path("cercle5.bmp");
    WriteDial(path, 313, qRgb(0, 0, 128));
    const QImage first = cache.Load(path);
    const QImage second = cache.Load(path);
    EXPECT_EQ(cache.DecodeCount(), 1);
    EXPECT_EQ(first.size(), QSize(313, 313));
    EXPECT_EQ(second, first);
    EXPECT_EQ(second.pixel(156, 156) | 0xFF000000u, qRgb(0, 0, 128));
}

TEST_F(DialPictureTest, DrawingOnALoadedPictureLeavesTheNextOneClean) {
    const QString path = Path("cercle6.bmp");
    WriteDial(path, 313, qRgb(10, 20, 30));
    QImage drawnOn = cache.Load(path);
    platform::TCanvas canvas(&drawnOn);
    canvas.Pen().SetColor(platform::clRed);
    canvas.Pen().SetWidth(2);
    canvas.MoveTo(0, 0);
    canvas.LineTo(300, 300);
    ASSERT_EQ(drawnOn.pixel(100, 100) | 0xFF000000u, qRgb(255, 0, 0));

    const QImage fresh = cache.Load(path);
    EXPECT_EQ(cache.DecodeCount(), 1);
    EXPECT_EQ(fresh.pixel(100, 100) | 0xFF000000u, qRgb(10, 20, 30));
}

TEST_F(DialPictureTest, RewrittenFileIsDecodedAgain) {
    const QString path = Path("cercle5.bmp");
    WriteDial(path, 313, qRgb(0, 0, 0));
    cache.Load(path);

    WriteDial(path, 200, qRgb(0, 255, 0)); // another size
    const QImage resized = cache.Load(path);
    EXPECT_EQ(cache.DecodeCount(), 2);
    EXPECT_EQ(resized.size(), QSize(200, 200));

    // Same size, only the time tells them apart.
    SetModifiedTime(path, 1000000000);
    cache.Load(path);
    WriteDial(path, 200, qRgb(255, 255, 0));
    SetModifiedTime(path, 1000000001);
    const QImage recoloured = cache.Load(path);
    EXPECT_EQ(cache.DecodeCount(), 4);
    EXPECT_EQ(recoloured.pixel(0, 0) | 0xFF000000u, qRgb(255, 255, 0));
}

TEST_F(DialPictureTest, EachFileHasItsOwnEntry) {
    WriteDial(Path("cercle5.bmp"), 313, qRgb(1, 1, 1));
    WriteDial(Path("cercle6.bmp"), 313, qRgb(2, 2, 2));
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(cache.Load(Path("cercle5.bmp")).pixel(0, 0) | 0xFF000000u, qRgb(1, 1, 1));
        EXPECT_EQ(cache.Load(Path("cercle6.bmp")).pixel(0, 0) | 0xFF000000u, qRgb(2, 2, 2));
    }
    EXPECT_EQ(cache.DecodeCount(), 2);
}

TEST_F(DialPictureTest, MissingFileRaisesWithItsName) {
    const QString path = Path("cercle5.bmp");
    try {
        cache.Load(path);
        FAIL() << "no error raised";
    } catch (const platform::EFOpenError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Impossible d'ouvrir le fichier ") + path);
    }
}

TEST_F(DialPictureTest, UndecodableFileRaisesAndAVanishedFileIsNotServedFromTheCache) {
    const QString path = Path("cercle6.bmp");
    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("BM this is not a picture");
    garbage.close();
    EXPECT_THROW(cache.Load(path), platform::EFOpenError);

    WriteDial(path, 313, qRgb(5, 5, 5));
    EXPECT_NO_THROW(cache.Load(path));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_THROW(cache.Load(path), platform::EFOpenError);
}

// The picture is kept when the whole installation folder goes away while the program runs,
// not when only its file is missing; a picture never loaded cannot be had either way.
TEST_F(DialPictureTest, AGoneFolderKeepsTheLoadedPictureAMissingFileDoesNot) {
    for (const bool folderGone : {true, false}) {
        SCOPED_TRACE(folderGone ? "folder gone" : "file gone");
        QTemporaryDir parent;
        const QString folder = parent.filePath("Ventrose");
        ASSERT_TRUE(QDir().mkpath(folder));
        platform::InstallDir::Select(folder);
        WriteDial(folder + "/cercle5.bmp", 31, qRgb(0, 128, 0));
        DialPictureCache installed;
        const QImage loaded = installed.LoadInstalled("cercle5.bmp");
        ASSERT_TRUE(folderGone ? QDir(folder).removeRecursively()
                               : QFile::remove(folder + "/cercle5.bmp"));
        const auto reloaded = [&](const char *name) {
            try {
                return installed.LoadInstalled(name);
            } catch (const platform::EFOpenError &) {
                return QImage();
            }
        };
        EXPECT_EQ(reloaded("cercle5.bmp"), folderGone ? loaded : QImage());
        EXPECT_EQ(installed.FolderGone(), folderGone);
        EXPECT_TRUE(reloaded("cercle6.bmp").isNull());
    }
    platform::InstallDir::Select(QString());
}

TEST(DialFileName, FromTheRoseSlot) {
    settings::SettingsStore store;
    const settings::SettingsView settings(store);
    store.Set(settings::RoseSlot, "ROSEON");
    EXPECT_EQ(DialFileName(settings), QStringLiteral("cercle5.bmp"));
    store.Set(settings::RoseSlot, "ROSEOFF");
    EXPECT_EQ(DialFileName(settings), QStringLiteral("cercle6.bmp"));
    for (const char *other : {"", "roseon", "ROSEON "}) {
        store.Set(settings::RoseSlot, other);
        EXPECT_EQ(DialFileName(settings), std::nullopt) << other;
    }
}

} // namespace
} // namespace app
