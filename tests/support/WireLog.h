// What a program hands to its port device, recorded as it does it: the bytes it writes and
// the RTS line it raises and drops.
#pragma once

#include "serial/port/SerialDevice.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// Unlike what the module has read so far, it never lags behind the program.
class WireLog {
public:
    enum class Event { Opened, Closed, RtsUp, RtsDown, Wrote };

    void Append(const void *bytes, std::uint32_t count);
    void Opened();
    void Closed();
    void SetRts(bool on);

    std::string Text() const;
    int RtsRises() const;
    // Rises of RTS while it was already up: a second handshake before the first one's
    // answer (the answer drops RTS, and so does closing the port).
    int RtsRisesWhileUp() const;

    // Called for each event as it is recorded, on the thread that made the call, with the
    // bytes of a write (empty for the other events).
    std::function<void(Event, const std::string &)> onEvent;

    // A change of RTS the program asked for, with how many bytes it had written by then.
    struct RtsChange {
        bool on;
        std::size_t written;
        friend bool operator==(const RtsChange &, const RtsChange &) = default;
    };
    std::vector<RtsChange> RtsChanges() const;

private:
    void Notify(Event event, const std::string &bytes = {});

    mutable std::mutex mutex_;
    std::string text_;
    bool rtsUp_ = false;
    int rises_ = 0;
    int risesWhileUp_ = 0;
    std::vector<RtsChange> rts_;
};

// A device that passes every call on to another and logs what is written and what it does
// with RTS; its end closes the port.
std::unique_ptr<serial::SerialDevice> LoggingDevice(std::unique_ptr<serial::SerialDevice> device,
                                                    WireLog &log);

} // namespace testsupport
