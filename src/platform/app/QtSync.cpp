#include "platform/app/QtSync.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// An eventfd watched by the main loop, as Qt watches a socket: a queued call writes it,
// and the loop that is running at the time (the main loop, a nested wait, a modal box's
// own loop) runs the queue as soon as it sees it readable. One write and one wake, with
// no event object to allocate and post.
class QueueNotifier : public QObject {
public:
    QueueNotifier(SyncQueue &queue, int fd)
        : QObject(QCoreApplication::instance()), queue_(queue), fd_(fd),
          notifier_(fd, QSocketNotifier::Read, this) {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] {
            std::uint64_t value;
            [[maybe_unused]] ssize_t got = ::read(fd_, &value, sizeof value);
            queue_.RunPending();
        });
    }
    ~QueueNotifier() override {
        queue_.SetWakeUp(nullptr);
        queue_.SetLoopWatchHook(nullptr);
    }

private:
    SyncQueue &queue_;
    const int fd_;
    QSocketNotifier notifier_;
};

// A watched descriptor as the Qt event loop watches it.
class NotifierWatch final : public DescriptorWatch {
public:
    NotifierWatch(int fd, std::function<void()> onReadable) : notifier_(fd, QSocketNotifier::Read) {
        notifier_.setEnabled(false);
        QObject::connect(&notifier_, &QSocketNotifier::activated,
                         [onReadable = std::move(onReadable)] { onReadable(); });
    }
    void SetEnabled(bool enabled) override { notifier_.setEnabled(enabled); }

private:
    QSocketNotifier notifier_;
};

} // namespace

void InstallQtSynchronize(SyncQueue &queue) {
    queue.SetMainThread(std::this_thread::get_id());

    // Never a blocking queued call: it deadlocks when the main thread waits for the
    // worker, and cannot carry an exception back. The wake-up only makes the main thread
    // run the queue; the job itself, its result and its exception stay in the queue, so
    // a wake-up that finds the queue already served does no harm.
    // One descriptor for the process, never closed: a worker may still hold the wake-up
    // while an application object goes.
    static const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0 || !QCoreApplication::instance())
        return;
    new QueueNotifier(queue, fd); // owned by the application object
    queue.SetLoopWatchHook([](int watched, std::function<void()> onReadable) {
        return std::make_unique<NotifierWatch>(watched, std::move(onReadable));
    });
    queue.SetWakeUp([] {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t put = ::write(fd, &one, sizeof one);
    });
}

} // namespace platform
