#include "sim/PlugSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace sim {

namespace {

constexpr char kUnplug = 'u', kReplug = 'r';
volatile std::sig_atomic_t noteFd = -1;

// Only what a signal handler may do: one write, errno kept.
void NoteSignal(int signal) {
    const int saved = errno;
    const char what = signal == SIGUSR1 ? kUnplug : kReplug;
    [[maybe_unused]] const ssize_t n = ::write(noteFd, &what, 1);
    errno = saved;
}

} // namespace

PlugSignals::PlugSignals() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for the plug signals");
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    noteFd = writeEnd_;
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGUSR1, &action, nullptr);
    ::sigaction(SIGUSR2, &action, nullptr);
}

PlugSignals::~PlugSignals() {
    ::signal(SIGUSR1, SIG_DFL);
    ::signal(SIGUSR2, SIG_DFL);
    noteFd = -1;
    ::close(readEnd_);
    ::close(writeEnd_);
}

int PlugSignals::Apply(SimulatedCompass &compass) {
    int applied = 0;
    char notes[64];
    ssize_t n;
    while ((n = ::read(readEnd_, notes, sizeof notes)) > 0) {
        for (ssize_t i = 0; i < n; ++i)
            notes[i] == kUnplug ? compass.Unplug() : compass.Replug();
        applied += int(n);
    }
    return applied;
}

} // namespace sim
