// The installation folder: installed once from the shipped data, then used as it stands.
#include "platform/app/InstallDir.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <pwd.h>
#include <sys/resource.h>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class InstallDirTest : public ::testing::Test {
protected:
    InstallDirTest() {
        WriteFile(shipped.filePath("Ventrose.inf"), "1\r\n");
        WriteFile(shipped.filePath("cercle5.bmp"), "BM...");
    }
    ~InstallDirTest() override { platform::InstallDir::Select(QString()); }

    static void WriteFile(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir shipped;
    QTemporaryDir home;
};

TEST_F(InstallDirTest, FirstRunCopiesTheShippedDataIntoAWritableFolder) {
    const QString target = home.filePath("Ventrose");
    platform::InstallDir::Select(target);
    EXPECT_EQ(platform::InstallDir::File("aide"), target + "/aide");
    QString error;
    ASSERT_TRUE(platform::InstallDir::Prepare(shipped.path(), &error)) << error.toStdString();
    QStringList made = QDir(target).entryList(QDir::Files);
    made.sort();
    EXPECT_EQ(made, (QStringList{"Ventrose.inf", "cercle5.bmp"}));
    QFile settings(target + "/Ventrose.inf");
    EXPECT_TRUE(settings.open(QIODevice::ReadWrite)); // the settings file can be rewritten
}

