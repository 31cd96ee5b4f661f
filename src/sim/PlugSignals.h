// Pulling the simulated module's plug from outside the program, as a user pulls an
// adapter: SIGUSR1 unplugs the module's line, SIGUSR2 plugs it back in
// ("kill -USR1 $(pidof ventrose)").
#pragma once

#include "base/SignalNotes.h"
#include "sim/SimulatedCompass.h"

namespace sim {

// One per program. The signals are only noted when they arrive; the program's main loop
// watches Descriptor() and applies them with Apply.
class PlugSignals {
public:
    PlugSignals();

    // Readable while signals wait to be applied.
    int Descriptor() const { return notes_.Descriptor(); }
    // Applies the signals that came, in their order; returns how many.
    int Apply(SimulatedCompass &compass);

private:
    platform::SignalNotes notes_;
};

} // namespace sim
