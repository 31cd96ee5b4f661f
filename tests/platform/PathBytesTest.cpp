// Paths given as bytes: whatever the locale's encoding makes of them, the files are the
// ones the bytes name.
#include "platform/PathBytes.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

TEST(PathBytes, ReachesTheFolderTheBytesName) {
    QTemporaryDir root;
    const std::string base = QFile::encodeName(root.path()).toStdString();
    const std::string latin1 = base + "/caf\xe9"; // not UTF-8
    ASSERT_EQ(::mkdir(latin1.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((latin1 + "/data").c_str(), 0700), 0);
    struct Case {
        std::string bytes;
        bool kept;          // a path comes back
        std::string sameAs; // the folder it must reach (its parent when it does not exist)
    };
    const Case cases[] = {
        {base + "/plain", true, base},
        {latin1, true, latin1},
        {latin1 + "/data", true, latin1 + "/data"},
        {latin1 + "/new", true, latin1},       // the new folder's parent
        {base + "/absent\xe9/new", false, ""}, // nothing to go through
        {base + "/new\xe9", false, ""},        // a new folder whose name is no text
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::optional<QString> path = platform::PathFromBytes(c.bytes);
        ASSERT_EQ(path.has_value(), c.kept);
        if (!c.kept)
            continue;
        const std::string reached = QFile::encodeName(*path).toStdString();
        struct stat got {
        }, want{};
        // A folder still to be made: its parent is the one named.
        const std::string existing =
            ::stat(reached.c_str(), &got) == 0 ? reached : reached.substr(0, reached.rfind('/'));
        ASSERT_EQ(::stat(existing.c_str(), &got), 0);
        ASSERT_EQ(::stat(c.sameAs.c_str(), &want), 0);
        EXPECT_EQ(got.st_ino, want.st_ino);
        EXPECT_EQ(got.st_dev, want.st_dev);
    }
}

} // namespace
