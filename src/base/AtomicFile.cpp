#include "base/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

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

std::string TemporaryPrefix(const std::string &target) { return target + ".tmp-"; }

// Removes the temporary files that saves of processes now gone left behind (killed in the
// middle of a save): "<name>.tmp-<pid>-<n>" whose process no longer exists.
void RemoveStaleTemporaries(const std::string &target) {
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string prefix =
        TemporaryPrefix(slash == std::string::npos ? target : target.substr(slash + 1));
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) != 0)
            continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
}

} // namespace

int ReplaceFileContents(const std::string &path, const std::string &bytes) {
    std::string target;
    if (const int error = ResolveLinks(path, target))
        return error;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // Renaming over a device or a pipe would replace it (for a program run as root, even
    // /dev/zero): only a regular file is ever replaced.
    if (exists && !S_ISREG(existing.st_mode))
        return S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
    // A file this user may not write (one its owner made read-only, say) is left as it is,
    // although the folder would let a new file be renamed over it. The check is the
    // system's own (effective user, so root writes as it always can).
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;

    // A name of its own in the target's folder, so that two running copies never write
    // into the same temporary file.
    int fd = -1;
    std::string temporary;
    std::random_device random;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary =
            TemporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(random());
        // A new file gets the mode any new file gets; a replaced one keeps its own.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            return errno;
    }
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return error;
    };
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        return fail(errno);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    // Make the rename itself durable: until the folder is on disk, a crash may bring back
    // the old file, so a failure here is a failed save (the new contents are in place).
    // A file system that cannot sync a folder (EINVAL) has nothing more to make durable.
    const std::string folder = target.substr(0, target.find_last_of('/') + 1);
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return errno;
    const int synced = ::fsync(dir) == 0 || errno == EINVAL ? 0 : errno;
    ::close(dir);
    if (synced != 0)
        return synced;
    RemoveStaleTemporaries(target);
    return 0;
}

} // namespace platform
