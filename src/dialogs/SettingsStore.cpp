#include "dialogs/SettingsStore.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace app {

namespace {

void CheckSlot(int slot) {
    if (slot < 1 || slot > SettingsStore::SlotCount)
        throw std::out_of_range("settings slot out of range");
}

[[noreturn]] void RaiseInOut(const QString &path, int error) {
    throw platform::EInOutError(path, QString::fromLocal8Bit(std::strerror(error)));
}

// Writes the whole buffer, going on after short writes and interruptions.
bool WriteAll(int fd, const std::string &bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

const std::string &SettingsStore::Get(int slot) const {
    CheckSlot(slot);
    return slots_[slot - 1];
}

void SettingsStore::Set(int slot, const std::string &text) {
    CheckSlot(slot);
    slots_[slot - 1] = text;
}

void SettingsStore::LoadSettings(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    int slot = 1;
    std::string line;
    bool pendingCr = false; // a CR ended the last line; a LF right after it belongs to it
    char chunk[4096];
    while (slot <= SlotCount) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            RaiseInOut(path, error);
        }
        if (n == 0)
            break;
        for (ssize_t i = 0; i < n && slot <= SlotCount; ++i) {
            const char c = chunk[i];
            if (pendingCr && c == '\n') {
                pendingCr = false;
                continue;
            }
            pendingCr = c == '\r';
            if (c == '\r' || c == '\n')
                slots_[slot++ - 1] = std::exchange(line, std::string());
            else
                line.push_back(c);
        }
    }
    if (slot <= SlotCount && !line.empty())
        slots_[slot - 1] = line; // a last line without a line break
    if (::close(fd) != 0)
        RaiseInOut(path, errno);
}

void SettingsStore::SaveSettings(const QString &path) const {
    std::string bytes;
    for (const std::string &slot : slots_) {
        bytes += slot;
        bytes += "\r\n";
    }

    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        RaiseInOut(path, errno);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        RaiseInOut(path, error);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        RaiseInOut(path, error);
    }
    // Make the rename itself durable.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace app
