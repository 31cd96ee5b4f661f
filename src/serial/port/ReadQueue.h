// The pending reads of a device and how they take received bytes: written once for
// every back end, which keeps its received bytes in a queue of its own.
#pragma once

#include "serial/port/CommTimeouts.h"

#include <deque>
#include <optional>

namespace serial {

class ReadQueue {
public:
    bool Empty() const { return reads_.empty(); }

    // Queues a read; it starts (and its time limits run) once it is at the head.
    void Add(void *buffer, std::uint32_t count, TOverlapped &overlapped);
    // Hands waiting bytes to the reads in order and completes those that are over at
    // `now`; true when a byte was taken.
    bool Serve(std::deque<std::uint8_t> &input, const TCommTimeouts &timeouts, DeviceTime now);
    // Ends every pending read with `error` and the bytes it holds.
    void Abort(int error);
    // When time alone may end the read at the head (kNever when none).
    DeviceTime Deadline() const;

private:
    struct Read {
        std::uint8_t *buffer;
        std::uint32_t count;
        TOverlapped *overlapped;
        std::optional<ReadProgress> progress; // from the moment it starts
    };
    std::deque<Read> reads_;
};

} // namespace serial
