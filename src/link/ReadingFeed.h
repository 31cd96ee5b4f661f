// The valid readings of the module as the main window worked them out, for what else
// follows the heading (the heading output, the heading log): each listener is called once
// per valid reading, on the user-interface thread, after the display took it. Only a
// reading taken while the link is up is published, so a listener never sees a stale one.
#pragma once

#include <QDateTime>

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace app {

struct ReadingRecord {
    QDateTime time;            // when it was received, UTC
    int raw = 0;               // the module's value, 0..254
    int lastRawAngle = 0;      // that value in degrees, before any correction
    long long centring = 0;    // the zero-centring added to the heading sum, signed
    long long declination = 0; // the declination added to the heading sum, signed
    int headingSum = 0;        // lastRawAngle + 180 + centring + declination
    int needleAngle = 0;       // the red needle's angle, 0..359
    int capAngle = 0;          // the user's heading ("Votre CAP"), 0..359
};

class ReadingFeed {
public:
    using Listener = std::function<void(const ReadingRecord &)>;

    // Returns a key for Unsubscribe.
    int Subscribe(Listener listener);
    // Also from inside a listener, its own key included: the listener then hears no more
    // readings and is let go once the current one has gone round.
    void Unsubscribe(int key);
    void Publish(const ReadingRecord &reading);
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
