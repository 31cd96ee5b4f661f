// Pulling the simulated module's plug from outside the program, as a user pulls an
// adapter: SIGUSR1 unplugs the module's line, SIGUSR2 plugs it back in
// ("kill -USR1 $(pidof ventrose)").
#pragma once

#include "sim/SimulatedCompass.h"

namespace sim {

// One per program. The signals are only noted (a byte in a pipe) when they arrive; the
// program's main loop watches Descriptor() and applies them with Apply.
class PlugSignals {
public:
    PlugSignals();
    ~PlugSignals();
    PlugSignals(const PlugSignals &) = delete;
    PlugSignals &operator=(const PlugSignals &) = delete;

    // Readable while signals wait to be applied.
    int Descriptor() const { return readEnd_; }
    // Applies the signals that came, in their order; returns how many.
    int Apply(SimulatedCompass &compass);

private:
    int readEnd_ = -1;
    int writeEnd_ = -1;
};

} // namespace sim
