#include "base/StandardDescriptors.h"

#include "base/Language.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {

void OpenMissingStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open gives the lowest free number, which is fd itself: those below are open.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

void NoteOnStandardError(const std::string &note) {
    pollfd room{STDERR_FILENO, POLLOUT, 0};
    if (::poll(&room, 1, 0) != 1 || !(room.revents & POLLOUT))
        return;
    // One short write: a pipe with room takes it whole, without waiting.
    const std::string line =
        Translated("StandardDescriptors", QT_TRANSLATE_NOOP("StandardDescriptors", "ventrose : %1"),
                   {note}) +
        "\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, line.data(), line.size());
}

} // namespace platform
