// A settings file that cannot be written does not keep the link from starting: the
// failure is said once with its folder and reason, the port opens at each activation,
// and once a save succeeds again the status bar says so.
#include "AppTestSupport.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace apptest {
namespace {

class SettingsSaveFailure : public ProgramFixture,
                            public ::testing::WithParamInterface<const char *> {
protected:
    ~SettingsSaveFailure() override { ::umount2(Full().constData(), MNT_DETACH); }
    QByteArray Full() const { return QFile::encodeName(InstallFile(QStringLiteral("full"))); }
    void Activate() {
        Main().HideMainWindow();
        Main().ShowMainWindow();
    }
};

TEST_P(SettingsSaveFailure, IsSaidOnceAndTheLinkStartsAllTheSame) {
    Start();
    const QString file = InstallFile(QStringLiteral("Ventrose.inf"));
    const bool full = GetParam() == std::string("No space left on device");
    ASSERT_TRUE(QFile::remove(file));
    if (full) {
        // A small file system of its own, filled up, that the file is a link into.
        QDir().mkdir(QString::fromUtf8(Full()));
        if (::mount("tmpfs", Full().constData(), "tmpfs", 0, "size=8k") != 0)
            GTEST_SKIP() << "no tmpfs here: " << std::strerror(errno);
        QFile filler(InstallFile(QStringLiteral("full/filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
        }
        ASSERT_TRUE(QFile::link(QStringLiteral("full/Ventrose.inf"), file));
    } else {
        ASSERT_TRUE(QDir().mkdir(file)); // the rename over it fails
    }
    Main().Settings().Set(settings::ReservedSlot19, "kept");
    boxes.boxes.clear();

    Activate();
    EXPECT_TRUE(Main().SerialPort1->Connected()) << "the port opened after the failed save";
    Activate();
    LinkUp(); // its two boxes activate the main window too
    EXPECT_EQ(Written(), "!0A+0B+0C&");
    ASSERT_EQ(boxes.boxes.size(), 3u) << "the failure once, then the link start's boxes";
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_TRUE(boxes.boxes[0].text.contains(GetParam())) << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(boxes.boxes[0].text.contains("dans le dossier " + installDir.path()));

    full ? QFile::remove(InstallFile(QStringLiteral("full/filler"))) : QDir().rmdir(file);
    Activate();
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Réglages enregistrés...");
    EXPECT_TRUE(SettingsFile().contains("\r\nkept\r\n"));
}
INSTANTIATE_TEST_SUITE_P(Folder, SettingsSaveFailure,
                         ::testing::Values("Is a directory", "No space left on device"),
                         [](const auto &info) {
                             return info.index == 0 ? "FolderInTheFilesPlace" : "FullFileSystem";
                         });

} // namespace
} // namespace apptest
