#include "platform/SignalNotes.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSignals = 65; // signal numbers go up to SIGRTMAX (64)

// Per signal: the pipe its note goes into, and whether a second one ends the program.
// Read by the handler, so plain signal-safe integers.
volatile std::sig_atomic_t noteFd[kSignals];
volatile std::sig_atomic_t endsOnRepeat[kSignals];
volatile std::sig_atomic_t endingSignalsSeen = 0;

// Only what a signal handler may do: a count, one write, errno kept. The signals of one
// SignalNotes block each other while a handler runs, so the count is not raced.
void NoteSignal(int signal) {
    const int saved = errno;
    const bool repeated = endsOnRepeat[signal] && endingSignalsSeen > 0;
    if (endsOnRepeat[signal])
        endingSignalsSeen = 1;
    if (repeated) {
        // The default action of a signal that is blocked while its handler runs
        // happens as soon as the handler returns.
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
    const unsigned char what = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(noteFd[signal], &what, 1);
    errno = saved;
}

} // namespace

SignalNotes::SignalNotes(std::initializer_list<int> numbers, Repeat repeat) : signals_(numbers) {
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
    if (repeat == Repeat::EndsNow)
        endingSignalsSeen = 0;
    for (int signal : signals_) {
        noteFd[signal] = writeEnd_;
        endsOnRepeat[signal] = repeat == Repeat::EndsNow;
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

std::vector<int> SignalNotes::Take() {
    std::vector<int> taken;
    unsigned char notes[64];
    ssize_t n;
    while ((n = ::read(readEnd_, notes, sizeof notes)) > 0)
        taken.insert(taken.end(), notes, notes + n);
    return taken;
}

} // namespace platform
