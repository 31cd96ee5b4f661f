// The settings file: thirty CR LF lines, exact bytes, atomic replacement and its failures.
#include "settings/SettingsStore.h"
#include "platform/app/Errors.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using settings::SettingsStore;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath("Ventrose.inf"); }
    void WriteFile(const QByteArray &bytes) {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray Lines(int count, const char *prefix = "line") {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += QByteArray(prefix) + QByteArray::number(i) + "\r\n";
        return bytes;
    }

    QTemporaryDir dir;
    SettingsStore store;
};

TEST_F(SettingsStoreTest, MissingFileLeavesEverySlotEmptyAndTheFirstSaveWritesThirtyEmptyLines) {
    store.LoadSettings(Path());
    for (int slot = 1; slot <= 30; ++slot)
        EXPECT_EQ(store.Get(slot), "") << slot;
    store.SaveSettings(Path());
    EXPECT_EQ(ReadFile(), QByteArray().fill('\0', 0) + QByteArray("\r\n").repeated(30));
}

TEST_F(SettingsStoreTest, ShortFileFillsOnlyItsLinesAndIsSavedWithThirty) {
    WriteFile(Lines(10));
    store.LoadSettings(Path());
    EXPECT_EQ(store.Get(10), "line10");
    for (int slot = 11; slot <= 30; ++slot)
        EXPECT_EQ(store.Get(slot), "") << slot;
    store.SaveSettings(Path());
    EXPECT_EQ(ReadFile(), Lines(10) + QByteArray("\r\n").repeated(20));
}

TEST_F(SettingsStoreTest, LinesAfterTheThirtiethAreIgnoredAndGoneAfterSave) {
    WriteFile(Lines(40));
    store.LoadSettings(Path());
    EXPECT_EQ(store.Get(30), "line30");
    store.SaveSettings(Path());
    EXPECT_EQ(ReadFile(), Lines(30));
}

TEST_F(SettingsStoreTest, ReservedAndOtherSlotsKeepTheirBytesExactly) {
    // Blanks, tabs, 8-bit bytes and keyword look-alikes come back byte for byte.
    QByteArray bytes = Lines(18);
    const QByteArray reserved[] = {"  lead", "trail  ", "\tTab", "caf\xe9",  "&!?", "ONSON ",
                                   "",       "x",       "",      "\x01\x7f", "=;#", "last"};
    for (const QByteArray &line : reserved)
        bytes += line + "\r\n";
    WriteFile(bytes);
    store.LoadSettings(Path());
    EXPECT_EQ(store.Get(settings::ReservedSlot19), "  lead");
    EXPECT_EQ(store.Get(22), "caf\xe9");
    store.SaveSettings(Path());
    EXPECT_EQ(ReadFile(), bytes);
}

TEST_F(SettingsStoreTest, LineEndsOtherThanCrLfStillEndALine) {
    WriteFile("LF\nCR\rCRLF\r\nlast-without-break");
    store.LoadSettings(Path());
    EXPECT_EQ(store.Get(1), "LF");
    EXPECT_EQ(store.Get(2), "CR");
    EXPECT_EQ(store.Get(3), "CRLF");
    EXPECT_EQ(store.Get(4), "last-without-break");
    EXPECT_EQ(store.Get(5), "");
}

TEST_F(SettingsStoreTest, ALineBreakOrANulIsRefusedAndTheSlotKeepsItsValue) {
    store.Set(7, "10");
    for (const std::string &text :
         {std::string("5\nOFFSON"), std::string("5\r"), std::string("5\0", 2)})
        EXPECT_THROW(store.Set(7, text), platform::Exception);
    EXPECT_EQ(store.Get(7), "10");
}

TEST_F(SettingsStoreTest, KeywordsMatchOnlyExactly) {
    store.Set(settings::SoundSlot, "onson");
    EXPECT_FALSE(store.Is(settings::SoundSlot, "ONSON"));
    store.Set(settings::SoundSlot, "ONSON ");
    EXPECT_FALSE(store.Is(settings::SoundSlot, "ONSON"));
    store.Set(settings::SoundSlot, "ONSON");
    EXPECT_TRUE(store.Is(settings::SoundSlot, "ONSON"));
}

TEST_F(SettingsStoreTest, SaveWritesThroughALinkKeepsTheModeAndLeavesOthersTemporaryFilesAlone) {
    // Ventrose.inf is a link to a file of mode 0640 in another folder; another running copy
    // is writing its own temporary file beside it.
    QDir(dir.path()).mkdir("real");
    const QString target = dir.filePath("real/settings.inf");
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Lines(30, "old"));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link("real/settings.inf", Path()));
    const QByteArray othersTemporary = "another copy's half-written file";
    {
        QFile other(Path() + ".tmp");
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(othersTemporary);
    }

    store.Set(1, "2");
    store.SaveSettings(Path());

    EXPECT_TRUE(QFileInfo(Path()).isSymLink());
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("2\r\n"));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    QFile other(Path() + ".tmp");
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), othersTemporary);
    // Nothing of this save is left behind in either folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
    EXPECT_EQ(QDir(dir.filePath("real")).entryList(QDir::Files).size(), 1);
}

