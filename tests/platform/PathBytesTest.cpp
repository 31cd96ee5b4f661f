// Paths given as bytes: whatever the locale's encoding makes of them, the files are the
// ones the bytes name.
#include "platform/app/PathBytes.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

ino_t InodeOf(const std::string &path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

TEST(PathBytes, ReachesTheFolderTheBytesName) {
    QTemporaryDir root;
    const std::string base = QFile::encodeName(root.path()).toStdString();
    const std::string latin1 = base + "/caf\xe9"; // not UTF-8
    ASSERT_EQ(::mkdir(latin1.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((latin1 + "/data").c_str(), 0700), 0);
    // The path given, and the one the result must reach (empty: no result).
    const std::pair<std::string, std::string> cases[] = {
        {base + "/data", ""}, // text, but absent: only a result is compared below
        {latin1, latin1},     // an existing folder whose name is no text
        {latin1 + "/data", latin1 + "/data"},
        {latin1 + "/new", latin1},      // a folder to be made: its parent is reached
        {base + "/absent\xe9/new", ""}, // nothing to go through
        {base + "/new\xe9", ""},        // a new folder whose name is no text
    };
    for (const auto &[bytes, reaches] : cases) {
        SCOPED_TRACE(bytes);
        const std::optional<QString> path = platform::PathFromBytes(bytes);
        if (reaches.empty() && bytes.find('\xe9') == std::string::npos) {
            ASSERT_TRUE(path);
            EXPECT_EQ(QFile::encodeName(*path).toStdString(), bytes);
            continue;
        }
        ASSERT_EQ(path.has_value(), !reaches.empty());
        if (!path)
            continue;
        const std::string got = QFile::encodeName(*path).toStdString();
        EXPECT_EQ(InodeOf(got) ? InodeOf(got) : InodeOf(got.substr(0, got.rfind('/'))),
                  InodeOf(reaches));
    }
}

} // namespace
