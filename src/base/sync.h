// The synchronise facility: worker threads run calls on the main thread and wait for them.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// A descriptor that the main thread watches (SyncQueue::Watch); destroying it ends the watch.
class DescriptorWatch {
public:
    virtual ~DescriptorWatch() = default;
    // While enabled (a watch starts disabled), the watch's call runs on the main thread
    // whenever the descriptor is readable.
    virtual void SetEnabled(bool enabled) = 0;
};

// The event loop's own watch of a descriptor: the Qt side makes a socket notifier of it.
using LoopWatchHook =
    std::function<std::unique_ptr<DescriptorWatch>(int fd, std::function<void()> onReadable)>;

// A queue of calls that other threads hand to the main thread. The caller blocks until
// its call has run there; an exception thrown by the call is carried back and rethrown
// on the caller. The main thread serves the queue from its event loop (the wake-up is
// injectable: the Qt side posts a queued call), inside every nested wait, and while it
// joins a worker, so a worker blocked here never deadlocks a thread that waits for it.
class SyncQueue {
public:
    SyncQueue();
    static SyncQueue &Instance();

    void SetMainThread(std::thread::id id);
    bool IsMainThread() const;
    // Called (outside the lock) each time a call is queued.
    void SetWakeUp(std::function<void()> wake);

    // Runs call on the main thread and returns when it has run there. Called on the main
    // thread, it runs the call at once.
    void Synchronize(const std::function<void()> &call);
    // Hands call to the main thread and returns as soon as the main thread has taken it,
    // while it may still run there (as a window message sent to another thread is
    // replied to early). The call handles its own errors: an exception it lets out is
    // dropped. Called on the main thread, it runs the call at once.
    void PostAndWaitTaken(std::function<void()> call);

    // Hands call to the main thread and returns at once; it runs there in its turn with
    // the other queued calls, also when posted from the main thread itself. The call
    // handles its own errors: an exception it lets out is dropped.
    void Post(std::function<void()> call);

    // Main thread: runs every queued call, then the calls of the watched descriptors that
    // are readable; returns how many ran.
    int RunPending();

    // Main thread: a descriptor that the main thread watches for reading. The main thread
    // serves it wherever it serves queued calls: in RunPending, and in the event loop
    // through the loop's own watch (SetLoopWatchHook), so that the loop wakes for it.
    std::unique_ptr<DescriptorWatch> Watch(int fd, std::function<void()> onReadable);
    void SetLoopWatchHook(LoopWatchHook hook);
    // Whether components may hand their waits to the main thread's watches (the default);
    // when not, they wait in threads of their own.
    void SetServesDescriptors(bool serves) { servesDescriptors_ = serves; }
    bool ServesDescriptors() const { return servesDescriptors_; }

    // Main thread: serves queued calls until done() holds. done() is evaluated under the
    // queue's lock; whoever changes what it reads does so through Signal().
    void ServeUntil(const std::function<bool()> &done);
    // Any thread: makes a change (under the queue's lock) that a ServeUntil may wait for.
    void Signal(const std::function<void()> &change);

private:
    struct Job {
        std::function<void()> call;
        bool releaseWhenTaken = false;
        std::exception_ptr error;
        bool taken = false;
        bool done = false;
    };
    struct WatchEntry;
    class QueueWatch;
    // Queues a job and wakes the main thread.
    void Push(const std::shared_ptr<Job> &job);
    // Queues a job, wakes the main thread, and waits until released.
    void Queue(const std::shared_ptr<Job> &job);
    int ServeWatches();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Job>> jobs_;
    std::function<void()> wake_;
    std::thread::id mainThread_;
    // Main thread only.
    std::vector<std::shared_ptr<WatchEntry>> watches_;
    LoopWatchHook loopWatchHook_;
    std::atomic<bool> servesDescriptors_{true};
};

// The thread class the components build on: created suspended, started once, with a
// terminated flag, a finished flag and the exception that ended its body, if any.
class Thread {
public:
    explicit Thread(SyncQueue &queue = SyncQueue::Instance());
    virtual ~Thread();
    Thread(const Thread &) = delete;
    Thread &operator=(const Thread &) = delete;

    void Start();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Finished() const;
    // Waits until the body has ended. On the main thread it keeps serving synchronised
    // calls meanwhile, so a body blocked in Synchronize can complete.
    void WaitFor();
    std::exception_ptr FatalException() const { return fatal_; }

protected:
    virtual void Execute() = 0;
    void Synchronize(const std::function<void()> &call) { queue_.Synchronize(call); }

private:
    void Run();

    SyncQueue &queue_;
    std::thread thread_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false}; // set through Signal, so ServeUntil sees it
    std::exception_ptr fatal_;
};

} // namespace platform
