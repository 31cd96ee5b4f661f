// The receiver of the smWindowSync delivery: it lives on the main thread, takes one
// message per port event from the worker and runs the port's handler there. The worker
// waits only until the main thread has taken its message, not until the handler is done.
#pragma once

#include "platform/sync.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace serial {

class TPortEventReceiver {
public:
    // handler runs on the main thread for each message; an exception it raises goes to
    // the exception report.
    explicit TPortEventReceiver(std::function<void(std::uint32_t)> handler);
    // Stops taking messages; on the main thread it serves what is queued meanwhile.
    ~TPortEventReceiver();
    TPortEventReceiver(const TPortEventReceiver &) = delete;
    TPortEventReceiver &operator=(const TPortEventReceiver &) = delete;

    // Worker: hands over one event bit and returns once the main thread has taken it.
    void Send(std::uint32_t eventBit);

private:
    struct Message {
        std::uint32_t eventBit;
        bool taken = false;
    };
    // Carries queued messages to the main thread through the synchronise facility, as a
    // window's message queue would.
    class Carrier : public platform::Thread {
    public:
        explicit Carrier(TPortEventReceiver &receiver) : receiver_(receiver) {}
        ~Carrier() override;

    protected:
        void Execute() override;

    private:
        TPortEventReceiver &receiver_;
    };

    void TakeMessages(); // main thread

    std::function<void(std::uint32_t)> handler_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Message>> queue_;
    bool stopping_ = false;
    std::unique_ptr<Carrier> carrier_;
};

} // namespace serial
