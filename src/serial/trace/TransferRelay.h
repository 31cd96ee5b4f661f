// Hands a device's reads and writes to the caller once they end, so that a layer between
// the caller and the device sees every result first (the line trace records the bytes).
#pragma once

#include "serial/port/SerialDevice.h"

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace serial {

// One transfer: the device is given `inner` (with its own event); the caller's header is
// `outer`, completed with the same result once the watcher has seen it.
struct RelayedTransfer {
    TWaitEvent ended{false};
    TOverlapped inner;
    TOverlapped *outer = nullptr;
    const char *buffer = nullptr;
    std::uint32_t count = 0;
    bool isRead = false;

    RelayedTransfer() { inner.hEvent = &ended; }
};

class TransferRelay {
public:
    // Runs for each transfer that ended, before its caller can see the result.
    using Ended = std::function<void(const RelayedTransfer &)>;
    explicit TransferRelay(Ended ended);
    // Call once the device is gone: the device has then ended every transfer it held.
    ~TransferRelay();
    TransferRelay(const TransferRelay &) = delete;
    TransferRelay &operator=(const TransferRelay &) = delete;

    // Completes the caller's header at once for a transfer the device ended straight away
    // (accepted or refused), or watches it until it ends.
    void Started(std::shared_ptr<RelayedTransfer> transfer, bool pending);
    // Hands on every transfer that has ended: after an abort, so that when the abort
    // returns nothing writes into the caller's records any more.
    void HandOnEnded();

private:
    void Complete(const RelayedTransfer &transfer);
    void WatchLoop();

    const Ended ended_;
    std::mutex handOn_; // held while ended transfers are handed on
    std::mutex mutex_;  // guards the fields below
    std::vector<std::shared_ptr<RelayedTransfer>> pending_;
    TWaitEvent changed_{false};
    bool stopping_ = false;
    std::thread watcher_; // started with the first transfer that does not end at once
};

} // namespace serial
