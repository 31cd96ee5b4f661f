#include "link/ReadingFeed.h"

#include <algorithm>
#include <utility>

namespace app {

int ReadingFeed::Subscribe(Listener listener) {
    listeners_.emplace(nextKey_, std::move(listener));
    return nextKey_++;
}

void ReadingFeed::Unsubscribe(int key) {
    if (publishing_)
        leaving_.push_back(key); // its function may be the one running
    else
        listeners_.erase(key);
}

QDateTime DateTimeOf(compass::ReadingTime time) {
    return QDateTime::fromMSecsSinceEpoch(time.time_since_epoch().count(), Qt::UTC);
}

compass::ReadingTime ReadingTimeOf(const QDateTime &time) {
    return compass::ReadingTime(std::chrono::milliseconds(time.toMSecsSinceEpoch()));
}

void ReadingFeed::Publish(const compass::Reading &reading) {
    // Whichever way the round ends (a listener may throw), those who left are let go.
    struct Round {
        ReadingFeed &feed;
        explicit Round(ReadingFeed &f) : feed(f) { feed.publishing_ = true; }
        ~Round() {
            feed.publishing_ = false;
            for (int key : feed.leaving_)
                feed.listeners_.erase(key);
            feed.leaving_.clear();
        }
    } round(*this);
    for (const auto &[key, listener] : listeners_)
        if (std::find(leaving_.begin(), leaving_.end(), key) == leaving_.end())
            listener(reading);
}

} // namespace app
