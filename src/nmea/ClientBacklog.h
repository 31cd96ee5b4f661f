// What one TCP client has not read yet, and since when. A client's system acknowledges
// whatever arrives while there is room in its receive buffer, and it makes room by growing
// that buffer (to megabytes) whether or not the client's program reads: what is sent and
// acknowledged is not what was read. So the backlog counts, besides what is still unsent
// here, what the client's system holds unread: read exactly from the system when the
// client runs on this machine, otherwise estimated from the receive window it advertises
// (a client that reads keeps it near its widest; one that does not sees it shrink by what
// it receives, once its buffer stops growing). No Qt.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

namespace nmea {

// What the system tells about a connection to a client at one moment.
struct ConnectionSample {
    // Bytes not on their way yet: the program's queue and the system's unsent ones.
    std::int64_t unsent = 0;
    // Bytes the client's system holds that its program has not read; known when the client
    // runs on this machine.
    std::optional<std::int64_t> unread;
    // The receive window the client advertised last, when the system says it; the size of
    // a segment, and the step the window is counted in.
    std::optional<std::int64_t> window;
    std::int64_t segment = 0;
    std::int64_t windowStep = 1;
};

class ClientBacklog {
public:
    using Clock = std::chrono::steady_clock;

    // A reading of `bytes` was handed over at `when`.
    void Handed(std::int64_t bytes, Clock::time_point when);
    // How long the oldest reading the client's program has not read has been waiting, judged
    // on the sample; zero when it read everything.
    Clock::duration OldestUnread(const ConnectionSample &sample, Clock::time_point now);

private:
    // The bytes the client's system holds unread, as far as the sample tells.
    std::int64_t HeldUnread(const ConnectionSample &sample);

    std::int64_t handed_ = 0;      // bytes handed over since the client came
    std::int64_t lastReading_ = 0; // the size of the last reading
    std::int64_t widest_ = 0;      // the widest window the client advertised
    // Where each reading not yet judged read ends in `handed_`, and when it was handed over.
    std::deque<std::pair<std::int64_t, Clock::time_point>> waiting_;
};

} // namespace nmea