// What each kind of folder holds after the start: a folder made by hand is filled beside
// what it holds; an installed one, marked or from before the marker, stays as it stands.
TEST_F(InstallDirTest, EachKindOfFolderIsInstalledOnlyWhenItNeverWas) {
    struct Case {
        const char *name;
        QStringList before; // files of the folder
        bool marked;
        QByteArray settings; // the Ventrose.inf found there, if "Ventrose.inf" is in before
        QStringList after;
        QByteArray settingsAfter; // empty: none
    };
    const QByteArray blank = QByteArray("\r\n").repeated(30);
    const QStringList all{"COM1", "Ventrose.inf", "cercle5.bmp"};
    const std::vector<Case> cases{
        {"empty folder made by hand", {}, false, {}, {"Ventrose.inf", "cercle5.bmp"}, "1\r\n"},
        {"port link only", {"COM1"}, false, {}, all, "1\r\n"},
        {"blank settings of an earlier run", {"COM1", "Ventrose.inf"}, false, blank, all, "1\r\n"},
        {"the user's settings", {"COM1", "Ventrose.inf"}, false, "x\r\n", all, "x\r\n"},
        {"installed, everything deleted", {}, true, {}, {}, {}},
        {"installed, settings deleted", {"cercle5.bmp"}, true, {}, {"cercle5.bmp"}, {}},
        {"installed before the marker", {"cercle5.bmp"}, false, {}, {"cercle5.bmp"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const QString target = root.filePath("Ventrose");
        ASSERT_TRUE(QDir().mkpath(target));
        for (const QString &name : c.before) {
            if (name == "COM1")
                ASSERT_TRUE(QFile::link("/dev/null", target + "/COM1"));
            else
                WriteFile(target + "/" + name, name == "Ventrose.inf" ? c.settings : "mine");
        }
        if (c.marked)
            WriteFile(target + "/" + platform::InstallDir::kMarker, {});
        platform::InstallDir::Select(target);
        QString error;
        ASSERT_TRUE(platform::InstallDir::Prepare(shipped.path(), &error)) << error.toStdString();
        QStringList made = QDir(target).entryList(QDir::Files | QDir::System);
        made.sort();
        EXPECT_EQ(made, c.after);
        EXPECT_TRUE(QFileInfo::exists(target + "/" + platform::InstallDir::kMarker));
        QFile settings(target + "/Ventrose.inf");
        EXPECT_EQ(settings.open(QIODevice::ReadOnly) ? settings.readAll() : QByteArray(),
                  c.settingsAfter);
        if (c.before.contains("cercle5.bmp")) { // nothing of the user's is overwritten
            QFile picture(target + "/cercle5.bmp");
            ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
            EXPECT_EQ(picture.readAll(), "mine");
        }
    }
}

// A file gone from an installed folder is reported once, again after it came back and went
// again; the settings file is never reported.
TEST_F(InstallDirTest, AMissingFileIsReportedOnce) {
    const QString target = home.filePath("Ventrose");
    platform::InstallDir::Select(target);
    QString error;
    ASSERT_TRUE(platform::InstallDir::Prepare(shipped.path(), &error));
    EXPECT_TRUE(platform::InstallDir::TakeNewlyMissing(shipped.path()).isEmpty());
    ASSERT_TRUE(QFile::remove(target + "/cercle5.bmp"));
    ASSERT_TRUE(QFile::remove(target + "/Ventrose.inf"));
    const QStringList expected{"cercle5.bmp"};
    EXPECT_EQ(platform::InstallDir::TakeNewlyMissing(shipped.path()), expected);
    EXPECT_TRUE(platform::InstallDir::TakeNewlyMissing(shipped.path()).isEmpty()) << "next run";
    WriteFile(target + "/cercle5.bmp", "BM...");
    EXPECT_TRUE(platform::InstallDir::TakeNewlyMissing(shipped.path()).isEmpty());
    ASSERT_TRUE(QFile::remove(target + "/cercle5.bmp"));
    EXPECT_EQ(platform::InstallDir::TakeNewlyMissing(shipped.path()), expected);

    const QString notice = platform::InstallDir::MissingNotice(expected, "/usr/share/ventrose");
    for (const QString &part : {target, QString("cercle5.bmp"), QString("/usr/share/ventrose")})
        EXPECT_TRUE(notice.contains(part)) << part.toStdString();
}

TEST_F(InstallDirTest, MissingShippedDataLeavesNoHalfMadeFolder) {
    const QString target = home.filePath("Ventrose");
    platform::InstallDir::Select(target);
    QString error;
    EXPECT_FALSE(platform::InstallDir::Prepare(home.filePath("nothing-here"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(InstallDirTest, AFolderThatCannotBeCreatedIsReportedInFrench) {
    // The parent is read-only to an unprivileged user (root ignores permissions).
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    const QString target = home.filePath("Ventrose");
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 &&
            (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0))
            _exit(90);
        platform::InstallDir::Select(target);
        QString error;
        const bool made = platform::InstallDir::Prepare(shipped.path(), &error);
        _exit(made ? 1 : error.contains("Impossible de créer") ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(QFileInfo::exists(target));
}

// The installation works in a folder of its own beside the target: a user's folder of any
// name there is never touched, and nothing of the installation's own is left beside it.
TEST_F(InstallDirTest, AUsersFolderBesideTheTargetIsLeftWhole) {
    const QString target = home.filePath("Ventrose");
    ASSERT_TRUE(QDir().mkpath(target + ".installing"));
    WriteFile(target + ".installing/mine.txt", "kept");
    platform::InstallDir::Select(target);
    QString error;
    ASSERT_TRUE(platform::InstallDir::Prepare(shipped.path(), &error));
    EXPECT_TRUE(QFileInfo::exists(target + ".installing/mine.txt"));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"Ventrose", "Ventrose.installing"}));
}

// A copy that fails says why (a full disk, here a file size limit), and leaves nothing.
TEST_F(InstallDirTest, AFailedCopyGivesTheSystemsReason) {
    const QString target = home.filePath("Ventrose");
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny{2, 2};
        if (setrlimit(RLIMIT_FSIZE, &tiny) != 0)
            _exit(90);
        platform::InstallDir::Select(target);
        QString error;
        const bool made = platform::InstallDir::Prepare(shipped.path(), &error);
        const bool reasoned = error.contains(QString::fromLocal8Bit(std::strerror(EFBIG)));
        _exit(made ? 1 : reasoned ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: installed, 2: no reason given";
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// Without HOME (or with an empty one) the folder is in the user's home all the same.
TEST_F(InstallDirTest, TheDefaultFolderIsInTheUsersHomeEvenWithoutHome) {
    const QString expected =
        QString::fromLocal8Bit(getpwuid(getuid())->pw_dir) + "/.local/share/Ventrose";
    const QByteArray savedHome = qgetenv("HOME"), savedData = qgetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("HOME");
    EXPECT_EQ(QDir::cleanPath(platform::InstallDir::DefaultPath()), QDir::cleanPath(expected));
    qputenv("HOME", "");
    EXPECT_EQ(QDir::cleanPath(platform::InstallDir::DefaultPath()), QDir::cleanPath(expected));
    qputenv("HOME", savedHome);
    if (!savedData.isEmpty())
        qputenv("XDG_DATA_HOME", savedData);
}

} // namespace
