#include "base/sync.h"

#include <algorithm>
#include <poll.h>

namespace platform {

struct SyncQueue::WatchEntry {
    int fd;
    std::function<void()> onReadable;
    bool enabled = false;
    std::unique_ptr<DescriptorWatch> loopWatch; // the event loop's, when it has a hook
};

class SyncQueue::QueueWatch final : public DescriptorWatch {
public:
    QueueWatch(SyncQueue &queue, std::shared_ptr<WatchEntry> entry)
        : queue_(queue), entry_(std::move(entry)) {}
    ~QueueWatch() override {
        auto &watches = queue_.watches_;
        watches.erase(std::remove(watches.begin(), watches.end(), entry_), watches.end());
        entry_->enabled = false; // a serve under way skips it
        entry_->loopWatch.reset();
    }
    void SetEnabled(bool enabled) override {
        entry_->enabled = enabled;
        if (entry_->loopWatch)
            entry_->loopWatch->SetEnabled(enabled);
    }

private:
    SyncQueue &queue_;
    const std::shared_ptr<WatchEntry> entry_;
};

SyncQueue::SyncQueue() : mainThread_(std::this_thread::get_id()) {}

SyncQueue &SyncQueue::Instance() {
    static SyncQueue queue;
    return queue;
}

void SyncQueue::SetMainThread(std::thread::id id) {
    std::lock_guard lock(mutex_);
    mainThread_ = id;
}

bool SyncQueue::IsMainThread() const {
    std::lock_guard lock(mutex_);
    return mainThread_ == std::this_thread::get_id();
}

void SyncQueue::SetWakeUp(std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    wake_ = std::move(wake);
}

void SyncQueue::Synchronize(const std::function<void()> &call) {
    if (IsMainThread()) {
        call();
        return;
    }
    auto job = std::make_shared<Job>();
    job->call = call;
    Queue(job);
    if (job->error)
        std::rethrow_exception(job->error);
}

void SyncQueue::PostAndWaitTaken(std::function<void()> call) {
    if (IsMainThread()) {
        try {
            call();
        } catch (...) {
        }
        return;
    }
    auto job = std::make_shared<Job>();
    job->call = std::move(call);
    job->releaseWhenTaken = true;
    Queue(job);
}

void SyncQueue::Post(std::function<void()> call) {
    auto job = std::make_shared<Job>();
    job->call = std::move(call);
    job->releaseWhenTaken = true;
    Push(job);
}

void SyncQueue::Push(const std::shared_ptr<Job> &job) {
    std::function<void()> wake;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(job);
        wake = wake_;
    }
    changed_.notify_all();
    if (wake)
        wake();
}

void SyncQueue::Queue(const std::shared_ptr<Job> &job) {
    Push(job);
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return job->done || (job->releaseWhenTaken && job->taken); });
}

int SyncQueue::RunPending() {
    int count = 0;
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::lock_guard lock(mutex_);
            if (jobs_.empty())
                break;
            job = jobs_.front();
            jobs_.pop_front();
            job->taken = true;
        }
        if (job->releaseWhenTaken)
            changed_.notify_all(); // the sender goes on while the call runs
        try {
            job->call();
        } catch (...) {
            job->error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            job->done = true;
        }
        changed_.notify_all();
        ++count;
    }
    return count + ServeWatches();
}

std::unique_ptr<DescriptorWatch> SyncQueue::Watch(int fd, std::function<void()> onReadable) {
    auto entry = std::make_shared<WatchEntry>();
    entry->fd = fd;
    entry->onReadable = std::move(onReadable);
    if (loopWatchHook_) {
        // The loop's watch calls through the entry, so a watch ended meanwhile calls nothing.
        entry->loopWatch = loopWatchHook_(fd, [weak = std::weak_ptr<WatchEntry>(entry)] {
            if (const auto held = weak.lock(); held && held->enabled)
                held->onReadable();
        });
    }
    watches_.push_back(entry);
    return std::make_unique<QueueWatch>(*this, entry);
}

void SyncQueue::SetLoopWatchHook(LoopWatchHook hook) { loopWatchHook_ = std::move(hook); }

// One look at the enabled watches, without waiting; a call may end or disable any watch.
int SyncQueue::ServeWatches() {
    std::vector<std::shared_ptr<WatchEntry>> watched;
    std::vector<pollfd> fds;
    for (const auto &entry : watches_)
        if (entry->enabled) {
            watched.push_back(entry);
            fds.push_back({entry->fd, POLLIN, 0});
        }
    if (fds.empty() || poll(fds.data(), fds.size(), 0) <= 0)
        return 0;
    int count = 0;
    for (std::size_t i = 0; i < fds.size(); ++i)
        if (fds[i].revents && watched[i]->enabled) {
            watched[i]->onReadable();
            ++count;
        }
    return count;
}

void SyncQueue::ServeUntil(const std::function<bool()> &done) {
    for (;;) {
        RunPending();
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done() || !jobs_.empty(); });
        if (done() && jobs_.empty())
            return;
    }
}

void SyncQueue::Signal(const std::function<void()> &change) {
    {
        std::lock_guard lock(mutex_);
        change();
    }
    changed_.notify_all();
}

Thread::Thread(SyncQueue &queue) : queue_(queue) {}

Thread::~Thread() {
    if (thread_.joinable()) {
        terminated_ = true;
        WaitFor();
    }
}

void Thread::Start() {
    if (!thread_.joinable())
        thread_ = std::thread(&Thread::Run, this);
}

bool Thread::Finished() const { return finished_; }

void Thread::WaitFor() {
    if (!thread_.joinable())
        return;
    if (queue_.IsMainThread())
        queue_.ServeUntil([this] { return finished_.load(); });
    thread_.join();
}

void Thread::Run() {
    try {
        Execute();
    } catch (...) {
        fatal_ = std::current_exception();
    }
    queue_.Signal([this] { finished_ = true; });
}

} // namespace platform
