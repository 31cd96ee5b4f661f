// Signals taken in by the program's main loop: a signal handler may do next to nothing, so
// each signal is only noted (its number, one byte in a pipe) and the main loop, which
// watches the pipe, acts on it later. No Qt.
#pragma once

#include <chrono>
#include <initializer_list>
#include <vector>

namespace platform {

class SignalNotes {
public:
    enum class Repeat {
        Note,      // every signal is noted
        EndsLater, // for the signals that ask the program to end: the end asked for (the
                   // module's hand-over) has a time-out of its own, so a further signal that
                   // comes sooner than `patience` after the first is noted like the first,
                   // and one that comes later ends the program at once, as if it had no
                   // handler: the way out of an end that hangs
    };
    // Handles the signals from now on; at most one SignalNotes may handle a signal.
    SignalNotes(std::initializer_list<int> numbers, Repeat repeat,
                std::chrono::milliseconds patience = {});
    // Gives the signals back their default handling.
    ~SignalNotes();
    SignalNotes(const SignalNotes &) = delete;
    SignalNotes &operator=(const SignalNotes &) = delete;

    // Changes the patience of EndsLater from now on (also for a first signal already noted).
    void SetPatience(std::chrono::milliseconds patience);

    // Readable while noted signals wait to be taken.
    int Descriptor() const { return readEnd_; }
    // The signals noted since the last call, in their order.
    std::vector<int> Take();

private:
    std::vector<int> signals_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
};

} // namespace platform
