#include "app/ReadingFeed.h"

#include <utility>

namespace app {

int ReadingFeed::Subscribe(Listener listener) {
    listeners_.emplace(nextKey_, std::move(listener));
    return nextKey_++;
}

void ReadingFeed::Unsubscribe(int key) { listeners_.erase(key); }

void ReadingFeed::Publish(const ReadingRecord &reading) const {
    for (const auto &[key, listener] : listeners_)
        listener(reading);
}

} // namespace app
