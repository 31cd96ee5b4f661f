// The pseudo-terminal: its link in the installation folder, a reader at either usual speed
// that gets no sentence from before it opened, a reader that stops reading gets the fresh
// reading rather than a backlog, and a name that is taken by a file.
#include "nmea/PtyOutput.h"
#include "NmeaTestSupport.h"
#include "PumpEvents.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace nmea::testing {
namespace {

const OutputTarget kPty{OutputKind::Pty, "", 0};

// A program that opens the link as a serial port, raw, at the given speed.
class SerialReader {
public:
    SerialReader(const QString &path, speed_t speed)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios line{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &line) == 0) {
            ::cfmakeraw(&line);
            ::cfsetispeed(&line, speed);
            ::cfsetospeed(&line, speed);
            speedSet_ = ::tcsetattr(fd_, TCSANOW, &line) == 0;
        }
    }
    ~SerialReader() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool Ready() const { return fd_ >= 0 && speedSet_; }
    // Reads until `bytes` have come (bounded); what came.
    std::string Read(std::size_t bytes) {
        std::string text;
        testsupport::AwaitCondition([&] {
            pollfd wait{fd_, POLLIN, 0};
            if (::poll(&wait, 1, 10) > 0) {
                char buffer[4096];
                const ssize_t got = ::read(fd_, buffer, sizeof buffer);
                if (got > 0)
                    text.append(buffer, static_cast<std::size_t>(got));
            }
            return text.size() >= bytes;
        });
        return text;
    }

private:
    int fd_;
    bool speedSet_ = false;
};

std::string Joined(const std::vector<std::string> &sentences) {
    std::string text;
    for (const std::string &sentence : sentences)
        text += sentence;
    return text;
}

TEST(PtyOutput, AReaderAtEitherSpeedGetsTheSentencesFromItsOpeningOn) {
    for (const speed_t speed : {B4800, B38400}) {
        SCOPED_TRACE(speed == B4800 ? "4800 baud" : "38400 baud");
        QTemporaryDir folder;
        const QString link = folder.filePath(QStringLiteral("NMEA"));
        Notices notices;
        {
            PtyOutput output(kPty, notices.Sink(), link);
            ASSERT_FALSE(output.Failed()) << notices.problems.join('\n').toStdString();
            EXPECT_EQ(QFileInfo(link).symLinkTarget(), output.DevicePath());

            output.Send(HeadingSentences({10, 0, 0}, true)); // nobody reads yet: dropped
            SerialReader reader(link, speed);
            ASSERT_TRUE(reader.Ready());
            const auto sentences = HeadingSentences({200, 5, -3}, true);
            output.Send(sentences);
            const std::string read = reader.Read(Joined(sentences).size());
            EXPECT_EQ(read, Joined(sentences));
        }
        // The link goes with the device.
        EXPECT_FALSE(QFileInfo(link).isSymLink());
        EXPECT_TRUE(notices.problems.isEmpty());
    }
}

TEST(PtyOutput, AReaderThatStopsReadingGetsTheFreshReadingNotABacklog) {
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("NMEA"));
    Notices notices;
    PtyOutput output(kPty, notices.Sink(), link);
    SerialReader reader(link, B4800);
    ASSERT_TRUE(reader.Ready());
    int readings = 0;
    while (notices.problems.isEmpty() && readings < 100000)
        output.Send(HeadingSentences({1 + readings++ % 360, 0, 0}, true));
    ASSERT_EQ(notices.ProblemsWith(QStringLiteral("non lu")), 1);
    const auto fresh = HeadingSentences({1 + (readings - 1) % 360, 0, 0}, true);

    // The queue now holds the reading that found it full, whole, and nothing older.
    const std::string read = reader.Read(Joined(fresh).size());
    EXPECT_EQ(read, Joined(fresh));
    // Once it is read again, sending works again without a word; a later stall is said anew.
    output.Send(fresh);
    EXPECT_EQ(reader.Read(Joined(fresh).size()), Joined(fresh));
    while (notices.problems.size() < 2 && readings < 200000)
        output.Send(HeadingSentences({1 + readings++ % 360, 0, 0}, true));
    EXPECT_EQ(notices.ProblemsWith(QStringLiteral("non lu")), 2);
}

TEST(PtyOutput, ANameTakenByAFileIsLeftAloneAndSaid) {
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("NMEA"));
    QFile file(link);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    Notices notices;
    {
        PtyOutput output(kPty, notices.Sink(), link);
        EXPECT_TRUE(output.Failed());
        output.Send(HeadingSentences({10, 0, 0}, true));
    }
    ASSERT_EQ(notices.problems.size(), 1);
    EXPECT_TRUE(notices.problems[0].contains(QStringLiteral("NMEA existe déjà, pas un lien")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mine");
}

} // namespace
} // namespace nmea::testing
