// Runs part of a test in a child process that meets file permissions as any user does: as
// "nobody" when the tests run as root, whom permissions do not stop. Header only, Qt-free.
#pragma once

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// The child's exit code (body's result), or 99 when it did not exit normally.
inline int RunUnprivileged(const std::function<int()> &body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0))
            ::_exit(90);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

} // namespace testsupport
