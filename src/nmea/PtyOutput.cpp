#include "nmea/PtyOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace nmea {

namespace {

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

PtyOutput::PtyOutput(OutputTarget target, NoticeSink notify, QString linkPath,
                     std::chrono::milliseconds maxAge, ShareClock clock)
    : ShareOutput(std::move(target), std::move(notify)), linkPath_(std::move(linkPath)),
      maxAge_(maxAge), clock_(std::move(clock)) {
    if (!Open() || !Link()) {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
        devicePath_.clear();
        return;
    }
    Note(QCoreApplication::translate("HeadingShare", "%1 : %2 mène à %3")
             .arg(Name(), linkPath_, devicePath_));
}

PtyOutput::~PtyOutput() {
    if (master_ < 0)
        return;
    // The link goes with the device, unless something else has taken its name since.
    if (QFileInfo(linkPath_).symLinkTarget() == devicePath_)
        QFile::remove(linkPath_);
    ::close(master_);
}

bool PtyOutput::Open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char device[128] = {};
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, device, sizeof device) != 0) {
        Problem(Trouble::Start,
                QCoreApplication::translate("HeadingShare", "terminal NMEA impossible (%1)")
                    .arg(SystemError()));
        return false;
    }
    devicePath_ = QString::fromLocal8Bit(device);
    // Raw, at the speed most NMEA 0183 readers expect; set through the master, the
    // settings are the device's. The device is opened and closed once, so that the master
    // sees a hang-up until a reading program opens it: until then nothing is written, and
    // a program that opens it later reads no sentence from before.
    termios line{};
    if (::tcgetattr(master_, &line) == 0) {
        ::cfmakeraw(&line);
        ::cfsetispeed(&line, B4800);
        ::cfsetospeed(&line, B4800);
        ::tcsetattr(master_, TCSANOW, &line);
    }
    const int probe = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) {
        Problem(Trouble::Start, QCoreApplication::translate(
                                    "HeadingShare", "terminal NMEA %1 impossible à ouvrir (%2)")
                                    .arg(devicePath_, SystemError()));
        return false;
    }
    ::close(probe);
    return true;
}

bool PtyOutput::Link() {
    const QFileInfo existing(linkPath_);
    if (existing.exists() && !existing.isSymLink()) {
        Problem(Trouble::Start,
                QCoreApplication::translate("HeadingShare", "%1 existe déjà, pas un lien")
                    .arg(QFileInfo(linkPath_).fileName()));
        return false;
    }
    // Made under a name of its own and renamed over the old link, so that a reader never
    // finds the name missing or half made.
    const QByteArray link = QFile::encodeName(linkPath_);
    const QByteArray fresh = link + ".new" + QByteArray::number(::getpid());
    ::unlink(fresh.constData());
    if (::symlink(QFile::encodeName(devicePath_).constData(), fresh.constData()) != 0 ||
        ::rename(fresh.constData(), link.constData()) != 0) {
        Problem(Trouble::Start,
                QCoreApplication::translate("HeadingShare", "lien %1 impossible (%2)")
                    .arg(QFileInfo(linkPath_).fileName(), SystemError()));
        ::unlink(fresh.constData());
        return false;
    }
    return true;
}

int PtyOutput::OpenDevice() const {
    return ::open(QFile::encodeName(devicePath_).constData(),
                  O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

int PtyOutput::Unread() const {
    const int device = OpenDevice();
    if (device < 0)
        return 0;
    int unread = 0;
    if (::ioctl(device, FIONREAD, &unread) != 0)
        unread = 0;
    ::close(device);
    return unread;
}

void PtyOutput::DiscardUnread() {
    const int device = OpenDevice();
    if (device < 0)
        return;
    ::tcflush(device, TCIFLUSH);
    ::close(device);
}

void PtyOutput::Discard(const QString &why) {
    Problem(Trouble::Full,
            QCoreApplication::translate("HeadingShare", "%1 non lu %2, phrases en attente écartées")
                .arg(Name(), why));
    DiscardUnread();
    oldestUnread_.reset();
}

void PtyOutput::Send(const std::vector<std::string> &sentences) {
    if (master_ < 0)
        return;
    pollfd state{master_, POLLIN, 0};
    if (::poll(&state, 1, 0) < 0 || (state.revents & POLLHUP) != 0) {
        oldestUnread_.reset();
        return; // no program has the device open
    }
    // What the reading program writes (some probe their device) is read and dropped.
    char ignored[512];
    for (int i = 0; i < 16 && (state.revents & POLLIN) != 0; ++i)
        if (::read(master_, ignored, sizeof ignored) <= 0)
            break;

    // Everything written before a moment the queue was seen empty has been read, so what
    // is unread now was written at or after the first write since.
    const auto now = clock_();
    if (Unread() == 0) {
        oldestUnread_.reset();
        Cleared(Trouble::Full);
    } else if (oldestUnread_ && now - *oldestUnread_ >= maxAge_) {
        Discard(QCoreApplication::translate("HeadingShare", "depuis %1 s")
                    .arg(std::chrono::duration_cast<std::chrono::seconds>(now - *oldestUnread_)
                             .count()));
    }

    std::string bytes;
    for (const std::string &sentence : sentences)
        bytes += sentence;
    if (!oldestUnread_)
        oldestUnread_ = now;
    if (::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
        Delivered(sentences);
        return;
    }
    // The terminal's buffer is full: what waits is stale. It goes, and this reading takes
    // its place.
    Discard(QCoreApplication::translate("HeadingShare", "(tampon plein)"));
    oldestUnread_ = now;
    if (::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()))
        Delivered(sentences);
}

} // namespace nmea