TEST_F(SettingsStoreTest, SaveIntoAMissingFolderRaisesAndCreatesNothing) {
    const QString gone = dir.filePath("gone/Ventrose.inf");
    EXPECT_THROW(store.SaveSettings(gone), platform::EInOutError);
    EXPECT_FALSE(QDir(dir.filePath("gone")).exists());
}

TEST_F(SettingsStoreTest, FailedSaveInAReadOnlyFolderOrFileKeepsThePreviousFileWhole) {
    // The second folder would let a new file be renamed over the read-only file.
    const QByteArray previous = Lines(30, "old");
    const QByteArray folder = QFile::encodeName(dir.path()), file = QFile::encodeName(Path());
    for (const auto &[folderMode, fileMode] : {std::pair(0555, 0666), std::pair(0777, 0444)}) {
        ::chmod(folder.constData(), 0700);
        WriteFile(previous);
        ::chmod(file.constData(), mode_t(fileMode));
        ::chmod(folder.constData(), mode_t(folderMode));
        store.Set(1, "2");
        const int code = testsupport::RunUnprivileged([&] {
            try {
                store.SaveSettings(Path());
                return 1; // reported success
            } catch (const platform::EInOutError &) {
                return 0;
            }
        });
        ::chmod(folder.constData(), 0700);
        EXPECT_EQ(code, 0) << fileMode;
        EXPECT_EQ(ReadFile(), previous);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Ventrose.inf"});
    }
}

TEST_F(SettingsStoreTest, UnreadableFileIsTreatedAsMissing) {
    WriteFile(Lines(30));
    QFile::setPermissions(Path(), QFile::WriteOwner);
    const int code = testsupport::RunUnprivileged([&] {
        try {
            store.LoadSettings(Path());
        } catch (...) {
            return 2;
        }
        return store.Get(1).empty() ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(SettingsStoreTest, ReadErrorAfterOpenRaisesAndKeepsNothingPartial) {
    // A folder opens for reading but fails on the first read.
    QDir(dir.path()).mkdir("Ventrose.inf");
    EXPECT_THROW(store.LoadSettings(Path()), platform::EInOutError);
    EXPECT_EQ(store.Get(1), "");
}

// What stands in the file's place decides: a file whose thirty lines do not end within
// 64 KiB is unreadable (a link to /dev/zero never ends), a named pipe without a writer
// reads as empty, and a save never replaces anything but a regular file.
TEST_F(SettingsStoreTest, OversizedFilesAreUnreadableAndOnlyRegularFilesAreReplaced) {
    constexpr int kLimit = 64 * 1024;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    struct Case {
        QByteArray bytes; // the file's, unless it is a link to `link`
        const char *link;
        bool loadRaises;
        const char *slot1, *slot3; // after the load (slot 1: its first eight bytes)
    };
    const Case cases[] = {
        {QByteArray(kLimit, 'x'), nullptr, false, "xxxxxxxx", ""},
        {QByteArray(kLimit + 1, 'x'), nullptr, true, "", ""},
        {Lines(30) + QByteArray(1 << 20, 'y'), nullptr, false, "line1", "line3"},
        {Lines(2) + QByteArray(1 << 20, 'z'), nullptr, true, "line1", ""},
        {{}, "/dev/zero", true, "", ""},
        {{}, "pipe", false, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.link ? c.link : std::to_string(c.bytes.size()) + " bytes");
        QFile::remove(Path());
        c.link ? void(QFile::link(c.link, Path())) : WriteFile(c.bytes);
        store = SettingsStore();
        if (c.loadRaises)
            EXPECT_THROW(store.LoadSettings(Path()), platform::EInOutError);
        else
            EXPECT_NO_THROW(store.LoadSettings(Path()));
        EXPECT_EQ(store.Get(1).substr(0, 8), c.slot1);
        EXPECT_TRUE(store.Get(3) == c.slot3) << "slot 3 holds " << store.Get(3).size() << " bytes";
        if (!c.link) {
            EXPECT_NO_THROW(store.SaveSettings(Path()));
            continue;
        }
        EXPECT_THROW(store.SaveSettings(Path()), platform::EInOutError);
        struct stat status {};
        ASSERT_EQ(::stat(QFile::encodeName(Path()).constData(), &status), 0);
        EXPECT_FALSE(S_ISREG(status.st_mode)) << "still the device or the pipe";
    }
}

} // namespace
