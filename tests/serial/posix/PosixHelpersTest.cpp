// The termios device's helpers: the in-band error-mark decoder and port name resolution.
#include "serial/devices/PortNames.h"
#include "serial/posix/PosixInputMarks.h"
#include "serial/posix/PosixSerialDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace serial {
namespace {

struct Decoded {
    std::string bytes;
    std::vector<std::size_t> errored; // positions in bytes of marked bytes
};

Decoded Decode(PosixInputMarks &marks, const std::vector<std::string> &pieces) {
    Decoded out;
    for (const auto &piece : pieces)
        marks.Feed(reinterpret_cast<const std::uint8_t *>(piece.data()), piece.size(),
                   [&](std::uint8_t byte, bool errored) {
                       if (errored)
                           out.errored.push_back(out.bytes.size());
                       out.bytes.push_back(static_cast<char>(byte));
                   });
    return out;
}

TEST(PosixInputMarks, DecodesMarksWhereverReadsSplitThem) {
    const std::string stream("a\xFF\xFF"
                             "b\xFF\x00"
                             "c\xFF\x00\x00"
                             "d",
                             11);
    // Every way of cutting the stream in two gives the same result.
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        PosixInputMarks marks;
        const Decoded d = Decode(marks, {stream.substr(0, cut), stream.substr(cut)});
        EXPECT_EQ(d.bytes, std::string("a\xFF"
                                       "bc\x00"
                                       "d",
                                       6));
        EXPECT_EQ(d.errored, (std::vector<std::size_t>{3, 4}));
    }
}

TEST(PosixInputMarks, UnknownSequenceStaysDataAndResetForgetsAHalfMark) {
    PosixInputMarks marks;
    EXPECT_EQ(Decode(marks, {"\xFF"
                             "A"})
                  .bytes,
              "\xFF"
              "A");
    Decode(marks, {"\xFF"});
    marks.Reset();
    EXPECT_EQ(Decode(marks, {"\xFF\xFF"}).bytes, "\xFF");
}

class ResolvePortPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("ventrose-ports-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(ResolvePortPathTest, InstallationEntryWinsOverTheStandardPorts) {
    EXPECT_EQ(ResolvePortPath("COM1", dir_), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortPath("COM2", dir_), "/dev/ttyS1");
    EXPECT_EQ(ResolvePortPath("COM2", ""), "/dev/ttyS1");
    // A link to an adapter that is unplugged still wins: the open then reports it absent.
    std::filesystem::create_symlink("/dev/ttyUSB-absent", dir_ / "COM1");
    EXPECT_EQ(ResolvePortPath("COM1", dir_), (dir_ / "COM1").string());
    EXPECT_EQ(ResolvePortPath("COM2", dir_), "/dev/ttyS1");
    EXPECT_EQ(ResolvePortPath("/dev/pts/7", dir_), "/dev/pts/7");
    EXPECT_EQ(ResolvePortPath("com1", dir_), "");
    EXPECT_EQ(ResolvePortPath("COM3", dir_), "");

    const DeviceOpener open = PosixDeviceOpener(dir_);
    EXPECT_EQ(open("COM1"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(open("COM9"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    std::ofstream(dir_ / "plain") << "not a terminal";
    EXPECT_EQ(open((dir_ / "plain").string()), nullptr);
    EXPECT_EQ(GetLastError(), ENOTTY);
}

} // namespace
} // namespace serial
