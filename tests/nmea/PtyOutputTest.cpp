// The pseudo-terminal: its link, a reader at either usual speed that gets nothing from
// before it opened, a reader that stopped reading that gets the fresh reading rather than a
// backlog, and a name taken by a file.
#include "nmea/PtyOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace nmea::testing {
namespace {

const OutputTarget kPty{OutputKind::Pty, "", 0};

std::string Joined(const std::vector<std::string> &sentences) {
    std::string text;
    for (const std::string &sentence : sentences)
        text += sentence;
    return text;
}

// Opens the link as a serial port, raw, at the given speed.
int OpenSerial(const QString &path, speed_t speed) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios line{};
    ::cfmakeraw(&line);
    ::cfsetspeed(&line, speed);
    return ::tcsetattr(fd, TCSANOW, &line) == 0 ? fd : -1;
}

// What comes from the device until `bytes` came (bounded).
std::string Read(int fd, std::size_t bytes) {
    std::string text;
    testsupport::AwaitCondition([&] {
        pollfd wait{fd, POLLIN, 0};
        char buffer[4096];
        if (::poll(&wait, 1, 10) > 0)
            text.append(buffer, std::max<ssize_t>(0, ::read(fd, buffer, sizeof buffer)));
        return text.size() >= bytes;
    });
    return text;
}

TEST(PtyOutput, AReaderAtEitherSpeedGetsTheSentencesFromItsOpeningOn) {
    for (const speed_t speed : {B4800, B38400}) {
        QTemporaryDir folder;
        const QString link = folder.filePath(QStringLiteral("NMEA"));
        Notices notices;
        {
            PtyOutput output(kPty, notices.Sink(), link);
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), output.DevicePath());
            output.Send(
                HeadingSentences(HeadingReading{10, 0, 0}, true)); // nobody reads yet: dropped
            const int reader = OpenSerial(link, speed);
            ASSERT_GE(reader, 0);
            const std::string sentences =
                Joined(HeadingSentences(HeadingReading{200, 5, -3}, true));
            output.Send(HeadingSentences(HeadingReading{200, 5, -3}, true));
            EXPECT_EQ(Read(reader, sentences.size()), sentences) << speed;
            ::close(reader);
        }
        EXPECT_FALSE(QFileInfo(link).isSymLink()); // the link goes with the device
        EXPECT_TRUE(notices.problems.isEmpty());
    }
}

TEST(PtyOutput, AReaderThatStopsReadingGetsTheFreshReadingNotABacklog) {
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("NMEA"));
    Notices notices;
    SteppedClock clock; // standing still: only the full buffer counts
    PtyOutput output(kPty, notices.Sink(), link, PtyOutput::kMaxAge, clock.Clock());
    const int reader = OpenSerial(link, B4800);
    ASSERT_GE(reader, 0);
    int readings = 0;
    for (int stalls = 1; stalls <= 2; ++stalls) {
        while (notices.problems.size() < stalls && readings < 100000)
            output.Send(HeadingSentences(HeadingReading{1 + readings++ % 360, 0, 0}, true));
        ASSERT_EQ(notices.With(QStringLiteral("non lu")), stalls);
        // What waits is the reading that found the queue full, whole, and nothing older;
        // once read, sending goes on without a word until the next stall.
        const std::string fresh =
            Joined(HeadingSentences(HeadingReading{1 + (readings - 1) % 360, 0, 0}, true));
        EXPECT_EQ(Read(reader, fresh.size()), fresh);
    }
    ::close(reader);
}

TEST(PtyOutput, AReaderThatPausesGetsNothingOlderThanTheAgeLimit) {
    using namespace std::chrono_literals;
    constexpr auto kPeriod = 200ms;
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("NMEA"));
    Notices notices;
    SteppedClock clock;
    PtyOutput output(kPty, notices.Sink(), link, PtyOutput::kMaxAge, clock.Clock());
    const int reader = OpenSerial(link, B4800);
    ASSERT_GE(reader, 0);
    // Readings numbered by their direction; a pause of 30 s, then of 1 s.
    int readings = 0;
    auto unread = [&] {
        int bytes = 0;
        return ::ioctl(reader, FIONREAD, &bytes) == 0 ? bytes : -1;
    };
    // Whether the terminal handed each reading on to its reading side (a moment later; a
    // discard empties that side first): it cannot once the queue is full.
    auto send = [&](std::chrono::milliseconds pause) {
        for (auto paused = 0ms; paused < pause; paused += kPeriod, clock.now += kPeriod) {
            const int before = unread();
            output.Send(HeadingSentences(HeadingReading{1 + readings++ % 360, 0, 0}, true));
            if (!testsupport::AwaitCondition([&] {
                    const int now = unread();
                    return now > 0 && now != before;
                }))
                return false;
        }
        return true;
    };
    for (const auto pause : {30000ms, 1000ms, 30000ms}) {
        SCOPED_TRACE(pause.count());
        const int first = readings;
        ASSERT_TRUE(send(pause)) << "the terminal's queue filled up";
        const int fresh = std::min<int>(readings - first, PtyOutput::kMaxAge / kPeriod);
        std::string expected;
        for (int i = readings - fresh; i < readings; ++i)
            expected += Joined(HeadingSentences(HeadingReading{1 + i % 360, 0, 0}, true));
        // What waits is the last readings within the age limit, whole, and nothing older.
        EXPECT_EQ(Read(reader, expected.size()), expected);
    }
    // Said once for each pause that left stale sentences, as it happened.
    EXPECT_EQ(notices.With(QStringLiteral("non lu depuis 2 s")), 2);
    ::close(reader);
}

TEST(PtyOutput, ANameTakenByAFileIsLeftAloneAndSaid) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("NMEA")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("mine") == 4 && file.flush());
    Notices notices;
    EXPECT_TRUE(PtyOutput(kPty, notices.Sink(), file.fileName()).Failed());
    EXPECT_EQ(notices.With(QStringLiteral("NMEA existe déjà, pas un lien")), 1);
    EXPECT_EQ(QFileInfo(file).size(), 4);
}

} // namespace
} // namespace nmea::testing
