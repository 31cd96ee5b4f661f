// Signals taken in by the program's main loop: a signal handler may do next to nothing, so
// each signal is only noted (its number, one byte in a pipe) and the main loop, which
// watches the pipe, acts on it later. No Qt.
#pragma once

#include <initializer_list>
#include <vector>

namespace platform {

class SignalNotes {
public:
    enum class Repeat {
        Note,    // every signal is noted
        EndsNow, // a second one (of any of the signals) ends the program at once, as if
                 // it had no handler: for the signals that ask the program to end
    };
    // Handles the signals from now on; at most one SignalNotes may handle a signal.
    SignalNotes(std::initializer_list<int> numbers, Repeat repeat);
    // Gives the signals back their default handling.
    ~SignalNotes();
    SignalNotes(const SignalNotes &) = delete;
    SignalNotes &operator=(const SignalNotes &) = delete;

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
