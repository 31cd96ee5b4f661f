// What a program hands to its port device, recorded as it writes.
#pragma once

#include "serial/port/SerialDevice.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// Unlike what the module has read so far, it never lags behind the program.
class WireLog {
public:
    void Append(const void *bytes, std::uint32_t count);
    std::string Text() const;

    // A change of RTS the program asked for, with how many bytes it had written by then.
    struct RtsChange {
        bool on;
        std::size_t written;
        friend bool operator==(const RtsChange &, const RtsChange &) = default;
    };
    void NoteRts(bool on);
    std::vector<RtsChange> RtsChanges() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
    std::vector<RtsChange> rts_;
};

// A device that passes every call on to another and logs what is written.
std::unique_ptr<serial::SerialDevice> LoggingDevice(std::unique_ptr<serial::SerialDevice> device,
                                                    WireLog &log);

} // namespace testsupport
