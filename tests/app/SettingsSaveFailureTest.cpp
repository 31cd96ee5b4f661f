// A settings file that cannot be written does not keep the link from starting: the
// failure is said once with its folder and reason, the port opens at each activation,
// and once a save succeeds again the status bar says so.
#include "AppTestSupport.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace apptest {
namespace {

// How the folder comes to refuse the file.
struct Refusal {
    const char *name;
    const char *reason; // in the error box
    // Breaks the save of `file` in `folder`; false (with why in skip) where the test
    // cannot do it here.
    std::function<bool(const QString &folder, const QString &file, std::string &skip)> make;
    std::function<void(const QString &folder)> mend;
};
void PrintTo(const Refusal &r, std::ostream *out) { *out << r.name; }

// A folder where the file should be: the rename over it fails.
bool FolderInThePlace(const QString &, const QString &file, std::string &) {
    return QFile::remove(file) && QDir().mkdir(file);
}

// A small file system of its own, filled up, that the file is a link into. Mounting needs
// the privilege to, which the test may not have.
bool FullFileSystem(const QString &folder, const QString &file, std::string &skip) {
    const QString full = folder + QStringLiteral("/full");
    QDir().mkdir(full);
    if (::mount("tmpfs", QFile::encodeName(full).constData(), "tmpfs", 0, "size=8k") != 0) {
        skip = std::string("no tmpfs: ") + std::strerror(errno);
        return false;
    }
    QFile filler(full + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly))
        return false;
    while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
    }
    filler.close();
    return QFile::remove(file) && QFile::link(QStringLiteral("full/Ventrose.inf"), file);
}

void Unmount(const QString &folder) {
    ::umount2(QFile::encodeName(folder + QStringLiteral("/full")).constData(), MNT_DETACH);
}

class SettingsSaveFailure : public ProgramFixture, public ::testing::WithParamInterface<Refusal> {
protected:
    ~SettingsSaveFailure() override { Unmount(installDir.path()); }
    void Activate() {
        Main().HideMainWindow();
        Main().ShowMainWindow();
    }
};

TEST_P(SettingsSaveFailure, IsSaidOnceAndTheLinkStartsAllTheSame) {
    const Refusal &refusal = GetParam();
    Start();
    std::string skip;
    if (!refusal.make(installDir.path(), InstallFile(QStringLiteral("Ventrose.inf")), skip)) {
        ASSERT_FALSE(skip.empty()) << "the folder could not be made to refuse the file";
        GTEST_SKIP() << skip;
    }
    Main().Settings().Set(settings::ReservedSlot19, "kept");
    boxes.boxes.clear();

    Activate();
    EXPECT_TRUE(Main().SerialPort1->Connected()) << "the port opened after the failed save";
    Activate();
    LinkUp(); // its boxes activate the main window too
    EXPECT_EQ(Written(), "!0A+0B+0C&");

    std::vector<QString> errors;
    for (const auto &box : boxes.boxes)
        if (box.kind == "Error")
            errors.push_back(box.text);
    ASSERT_EQ(errors.size(), 1u) << "said once";
    EXPECT_TRUE(errors[0].contains(QString::fromUtf8(refusal.reason))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("dans le dossier ") + installDir.path()));
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Communication établie...");

    refusal.mend(installDir.path());
    Activate();
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Operation), "Réglages enregistrés...");
    EXPECT_TRUE(SettingsFile().contains("\r\nkept\r\n"));
    EXPECT_EQ(boxes.boxes.size(), 2u + errors.size()) << "the link start's two boxes, no more";
}

INSTANTIATE_TEST_SUITE_P(
    Folder, SettingsSaveFailure,
    ::testing::Values(Refusal{"FolderInThePlace", "Is a directory", FolderInThePlace,
                              [](const QString &folder) {
                                  QDir(folder).rmdir(QStringLiteral("Ventrose.inf"));
                              }},
                      Refusal{"FullFileSystem", "No space left on device", FullFileSystem,
                              [](const QString &folder) {
                                  QFile::remove(folder + QStringLiteral("/full/filler"));
                              }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace apptest
