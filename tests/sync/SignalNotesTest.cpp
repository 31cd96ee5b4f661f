// Signals noted for the main loop, each case in a child process of its own: noted in
// their order, and a second request to end ends the program at once.
#include "platform/SignalNotes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(SignalNotes, NotedInOrderAndASecondRequestToEndEndsAtOnce) {
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
        const pid_t child = ::fork();
        if (child == 0) {
            platform::SignalNotes notes({SIGTERM, SIGHUP, SIGUSR1, SIGUSR2}, c.repeat);
            for (int signal : c.sent)
                ::raise(signal);
            ::_exit(notes.Take() == c.sent ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
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
