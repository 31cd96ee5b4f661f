// The valid readings of the module as the main window worked them out, for what else
// follows the heading (the heading output, the heading log): each listener is called once
// per valid reading, on the user-interface thread, after the display took it. Only a
// reading taken while the link is up is published, so a listener never sees a stale one.
#pragma once

#include "compass/Reading.h"

#include <QDateTime>

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace app {

// A reading's time as a date and time of Qt, UTC, and back (to the millisecond).
QDateTime DateTimeOf(compass::ReadingTime time);
compass::ReadingTime ReadingTimeOf(const QDateTime &time);

class ReadingFeed {
public:
    using Listener = std::function<void(const compass::Reading &)>;

    // Returns a key for Unsubscribe.
    int Subscribe(Listener listener);
    // Also from inside a listener, its own key included: the listener then hears no more
    // readings and is let go once the current one has gone round.
    void Unsubscribe(int key);
    void Publish(const compass::Reading &reading);
    std::size_t ListenerCount() const { return listeners_.size(); }

    // The time a reading is stamped with: the system's UTC time, unless a test steps a
    // clock of its own.
    QDateTime Now() const { return clock_ ? clock_() : QDateTime::currentDateTimeUtc(); }
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

private:
    std::map<int, Listener> listeners_;
    std::function<QDateTime()> clock_;
    bool publishing_ = false;
    std::vector<int> leaving_; // unsubscribed during Publish
    int nextKey_ = 0;
};

} // namespace app
