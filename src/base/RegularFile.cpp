#include "base/RegularFile.h"

#include "base/FileRead.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int OpenRegularFile(const std::string &path, RegularFileRead::Outcome &outcome, int &error) {
    using Outcome = RegularFileRead::Outcome;
    const auto failed = [&](Outcome why, int code) {
        outcome = why;
        error = code;
        return -1;
    };
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? failed(Outcome::Missing, 0) : failed(Outcome::Failed, errno);
    if (!S_ISREG(status.st_mode))
        return failed(Outcome::NotRegular, 0);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? failed(Outcome::Missing, 0) : failed(Outcome::Failed, errno);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int code = errno;
        ::close(fd);
        return S_ISREG(status.st_mode) ? failed(Outcome::Failed, code)
                                       : failed(Outcome::NotRegular, 0);
    }
    return fd;
}

RegularFileRead ReadRegularFile(const std::string &path, std::size_t largest) {
    using Outcome = RegularFileRead::Outcome;
    RegularFileRead result;
    const int fd = OpenRegularFile(path, result.outcome, result.error);
    if (fd < 0)
        return result;
    const auto closeAnd = [&](Outcome outcome, int error) {
        ::close(fd);
        result.outcome = outcome;
        result.error = error;
        result.bytes.clear();
        return result;
    };
    char chunk[4096];
    for (;;) {
        // One byte past the largest size tells a larger file without reading it all.
        const std::size_t room = largest + 1 - result.bytes.size();
        const ssize_t n = ReadSome(fd, chunk, std::min(sizeof chunk, room));
        if (n < 0)
            return closeAnd(Outcome::Failed, errno);
        if (n == 0)
            break;
        result.bytes.append(chunk, static_cast<std::size_t>(n));
        if (result.bytes.size() > largest)
            return closeAnd(Outcome::TooLarge, 0);
    }
    ::close(fd);
    result.outcome = Outcome::Read;
    return result;
}

} // namespace platform
