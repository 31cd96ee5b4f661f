// The receiver of the smWindowSync delivery: it takes one message per port event from
// the worker and runs the port's handler for it on the main thread. The worker waits
// only until the main thread has taken its message, not until the handler is done.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace serial {

class TPortEventReceiver {
public:
    // handler runs on the main thread for each message; an exception it raises goes to
    // the exception report.
    explicit TPortEventReceiver(std::function<void(std::uint32_t)> handler);
    TPortEventReceiver(const TPortEventReceiver &) = delete;
    TPortEventReceiver &operator=(const TPortEventReceiver &) = delete;

    // Worker: hands over one event bit and returns once the main thread has taken it.
    // Sent from the main thread itself, it is handled at once, as a window would.
    void Send(std::uint32_t eventBit);
    // Main thread: queues one event bit, handled in its turn by the main thread's queue.
    void Post(std::uint32_t eventBit);

private:
    // Shared with the messages in flight, so that the receiver may go (the port closed
    // from inside a handler) while one of them still runs.
    std::shared_ptr<const std::function<void(std::uint32_t)>> handler_;
};

} // namespace serial
