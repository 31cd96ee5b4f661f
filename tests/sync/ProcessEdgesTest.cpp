// The program's edges with its environment, each in a child process of its own: standard
// descriptors that were closed at start, and signals noted for the main loop (a second
// request to end ends the program at once).
#include "platform/SignalNotes.h"
#include "platform/StandardDescriptors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Runs body in a child process; its wait status.
int InChild(const std::function<int()> &body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

bool SameFile(const struct stat &a, const struct stat &b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

TEST(StandardDescriptors, ClosedOnesLeadToDevNullAndOpenOnesStay) {
    const std::vector<std::vector<int>> closings = {{0}, {2}, {1, 2}, {0, 1, 2}, {}};
    struct stat null {};
    ASSERT_EQ(::stat("/dev/null", &null), 0);
    for (const std::vector<int> &closed : closings) {
        SCOPED_TRACE(::testing::PrintToString(closed));
        const int status = InChild([&] {
            struct stat before[3];
            for (int fd = 0; fd <= 2; ++fd)
                ::fstat(fd, &before[fd]);
            for (int fd : closed)
                ::close(fd);
            platform::OpenMissingStandardDescriptors();
            int wrong = 0;
            for (int fd = 0; fd <= 2; ++fd) {
                const bool wasClosed = std::find(closed.begin(), closed.end(), fd) != closed.end();
                struct stat now {};
                if (::fstat(fd, &now) != 0 || !SameFile(now, wasClosed ? null : before[fd]))
                    wrong |= 1 << fd;
            }
            // The next descriptor opened gets a number of its own.
            if (::open("/dev/zero", O_RDONLY) < 3)
                wrong |= 8;
            return wrong;
        });
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "bits: descriptors 0-2 wrong, 8 no new number";
    }
}

TEST(SignalNotes, SignalsAreNotedInOrderAndASecondRequestToEndEndsAtOnce) {
    using Repeat = platform::SignalNotes::Repeat;
    struct Case {
        Repeat repeat;
        std::vector<int> sent;
        int endedBy; // 0: every signal noted and the child goes on
    };
    const Case cases[] = {
        {Repeat::Note, {SIGUSR1, SIGUSR2, SIGUSR1}, 0},
        {Repeat::EndsNow, {SIGTERM}, 0},
        {Repeat::EndsNow, {SIGTERM, SIGHUP}, SIGHUP},
        {Repeat::EndsNow, {SIGHUP, SIGHUP}, SIGHUP},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.sent));
        const int status = InChild([&] {
            platform::SignalNotes notes({SIGTERM, SIGHUP, SIGUSR1, SIGUSR2}, c.repeat);
            for (int signal : c.sent)
                ::raise(signal);
            return notes.Take() == c.sent ? 0 : 1;
        });
        if (c.endedBy) {
            ASSERT_TRUE(WIFSIGNALED(status)) << "the child went on";
            EXPECT_EQ(WTERMSIG(status), c.endedBy);
        } else {
            ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
            EXPECT_EQ(WEXITSTATUS(status), 0) << "not noted in order";
        }
    }
}

} // namespace
