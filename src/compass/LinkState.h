// The state of the main window's link to the compass module, in one value: how far the
// link is, which exchange with the module waits, and which calibration phase is to be done.
#pragma once

#include <string>

namespace app {

enum class LinkStage {
    Down,     // before the first link start: nothing is taken from the module
    Starting, // a link start runs and the module has not answered it yet
    Answered, // the module answered; the link start's success box is still to be closed
    Up,       // the link is up: readings show, quitting hands the module over
    Lost,     // the module's device went away; the link waits to be started again
};

// The exchanges with the module; they run one at a time, each to its end.
enum class Exchange {
    None,
    LinkStart,         // the link start's handshake, also when the link comes back by itself
    ParameterTransfer, // after a dialog that changed the module's parameters
    CalibrationPhase,  // the phase LinkState::calibrationPhase
    HandOver,          // the hand-over to stand-alone operation, on quit
};

struct LinkState {
    LinkStage link = LinkStage::Down;
    Exchange exchange = Exchange::None;
    // 0 while no calibration runs; else the phase (1 to 4) that waits for its button, or
    // whose exchange runs.
    int calibrationPhase = 0;

    // Readings are taken and quitting hands the module over.
    bool LinkUp() const { return link == LinkStage::Answered || link == LinkStage::Up; }
    bool Calibrating() const { return calibrationPhase != 0; }
    bool ExchangeRunning() const { return exchange != Exchange::None; }

    friend bool operator==(const LinkState &, const LinkState &) = default;
};

// In words, for messages and test reports: "up, calibration phase exchange, phase 2".
std::string Describe(const LinkState &state);

} // namespace app
