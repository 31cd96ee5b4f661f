// Why a real port could not be opened: the kind of failure from the component's codes, the
// device the port leads to and the group the user must join to open it.
#include "serial/posix/OpenFailure.h"
#include "serial/port/ESerialPort.h"
#include "serial/port/SerialDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace serial {
namespace {

namespace fs = std::filesystem;
using Kind = OpenFailure::Kind;

TEST(OpenFailure, ClassifiesTheCodesAndNamesTheGroupToJoin) {
    struct Case {
        int comError;
        int systemError;
        const char *deviceGroup;
        Kind kind;
        const char *groupToJoin;
    };
    const Case cases[] = {
        {1, EACCES, "root", Kind::NotPermitted, "dialout"}, // root's group: dialout instead
        {1, EPERM, "", Kind::NotPermitted, "dialout"},      // owner unknown
        {1, EACCES, "uucp", Kind::NotPermitted, "uucp"},    // the device's own group
        {1, ERROR_FILE_NOT_FOUND, "", Kind::Absent, ""},
        {1, ERROR_ACCESS_DENIED, "dialout", Kind::InUse, ""},
        {1, EIO, "dialout", Kind::Other, ""},
        {12, EACCES, "dialout", Kind::Other, ""}, // not a failed open
        {12, ERROR_FILE_NOT_FOUND, "", Kind::Other, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.comError) + "/" + std::to_string(c.systemError) + "/" +
                     c.deviceGroup);
        const OpenFailure failure =
            ClassifyOpenFailure(c.comError, c.systemError, "/dev/ttyUSB0", c.deviceGroup);
        EXPECT_EQ(failure.kind, c.kind);
        EXPECT_EQ(failure.groupToJoin, c.groupToJoin);
        EXPECT_EQ(failure.device, "/dev/ttyUSB0");
    }
}

// The installation folder's links decide the device; the device node's owner the group.
TEST(OpenFailure, ExaminesWhereThePortLeadsAndWhoOwnsTheDevice) {
    char pattern[] = "/tmp/openfailure-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path dir(pattern);
    const fs::path device = dir / "device";
    std::ofstream(device) << "";
    fs::create_symlink(device, dir / "COM2");
    fs::create_symlink(dir / "gone", dir / "COM1");
    // Owned by a group other than root's where the account may give it one (as root, nogroup),
    // so that the device's own group is the one named.
    if (const struct group *other = ::getgrnam("nogroup"))
        (void)::chown(device.c_str(), static_cast<uid_t>(-1), other->gr_gid);
    struct stat status {};
    ASSERT_EQ(::stat(device.c_str(), &status), 0);
    const struct group *owner = ::getgrgid(status.st_gid);
    ASSERT_NE(owner, nullptr);
    const std::string ownerName = owner->gr_name;
    const std::string expectedGroup = ownerName == "root" ? "dialout" : ownerName;

    const OpenFailure denied = ExamineOpenFailure(ESerialPort(1, EACCES), dir.string(), "COM2");
    EXPECT_EQ(denied.kind, Kind::NotPermitted);
    EXPECT_EQ(denied.device, device.string());
    EXPECT_EQ(denied.groupToJoin, expectedGroup);

    const OpenFailure absent =
        ExamineOpenFailure(ESerialPort(1, ERROR_FILE_NOT_FOUND), dir.string(), "COM1");
    EXPECT_EQ(absent.kind, Kind::Absent);
    EXPECT_EQ(absent.device, (dir / "gone").string());
    EXPECT_EQ(absent.groupToJoin, "");

    fs::remove_all(dir);
}

} // namespace
} // namespace serial
