// Running a piece of a test without root's privilege over file permissions. Tests may run as
// root, whom the read and write bits do not stop; a child process that gives up root for
// the user "nobody" meets them as any user does. Header only and Qt-free.
#pragma once

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// The user and group the child takes when the test runs as root.
inline constexpr unsigned kNobody = 65534;

// Runs body in a child process, as "nobody" when the test runs as root, and returns the
// child's exit code (body's result), or 99 when it did not exit normally.
inline int RunUnprivileged(const std::function<int()> &body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setresgid(kNobody, kNobody, kNobody) != 0)
            ::_exit(90);
        if (::geteuid() == 0 && ::setresuid(kNobody, kNobody, kNobody) != 0)
            ::_exit(91);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

} // namespace testsupport
