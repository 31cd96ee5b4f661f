// The folder as a whole: written the same way every time, listed in MANIFEST, and the copy
// committed in data/shipped matches what the generator makes now.
#include "Generator.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString &folder) {
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    names.sort();
    return names;
}

TEST(Generator, TwoRunsWriteIdenticalFolders) {
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    ASSERT_EQ(datagen::writeShippedFolder(first.path()), QString());
    ASSERT_EQ(datagen::writeShippedFolder(second.path()), QString());
    const QStringList names = filesIn(first.path());
    ASSERT_EQ(names, filesIn(second.path()));
    for (const QString &name : names)
        EXPECT_EQ(readFile(first.filePath(name)), readFile(second.filePath(name)))
            << name.toStdString();
}

TEST(Generator, ManifestListsEveryOtherFileOfTheFolder) {
    QTemporaryDir dir;
    ASSERT_EQ(datagen::writeShippedFolder(dir.path()), QString());
    const QByteArray manifest = readFile(dir.filePath("MANIFEST"));
    ASSERT_TRUE(manifest.endsWith('\n'));
    QStringList listed = QString::fromUtf8(manifest).split('\n', Qt::SkipEmptyParts);
    listed.sort();
    QStringList present = filesIn(dir.path());
    present.removeOne("MANIFEST");
    EXPECT_EQ(listed, present);
    for (const char *required :
         {"Ventrose.inf", "cercle5.bmp", "cercle6.bmp", "Esud.bmp", "Eest.bmp", "Enord.bmp",
          "Eouest.bmp", "OUEST.BMP", "EST.BMP", "applaud.wav", "error.wav", "canopen.wav",
          "ID60.wav", "rose.avi", "aide", "aide.en", "ventrose.png"})
        EXPECT_TRUE(listed.contains(required)) << required;
}

TEST(Generator, ReportsAFolderThatCannotBeCreated) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_NE(datagen::writeShippedFolder(dir.filePath("file/inside")), QString());
}

// A generator change without ./data/generate would ship stale files.
TEST(Generator, CommittedShippedFolderIsUpToDate) {
    const QByteArray source = qgetenv("VENTROSE_SOURCE_DIR");
    if (source.isEmpty())
        GTEST_SKIP() << "VENTROSE_SOURCE_DIR not set";
    const QString shipped = QString::fromLocal8Bit(source) + "/data/shipped";
    QTemporaryDir fresh;
    ASSERT_EQ(datagen::writeShippedFolder(fresh.path()), QString());
    ASSERT_EQ(filesIn(shipped), filesIn(fresh.path()));
    for (const QString &name : filesIn(fresh.path()))
        EXPECT_EQ(readFile(shipped + "/" + name), readFile(fresh.filePath(name)))
            << name.toStdString() << " differs: run data/generate";
}

} // namespace
