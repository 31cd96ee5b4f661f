// Signals noted for the main loop, each case in a child process of its own: noted in
// their order; a further request to end is noted while the end asked for may still be
// running (within the patience), and ends the program at once after it.
#include "base/SignalNotes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(SignalNotes, NotedInOrderAndALateRequestToEndEndsAtOnce) {
    using Repeat = platform::SignalNotes::Repeat;
    using std::chrono::hours;
    using std::chrono::milliseconds;
    struct Case {
        Repeat repeat;
        milliseconds patience;
        std::vector<int> sent;
        int endedBy; // 0: every signal noted and the child goes on
    };
    const Case cases[] = {
        {Repeat::Note, {}, {SIGUSR1, SIGUSR2, SIGUSR1}, 0},
        {Repeat::EndsLater, {}, {SIGTERM}, 0},
        // No patience: the second request, whatever it is, ends the program.
        {Repeat::EndsLater, {}, {SIGTERM, SIGHUP}, SIGHUP},
        {Repeat::EndsLater, {}, {SIGINT, SIGINT}, SIGINT},
        // A logout's TERM then HUP, and a user's repeated Ctrl+C, during the hand-over.
        {Repeat::EndsLater, hours(1), {SIGTERM, SIGHUP}, 0},
        {Repeat::EndsLater, hours(1), {SIGINT, SIGTERM, SIGINT, SIGHUP}, 0},
        // Signals that only get noted do not start the patience.
        {Repeat::EndsLater, {}, {SIGUSR1, SIGTERM}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.sent) + " patience " +
                     std::to_string(c.patience.count()) + " ms");
        const pid_t child = ::fork();
        if (child == 0) {
            // The user signals are noted only: they stand for another SignalNotes' own.
            platform::SignalNotes notes({SIGTERM, SIGHUP, SIGINT}, c.repeat, c.patience);
            platform::SignalNotes others({SIGUSR1, SIGUSR2}, Repeat::Note);
            std::vector<int> noted;
            for (int signal : c.sent) {
                ::raise(signal);
                for (int taken : notes.Take())
                    noted.push_back(taken);
                for (int taken : others.Take())
                    noted.push_back(taken);
            }
            ::_exit(noted == c.sent ? 0 : 1);
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
