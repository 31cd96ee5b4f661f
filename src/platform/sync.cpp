#include "platform/sync.h"

namespace platform {

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

void SyncQueue::Queue(const std::shared_ptr<Job> &job) {
    std::function<void()> wake;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(job);
        wake = wake_;
    }
    changed_.notify_all();
    if (wake)
        wake();
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
