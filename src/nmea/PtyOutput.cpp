#include "nmea/PtyOutput.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace nmea {

namespace {

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

PtyOutput::PtyOutput(OutputTarget target, NoticeSink notify, QString linkPath)
    : ShareOutput(std::move(target), std::move(notify)), linkPath_(std::move(linkPath)) {
    if (!Open() || !Link()) {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
        devicePath_.clear();
        return;
    }
    Note(QStringLiteral("%1 : %2 mène à %3").arg(Name(), linkPath_, devicePath_));
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
        Problem(Trouble::Start, QStringLiteral("terminal NMEA impossible (%1)").arg(SystemError()));
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
        Problem(Trouble::Start, QStringLiteral("terminal NMEA %1 impossible à ouvrir (%2)")
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
                QStringLiteral("%1 existe déjà, pas un lien").arg(QFileInfo(linkPath_).fileName()));
        return false;
    }
    // Made under a name of its own and renamed over the old link, so that a reader never
    // finds the name missing or half made.
    const QByteArray link = QFile::encodeName(linkPath_);
    const QByteArray fresh = link + ".new" + QByteArray::number(::getpid());
    ::unlink(fresh.constData());
    if (::symlink(QFile::encodeName(devicePath_).constData(), fresh.constData()) != 0 ||
        ::rename(fresh.constData(), link.constData()) != 0) {
        Problem(Trouble::Start, QStringLiteral("lien %1 impossible (%2)")
                                    .arg(QFileInfo(linkPath_).fileName(), SystemError()));
        ::unlink(fresh.constData());
        return false;
    }
    return true;
}

void PtyOutput::DiscardUnread() {
    const int device = ::open(QFile::encodeName(devicePath_).constData(),
                              O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (device < 0)
        return;
    ::tcflush(device, TCIFLUSH);
    ::close(device);
}

void PtyOutput::Send(const std::vector<std::string> &sentences) {
    if (master_ < 0)
        return;
    pollfd state{master_, POLLIN, 0};
    if (::poll(&state, 1, 0) < 0 || (state.revents & POLLHUP) != 0)
        return; // no program has the device open
    // What the reading program writes (some probe their device) is read and dropped.
    char ignored[512];
    for (int i = 0; i < 16 && (state.revents & POLLIN) != 0; ++i)
        if (::read(master_, ignored, sizeof ignored) <= 0)
            break;

    std::string bytes;
    for (const std::string &sentence : sentences)
        bytes += sentence;
    ssize_t written = ::write(master_, bytes.data(), bytes.size());
    if (written == static_cast<ssize_t>(bytes.size())) {
        Cleared(Trouble::Full);
        return;
    }
    // The program stopped reading: what waits for it is stale. It goes, and this
    // reading takes its place.
    Problem(Trouble::Full, QStringLiteral("%1 non lu, phrases en attente écartées").arg(Name()));
    DiscardUnread();
    written = ::write(master_, bytes.data(), bytes.size());
    (void)written;
}

} // namespace nmea
