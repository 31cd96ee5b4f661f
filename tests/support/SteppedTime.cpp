#include "SteppedTime.h"

#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "PumpEvents.h"
#include "sim/SimulatedCompass.h"

#include <QAbstractEventDispatcher>

#include <algorithm>
#include <cstdio>

namespace testsupport {

namespace {
using time_point = sim::ModuleClock::time_point;
using std::chrono::milliseconds;
} // namespace

SteppedTime::SteppedTime() : clock_(std::make_shared<sim::ManualClock>()) {}

void SteppedTime::Attach(app::TForm1 &main, sim::SimulatedCompass &module) {
    module_ = &module;
    main_ = &main;
    timers_[0].timer = main.Link().Timer1;
    timers_[1].timer = main.Link().Timer2;
    // A second program in the same test starts afresh: its timers' start counts say
    // nothing about the first one's deadlines.
    for (Watched &watched : timers_) {
        watched.starts = -1;
        watched.timer->SetStepped(true);
    }
    programDsr_ = false;
    // The display's frames are timed on the same clock: readings that come a module's period
    // apart in virtual time are each drawn at once, however fast the machine runs them.
    main.DisplayFrames().SetClock(
        [clock = clock_] { return std::chrono::nanoseconds(clock->Elapsed()); });

    const serial::TSerialSignalEvent dsr = main.SerialPort1->OnDSRChange;
    main.SerialPort1->OnDSRChange =
        serial::TSerialSignalEvent::FromFunction([this, dsr](platform::TObject *sender, bool on) {
            programDsr_ = on;
            dsr(sender, on);
        });
    const serial::TRxCharEvent rx = main.SerialPort1->OnRxChar;
    main.SerialPort1->OnRxChar =
        serial::TRxCharEvent::FromFunction([this, rx](platform::TObject *sender, int count) {
            ++rxDeliveries_;
            rx(sender, count);
        });
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &SteppedTime::OnAboutToBlock, Qt::UniqueConnection);
}

bool SteppedTime::Settle() {
    // Twice: the program's answer to a change (RTS dropped on DSR) makes the module act again.
    for (int round = 0; round < 2; ++round) {
        if (!module_->Settle() ||
            !PumpEventsUntil([this] { return programDsr_ == module_->Dsr(); })) {
            std::fprintf(stderr, "stepped time: the module or the program did not settle\n");
            return false;
        }
    }
    return true;
}

void SteppedTime::Advance(milliseconds by) {
    const time_point end = clock_->Now() + by;
    Settle();
    while (module_->NextDeadline() <= end) {
        clock_->AdvanceTo(module_->NextDeadline());
        Settle();
    }
    clock_->AdvanceTo(end);
    Settle();
}

// The program is about to sleep: if it waits on a link timer, the next step is due. The
// step runs as an event of its own, not inside the event dispatcher.
void SteppedTime::OnAboutToBlock() {
    if (stepping_ || stepPosted_ || !module_)
        return;
    const bool waiting = std::any_of(std::begin(timers_), std::end(timers_), [](const Watched &w) {
        return w.timer && w.timer->isActive();
    });
    if (!waiting) {
        if (main_ && main_->ExchangeRunning() && !platform::Application::Instance().Terminated()) {
            std::fprintf(stderr, "stepped time: the main window waits for the module with no "
                                 "link timer running; the program is ended\n");
            stuck_ = true;
            platform::Application::Instance().Terminate();
        }
        return;
    }
    stepPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            stepPosted_ = false;
            Step();
        },
        Qt::QueuedConnection);
}

// A timer that was started (again) since it was last seen ticks one interval from now.
void SteppedTime::RefreshTimers() {
    for (Watched &watched : timers_) {
        if (!watched.timer || !watched.timer->isActive())
            watched.starts = -1;
        else if (watched.starts != watched.timer->Starts()) {
            watched.starts = watched.timer->Starts();
            watched.next = clock_->Now() + milliseconds(watched.timer->interval());
        }
    }
}

void SteppedTime::Step() {
    stepping_ = true;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{stepping_};

    if (!Settle())
        return;
    RefreshTimers();
    Watched *due = nullptr;
    for (Watched &watched : timers_)
        if (watched.starts >= 0 && (!due || watched.next < due->next))
            due = &watched;
    if (!due)
        return;
    // The module first when both are due at once: its answer is on the line before the tick.
    if (const time_point moduleDue = module_->NextDeadline(); moduleDue <= due->next) {
        clock_->AdvanceTo(moduleDue);
        Settle();
        return;
    }
    clock_->AdvanceTo(due->next);
    if (!Settle())
        return;
    RefreshTimers();
    if (due->starts < 0 || clock_->Now() < due->next)
        return; // stopped or started again while the program caught up
    due->next += milliseconds(due->timer->interval());
    const Tick tick{Now(), due == &timers_[0] ? 1 : 2};
    ticks.push_back(tick);
    // The hook and the tick may start waits of their own, which step time again.
    stepping_ = false;
    if (beforeTick) {
        const int starts = due->starts;
        beforeTick(tick);
        RefreshTimers();
        if (due->starts != starts)
            return; // the hook stopped or restarted the timer: this tick is void
    }
    due->timer->Tick();
}

} // namespace testsupport
