// One virtual clock for the link's timers and the simulated module. It stands
// still while the program works and moves only when the program waits on a link timer with
// nothing left to do; then it goes to whatever is due first, the module's next action or
// the next tick, and lets both sides catch up before the tick is delivered. Tests then see
// the exact order of ticks, answers and steps, however slow the machine.
#pragma once

#include "sim/ModuleClock.h"

#include "link/LinkTimer.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace app {
class TForm1;
}
namespace sim {
class SimulatedCompass;
}

namespace testsupport {

class SteppedTime : public QObject {
    Q_OBJECT

public:
    SteppedTime();

    // The clock to give the simulated module (CompassOptions::clock) before it starts.
    std::shared_ptr<sim::ManualClock> Clock() const { return clock_; }

    // From now on the link's timers tick only here, and its display's frames are
    // timed on this clock; watches the DSR level and the received chunks that reach the
    // main window.
    void Attach(app::TForm1 &main, sim::SimulatedCompass &module);

    struct Tick {
        std::chrono::milliseconds at; // virtual time since the start
        int timer;                    // 1 or 2
    };
    // Runs just before each tick is delivered; the ticks delivered so far, in order.
    std::function<void(const Tick &)> beforeTick;
    std::vector<Tick> ticks;

    std::chrono::milliseconds Now() const { return clock_->Elapsed(); }
    // Moves the clock by `by` outside of the program's waits, stopping at each of the
    // module's actions on the way; timers that run meanwhile are not ticked.
    void Advance(std::chrono::milliseconds by);
    // The module has acted on everything so far and the main window has been told the DSR
    // level the module drives. False when that did not happen within a generous limit.
    bool Settle();
    // Received chunks handed to the main window so far.
    int RxDeliveries() const { return rxDeliveries_; }
    // True once the main window waited for the module with neither link timer running: in
    // stepped time such a wait never ends, so the program was ended there instead of
    // hanging the test.
    bool Stuck() const { return stuck_; }

private:
    struct Watched {
        QPointer<app::LinkTimer> timer;    // null once the main window is gone
        int starts = -1;                   // the timer's start count when its deadline was set
        sim::ModuleClock::time_point next; // its next tick
    };

    void OnAboutToBlock();
    void Step();
    void RefreshTimers();

    std::shared_ptr<sim::ManualClock> clock_;
    QPointer<app::TForm1> main_;
    sim::SimulatedCompass *module_ = nullptr;
    Watched timers_[2];
    bool programDsr_ = false;
    int rxDeliveries_ = 0;
    bool stepping_ = false;
    bool stepPosted_ = false;
    bool stuck_ = false;
};

} // namespace testsupport
