#include "gnss/RetryTimer.h"

#include <QTimer>

namespace gnss {
namespace {

class EventLoopRetryTimer final : public RetryTimer {
public:
    EventLoopRetryTimer() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            // The callback may start the next wait, which replaces due_: call a copy.
            const std::function<void()> due = due_;
            if (due)
                due();
        });
    }

    void Start(std::chrono::milliseconds after, std::function<void()> due) override {
        due_ = std::move(due);
        timer_.start(after);
    }
    void Stop() override { timer_.stop(); }

private:
    QTimer timer_;
    std::function<void()> due_;
};

} // namespace

std::unique_ptr<RetryTimer> MakeEventLoopRetryTimer() {
    return std::make_unique<EventLoopRetryTimer>();
}

} // namespace gnss
