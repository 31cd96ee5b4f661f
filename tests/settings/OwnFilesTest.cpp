// The program's two settings files, Ventrose.inf and Ventrose.conf, each put in place as
// something that is not a plain file: nothing blocks, nothing but a regular file is ever
// replaced (a device stays a device), a link to a regular file is written through, and
// Ventrose.conf's values are the defaults, told once, when it cannot be read.
#include "platform/app/Errors.h"
#include "RecordingMessageBoxService.h"
#include "settings/OwnSettings.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

mode_t TypeOf(const QString &path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

TEST(OwnFiles, WhatIsNoPlainFileIsNeitherWaitedOnNorReplaced) {
    const QByteArray conf = "[log]\nspan=5\n";
    // Each makes the file at path (beside: a name free for a link's target). A device is a
    // node of our own where we may make one, so that a failure replaces no system device.
    using Make = std::function<void(const QByteArray &path, const QByteArray &beside)>;
    const auto write = [](const QByteArray &bytes) {
        return [bytes](const QByteArray &path, const QByteArray &) {
            QFile file(QFile::decodeName(path));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
    };
    struct Case {
        const char *name;
        Make make;
        bool confRead, confSaved, infSaved;
    };
    const Case cases[] = {
        {"link to a regular file",
         [&](const QByteArray &path, const QByteArray &beside) {
             write(conf)(beside, {});
             ASSERT_EQ(::symlink(beside.constData(), path.constData()), 0);
         },
         true, true, true},
        {"link to a device",
         [](const QByteArray &path, const QByteArray &beside) {
             const bool own = ::mknod(beside.constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;
             ASSERT_EQ(::symlink(own ? beside.constData() : "/dev/null", path.constData()), 0);
         },
         false, false, false},
        {"named pipe",
         [](const QByteArray &path, const QByteArray &) {
             ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
         },
         false, false, false},
        {"folder",
         [](const QByteArray &path, const QByteArray &) {
             ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
         },
         false, false, false},
        {"huge", write(conf + QByteArray(settings::OwnSettings::kLargestFile, '#')), false, false,
         true},
        {"binary", write(conf + QByteArray("\0\xff\x01[\x80", 5)), true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessageBoxService boxes;
        platform::ScopedMessageBoxService scoped(boxes);
        QTemporaryDir folder;
        const QString confPath = folder.filePath("Ventrose.conf");
        const QString infPath = folder.filePath("Ventrose.inf");
        c.make(QFile::encodeName(confPath), QFile::encodeName(folder.filePath("conf-target")));
        c.make(QFile::encodeName(infPath), QFile::encodeName(folder.filePath("inf-target")));
        const mode_t confType = TypeOf(confPath), infType = TypeOf(infPath);
        {
            settings::OwnSettings own(confPath);
            EXPECT_EQ(own.value("log/span", 1).toInt(), c.confRead ? 5 : 1);
            own.setValue("log/span", 10);
            EXPECT_EQ(own.Save(), c.confSaved);
        }
        settings::OwnSettings again(confPath); // told once, however often it is read
        EXPECT_EQ(boxes.boxes.size(), c.confRead ? 0u : 1u);
        EXPECT_EQ(again.value("log/span", 1).toInt(), c.confSaved ? 10 : 1);
        bool infSaved = true;
        try {
            settings::SettingsStore().SaveSettings(infPath);
        } catch (const platform::Exception &) {
            infSaved = false;
        }
        EXPECT_EQ(infSaved, c.infSaved);
        EXPECT_EQ(TypeOf(confPath), confType); // what was there is what is there
        EXPECT_EQ(TypeOf(infPath), infType);
    }
}

} // namespace
