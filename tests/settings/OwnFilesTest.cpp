// The program's two settings files, Ventrose.inf and Ventrose.conf, each put in place as
// something that is not a plain file: nothing blocks, nothing but a regular file is ever
// replaced (a device stays a device), a link to a regular file is written through, and
// Ventrose.conf's values are the defaults, told once, when it cannot be read.
#include "platform/Errors.h"
#include "RecordingMessageBoxService.h"
#include "settings/OwnSettings.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

enum class Kind { Missing, Regular, LinkToRegular, Device, Fifo, Folder, Huge, Binary };

struct Case {
    const char *name;
    Kind kind;
    bool confRead;  // Ventrose.conf's value is the file's own
    bool confSaved; // a save of Ventrose.conf goes through
    bool infSaved;  // a save of Ventrose.inf goes through
};

// Puts the kind of file at path; a device is a node of our own when we may make one (a
// test that failed must not replace a system device), else a link to /dev/null, which
// only root could replace.
void Make(Kind kind, const QString &path, const QString &beside, const QByteArray &conf) {
    const QByteArray p = QFile::encodeName(path);
    const auto write = [](const QString &to, const QByteArray &bytes) {
        QFile file(to);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    };
    switch (kind) {
    case Kind::Missing:
        return;
    case Kind::Regular:
        return write(path, conf);
    case Kind::LinkToRegular:
        write(beside, conf);
        ASSERT_EQ(::symlink(QFile::encodeName(beside).constData(), p.constData()), 0);
        return;
    case Kind::Device:
        if (::mknod(QFile::encodeName(beside).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0)
            ASSERT_EQ(::symlink(QFile::encodeName(beside).constData(), p.constData()), 0);
        else
            ASSERT_EQ(::symlink("/dev/null", p.constData()), 0);
        return;
    case Kind::Fifo:
        ASSERT_EQ(::mkfifo(p.constData(), 0600), 0);
        return;
    case Kind::Folder:
        ASSERT_TRUE(QDir().mkdir(path));
        return;
    case Kind::Huge:
        return write(path, conf + QByteArray(settings::OwnSettings::kLargestFile, '#'));
    case Kind::Binary:
        return write(path, conf + QByteArray("\0\xff\x01[\x80", 5));
    }
}

mode_t TypeOf(const QString &path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

TEST(OwnFiles, WhatIsNoPlainFileIsNeitherWaitedOnNorReplaced) {
    const Case cases[] = {
        {"missing", Kind::Missing, false, true, true},
        {"regular", Kind::Regular, true, true, true},
        {"link to a regular file", Kind::LinkToRegular, true, true, true},
        {"link to a device", Kind::Device, false, false, false},
        {"named pipe", Kind::Fifo, false, false, false},
        {"folder", Kind::Folder, false, false, false},
        {"huge", Kind::Huge, false, false, true},
        {"binary", Kind::Binary, true, true, true},
    };
    const QByteArray conf = "[log]\nspan=5\n";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessageBoxService boxes;
        platform::ScopedMessageBoxService scoped(boxes);
        QTemporaryDir folder;
        const QString confPath = folder.filePath("Ventrose.conf");
        const QString infPath = folder.filePath("Ventrose.inf");
        Make(c.kind, confPath, folder.filePath("conf-target"), conf);
        Make(c.kind, infPath, folder.filePath("inf-target"), conf);
        const mode_t confType = TypeOf(confPath), infType = TypeOf(infPath);

        {
            settings::OwnSettings own(confPath);
            EXPECT_EQ(own.value("log/span", 1).toInt(), c.confRead ? 5 : 1);
            own.setValue("log/span", 10);
            EXPECT_EQ(own.Save(), c.confSaved);
        }
        // Told once, however often it is read again.
        settings::OwnSettings again(confPath);
        EXPECT_EQ(boxes.boxes.size(), c.confRead || c.kind == Kind::Missing ? 0u : 1u);
        if (c.confSaved) {
            EXPECT_EQ(again.value("log/span").toInt(), 10);
        }

        settings::SettingsStore store;
        bool infSaved = true;
        try {
            store.SaveSettings(infPath);
        } catch (const platform::Exception &) {
            infSaved = false;
        }
        EXPECT_EQ(infSaved, c.infSaved);

        if (c.kind != Kind::Missing) { // what was there is what is there
            EXPECT_EQ(TypeOf(confPath), confType);
            EXPECT_EQ(TypeOf(infPath), infType);
        }
        if (c.kind == Kind::LinkToRegular) { // written through the link, which stays
            EXPECT_EQ(QFileInfo(confPath).symLinkTarget(), folder.filePath("conf-target"));
        }
    }
}

} // namespace
