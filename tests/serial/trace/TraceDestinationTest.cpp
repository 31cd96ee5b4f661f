// The trace written into real destinations that fail: a full device, a named pipe that
// nobody reads, one whose reader stops reading, one whose reader goes away. The user is
// told once, the lines that never arrive are counted, and the end never hangs.
#include "serial/trace/LineTrace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace serial::testing {
namespace {

using namespace std::chrono_literals;

// What the trace told, from whichever thread.
struct Told {
    std::mutex mutex;
    std::vector<std::string> notes, failures;
    LineTraceOptions Options(std::chrono::milliseconds finalWait) {
        LineTraceOptions options;
        options.capacity = 100000;
        options.finalWait = finalWait;
        options.tell = [this](const std::string &note) {
            std::lock_guard lock(mutex);
            notes.push_back(note);
        };
        options.failed = [this](const std::string &note) {
            std::lock_guard lock(mutex);
            failures.push_back(note);
        };
        return options;
    }
    std::size_t Failures() {
        std::lock_guard lock(mutex);
        return failures.size();
    }
};

// Waits with a generous limit (a busy machine) for a condition another thread brings.
bool Eventually(const std::function<bool()> &condition) {
    for (int i = 0; i < 20000; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

class NamedPipe {
public:
    NamedPipe() : path_(::testing::TempDir() + "trace-pipe-" + std::to_string(::getpid())) {
        ::unlink(path_.c_str());
        EXPECT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    }
    ~NamedPipe() {
        CloseReader();
        ::unlink(path_.c_str());
    }
    const std::string &Path() const { return path_; }
    void OpenReader() { reader_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }
    void CloseReader() {
        if (reader_ >= 0)
            ::close(std::exchange(reader_, -1));
    }
    // What waits in the pipe, read now.
    std::string Drain() {
        std::string text;
        char chunk[4096];
        ssize_t n;
        while ((n = ::read(reader_, chunk, sizeof chunk)) > 0)
            text.append(chunk, static_cast<std::size_t>(n));
        return text;
    }
    std::size_t Size() const { return static_cast<std::size_t>(::fcntl(reader_, F_GETPIPE_SZ)); }

private:
    std::string path_;
    int reader_ = -1;
};

std::size_t LinesIn(const std::string &text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The trace, or the test's failure with the reason.
std::shared_ptr<LineTrace> Opened(const std::string &path, LineTraceOptions options) {
    std::string error;
    auto trace = LineTrace::OpenFile(path, error, std::move(options));
    if (!trace)
        throw std::runtime_error("the trace cannot be opened: " + error);
    return trace;
}

void RecordLines(LineTrace &trace, int count) {
    for (int i = 0; i < count; ++i)
        trace.Record(TraceDirection::Port, "line " + std::to_string(i) + std::string(40, '.'));
}

// A broken pipe is an error to report, not a reason for the process to die; the program
// ignores SIGPIPE too. Not restored: a writer given up on may meet its closed pipe later.
class IgnoringBrokenPipes : public ::testing::Test {
protected:
    void SetUp() override { std::signal(SIGPIPE, SIG_IGN); }
};

TEST_F(IgnoringBrokenPipes, FailingDestinationsAreToldOnceAndTheirLostLinesCounted) {
    struct Case {
        const char *name;
        // Makes the trace, records `recorded` lines and brings the failure about; gives
        // back the lines that reached the destination all the same.
        std::function<std::size_t(NamedPipe &, Told &, int recorded)> run;
        const char *failure; // in the note of the failed write; empty: no write failed
    };
    const Case cases[] = {
        {"a full device",
         [](NamedPipe &, Told &told, int recorded) {
             auto trace = Opened("/dev/full", told.Options(60s));
             RecordLines(*trace, recorded);
             EXPECT_TRUE(Eventually([&] { return told.Failures() > 0; }));
             return std::size_t{0};
         },
         "No space left on device"},
        {"a pipe whose reader goes away",
         [](NamedPipe &pipe, Told &told, int recorded) {
             pipe.OpenReader();
             auto trace = Opened(pipe.Path(), told.Options(60s));
             RecordLines(*trace, 1);
             std::string arrived;
             EXPECT_TRUE(Eventually([&] { return LinesIn(arrived += pipe.Drain()) == 1; }));
             pipe.CloseReader();
             RecordLines(*trace, recorded - 1);
             EXPECT_TRUE(Eventually([&] { return told.Failures() > 0; }));
             return LinesIn(arrived);
         },
         "Broken pipe"},
        {"a pipe whose reader stops reading: the end gives up on it",
         [](NamedPipe &pipe, Told &told, int recorded) {
             pipe.OpenReader();
             auto trace = Opened(pipe.Path(), told.Options(0ms));
             RecordLines(*trace, recorded); // more than the pipe holds
             EXPECT_TRUE(Eventually([&] { return trace->BytesWritten() == pipe.Size(); }));
             trace.reset(); // the writer is stuck: this returns all the same
             return LinesIn(pipe.Drain());
         },
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        NamedPipe pipe;
        Told told;
        const int recorded = 3000;
        const std::size_t arrived = c.run(pipe, told, recorded);

        ASSERT_FALSE(told.notes.empty());
        const std::string &end = told.notes.back();
        const std::size_t lost = std::stoul(end);
        EXPECT_NE(end.find("n'ont pas pu être écrites"), std::string::npos) << end;
        EXPECT_EQ(arrived + lost, std::size_t(recorded)) << "every line arrived or is counted";
        if (*c.failure) {
            ASSERT_EQ(told.failures.size(), 1u) << "said once";
            EXPECT_NE(told.failures[0].find(c.failure), std::string::npos) << told.failures[0];
            EXPECT_EQ(told.notes.size(), 2u) << "the failure, then the count";
        } else {
            EXPECT_TRUE(told.failures.empty());
            EXPECT_EQ(told.notes.size(), 1u);
        }
    }
}

TEST(TraceDestination, NamedPipeThatNobodyReadsIsRefusedAtOnce) {
    NamedPipe pipe;
    std::string error;
    EXPECT_EQ(LineTrace::OpenFile(pipe.Path(), error), nullptr) << "no waiting for a reader";
    EXPECT_NE(error.find("tube nommé"), std::string::npos) << error;
}

} // namespace
} // namespace serial::testing
