// Reads what the system knows of a TCP connection to a client: its unsent bytes, the
// receive window the client advertised, and, when the client runs on this machine, what
// its own socket holds unread (looked up by the connection's addresses through the
// system's socket diagnostics). No Qt.
#pragma once

#include "nmea/ClientBacklog.h"

#include <cstdint>
#include <optional>

namespace nmea {

class ConnectionProbe {
public:
    ConnectionProbe() = default;
    ~ConnectionProbe();
    ConnectionProbe(const ConnectionProbe &) = delete;
    ConnectionProbe &operator=(const ConnectionProbe &) = delete;

    // The state of the connected socket `socket`, `queued` bytes still in the program's
    // queue for it.
    ConnectionSample Sample(int socket, std::int64_t queued);
    // What the client's own socket holds unread, when the client is on this machine.
    std::optional<std::int64_t> PeerUnread(int socket);

private:
    int diagnostics_ = -1; // opened at the first look-up
    unsigned sequence_ = 0;
};

} // namespace nmea
