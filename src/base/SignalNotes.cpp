#include "base/SignalNotes.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSignals = 65; // signal numbers go up to SIGRTMAX (64)

// Per signal: the pipe its note goes into, and whether a later one ends the program.
// Read by the handler, so plain signal-safe integers and lock-free atomics.
volatile std::sig_atomic_t noteFd[kSignals];
volatile std::sig_atomic_t endsOnRepeat[kSignals];
// When the first signal asking for the end came (monotonic nanoseconds, -1: none yet),
// and how long a further one is only noted.
std::atomic<long long> firstEndingNs{-1};
std::atomic<long long> patienceNs{0};
static_assert(std::atomic<long long>::is_always_lock_free);

long long MonotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now); // async-signal-safe
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Only what a signal handler may do: a clock reading, one write, errno kept. The signals
// of one SignalNotes block each other while a handler runs, so the first time is not raced.
void NoteSignal(int signal) {
    const int saved = errno;
    if (endsOnRepeat[signal]) {
        const long long now = MonotonicNs();
        const long long first = firstEndingNs.load();
        if (first < 0) {
            firstEndingNs.store(now);
        } else if (now - first >= patienceNs.load()) {
            // The default action of a signal that is blocked while its handler runs
            // happens as soon as the handler returns.
            ::signal(signal, SIG_DFL);
            ::raise(signal);
        }
    }
    const unsigned char what = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(noteFd[signal], &what, 1);
    errno = saved;
}

} // namespace

SignalNotes::SignalNotes(std::initializer_list<int> numbers, Repeat repeat,
                         std::chrono::milliseconds patience)
    : signals_(numbers) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for the signal notes");
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : signals_) {
        if (signal <= 0 || signal >= kSignals)
            throw std::invalid_argument("no such signal");
        sigaddset(&action.sa_mask, signal);
    }
    if (repeat == Repeat::EndsLater) {
        firstEndingNs = -1;
        patienceNs = std::chrono::nanoseconds(patience).count();
    }
    for (int signal : signals_) {
        noteFd[signal] = writeEnd_;
        endsOnRepeat[signal] = repeat == Repeat::EndsLater;
        ::sigaction(signal, &action, nullptr);
    }
}

SignalNotes::~SignalNotes() {
    for (int signal : signals_) {
        ::signal(signal, SIG_DFL);
        noteFd[signal] = -1;
        endsOnRepeat[signal] = 0;
    }
    ::close(readEnd_);
    ::close(writeEnd_);
}

void SignalNotes::SetPatience(std::chrono::milliseconds patience) {
    patienceNs = std::chrono::nanoseconds(patience).count();
}

std::vector<int> SignalNotes::Take() {
    std::vector<int> taken;
    unsigned char notes[64];
    ssize_t n;
    while ((n = ::read(readEnd_, notes, sizeof notes)) > 0)
        taken.insert(taken.end(), notes, notes + n);
    return taken;
}

} // namespace platform
