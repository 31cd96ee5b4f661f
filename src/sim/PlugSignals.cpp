#include "sim/PlugSignals.h"

#include <csignal>

namespace sim {

PlugSignals::PlugSignals() : notes_({SIGUSR1, SIGUSR2}, platform::SignalNotes::Repeat::Note) {}

int PlugSignals::Apply(SimulatedCompass &compass) {
    const std::vector<int> signals = notes_.Take();
    for (int signal : signals)
        signal == SIGUSR1 ? compass.Unplug() : compass.Replug();
    return static_cast<int>(signals.size());
}

} // namespace sim
