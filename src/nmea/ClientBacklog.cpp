#include "nmea/ClientBacklog.h"

#include <algorithm>

namespace nmea {

void ClientBacklog::Handed(std::int64_t bytes, Clock::time_point when) {
    handed_ += bytes;
    lastReading_ = bytes;
    waiting_.emplace_back(handed_, when);
}

std::int64_t ClientBacklog::HeldUnread(const ConnectionSample &sample) {
    if (sample.unread)
        return *sample.unread;
    if (!sample.window)
        return 0;
    // A reader's window drops for a moment by what it has not taken yet (the last reading,
    // an acknowledgement held back, the window's rounding): that much is not a backlog.
    // While the client's buffer grows, its window widens although nothing is read: the
    // widest one is the reference, so the growth is never taken for reading.
    widest_ = std::max(widest_, *sample.window);
    const std::int64_t margin = 2 * sample.segment + sample.windowStep + lastReading_;
    return std::max<std::int64_t>(0, widest_ - *sample.window - margin);
}

ClientBacklog::Clock::duration ClientBacklog::OldestUnread(const ConnectionSample &sample,
                                                           Clock::time_point now) {
    const std::int64_t read =
        handed_ - std::clamp<std::int64_t>(sample.unsent + HeldUnread(sample), 0, handed_);
    while (!waiting_.empty() && waiting_.front().first <= read)
        waiting_.pop_front();
    return waiting_.empty() ? Clock::duration::zero() : now - waiting_.front().second;
}

} // namespace nmea
