// Reading a file descriptor without tripping over signals.
#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace platform {

// read(2) that goes on when a signal interrupts it: the bytes read, 0 at the end of the
// file, -1 with errno set on an error.
inline ssize_t ReadSome(int fd, char *buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace platform
