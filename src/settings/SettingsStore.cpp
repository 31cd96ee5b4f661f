#include "settings/SettingsStore.h"

#include "platform/Errors.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace settings {

namespace {

void CheckSlot(int slot) {
    if (slot < 1 || slot > SettingsStore::SlotCount)
        throw std::out_of_range("settings slot out of range");
}

[[noreturn]] void RaiseInOut(const QString &path, int error) {
    throw platform::EInOutError(path, QString::fromLocal8Bit(std::strerror(error)));
}

// Follows symbolic links from path to the file they lead to, which need not exist yet.
// Returns 0, or the error (ELOOP for a link chain that does not end).
int ResolveLinks(std::string path, std::string &resolved) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            resolved = path;
            return 0;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0)
            return errno;
        link.resize(static_cast<std::size_t>(n));
        const std::size_t slash = path.find_last_of('/');
        path = link.starts_with('/') || slash == std::string::npos
                   ? link
                   : path.substr(0, slash + 1) + link;
    }
    return ELOOP;
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

    // A link is written through: its target is the file that gets replaced.
    std::string target;
    if (const int error = ResolveLinks(QFile::encodeName(path).toStdString(), target))
        RaiseInOut(path, error);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;

    // A name of its own in the target's folder, so that two running copies never write
    // into the same temporary file.
    int fd = -1;
    std::string temporary;
    std::random_device random;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(random());
        // A new file gets the mode any new file gets; a replaced one keeps its own.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            RaiseInOut(path, errno);
    }
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        RaiseInOut(path, error);
    };
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        fail(errno);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        RaiseInOut(path, error);
    }
    // Make the rename itself durable.
    const std::string folder = target.substr(0, target.find_last_of('/') + 1);
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace settings
