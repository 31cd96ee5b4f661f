#include "serial/PortEventReceiver.h"

#include "serial/ExceptionReport.h"

namespace serial {

TPortEventReceiver::TPortEventReceiver(std::function<void(std::uint32_t)> handler)
    : handler_(std::move(handler)), carrier_(std::make_unique<Carrier>(*this)) {
    carrier_->Start();
}

TPortEventReceiver::~TPortEventReceiver() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    carrier_.reset();
}

void TPortEventReceiver::Send(std::uint32_t eventBit) {
    auto message = std::make_shared<Message>(Message{eventBit});
    std::unique_lock lock(mutex_);
    queue_.push_back(message);
    changed_.notify_all();
    if (platform::SyncQueue::Instance().IsMainThread()) {
        // Sent from the main thread itself: handled at once, as a window would.
        lock.unlock();
        TakeMessages();
        return;
    }
    changed_.wait(lock, [&] { return message->taken; });
}

void TPortEventReceiver::TakeMessages() {
    for (;;) {
        std::shared_ptr<Message> message;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                return;
            message = queue_.front();
            queue_.pop_front();
            message->taken = true; // the early release: the sender goes on now
        }
        changed_.notify_all();
        try {
            handler_(message->eventBit);
        } catch (...) {
            ReportCurrentException();
        }
    }
}

TPortEventReceiver::Carrier::~Carrier() {
    Terminate();
    WaitFor();
}

void TPortEventReceiver::Carrier::Execute() {
    auto &r = receiver_;
    for (;;) {
        {
            std::unique_lock lock(r.mutex_);
            r.changed_.wait(lock, [&] { return r.stopping_ || !r.queue_.empty(); });
            if (r.queue_.empty())
                return;
        }
        Synchronize([&r] { r.TakeMessages(); });
    }
}

} // namespace serial
