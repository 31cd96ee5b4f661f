#include "serial/port/SerialDevice.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace serial {

namespace {
thread_local int lastError = 0;

std::mutex openerMutex;
DeviceOpener &CurrentOpener() {
    static DeviceOpener opener;
    return opener;
}
} // namespace

int GetLastError() { return lastError; }
void SetLastError(int error) { lastError = error; }

// A thread waiting for events, registered with each of them: woken through its
// condition variable, or through its descriptor while it runs a device's wait pump.
struct Waiter {
    std::condition_variable_any changed;
    int fd = -1;
    std::thread::id thread = std::this_thread::get_id();
    void Notify() {
        if (fd < 0) {
            changed.notify_all();
            return;
        }
        // The waiter's own pump looks at the events again when it returns.
        if (thread == std::this_thread::get_id())
            return;
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t put = ::write(fd, &one, sizeof one);
    }
};

// All events share one lock.
struct TWaitEvent::State {
    bool set = false;
    std::vector<Waiter *> waiters;
    std::shared_ptr<WaitPump> pump; // while a device's operation is pending
    int notifyFd = -1;
    // With the events' lock held.
    void Notify();
};

namespace {
// The event that the current thread looks at itself (TWaitEvent::LookingSelf).
thread_local const void *lookingSelf = nullptr;
} // namespace

void TWaitEvent::State::Notify() {
    for (auto *waiter : waiters)
        waiter->Notify();
    if (notifyFd >= 0 && lookingSelf != this) {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t put = ::write(notifyFd, &one, sizeof one);
    }
}

TWaitEvent::LookingSelf::LookingSelf(TWaitEvent &event) : outer_(lookingSelf) {
    lookingSelf = event.state_.get();
}

TWaitEvent::LookingSelf::~LookingSelf() { lookingSelf = outer_; }

namespace {
std::mutex &WaitLock() {
    static std::mutex lock;
    return lock;
}
} // namespace

TWaitEvent::TWaitEvent(bool initiallySet) : state_(std::make_shared<State>()) {
    state_->set = initiallySet;
}

TWaitEvent::~TWaitEvent() = default;

void TWaitEvent::Set() {
    std::lock_guard lock(WaitLock());
    state_->set = true;
    state_->Notify();
}

void TWaitEvent::Reset() {
    std::lock_guard lock(WaitLock());
    state_->set = false;
}

bool TWaitEvent::IsSet() const {
    std::lock_guard lock(WaitLock());
    return state_->set;
}

void TWaitEvent::NotifyDescriptor(int fd) {
    std::lock_guard lock(WaitLock());
    state_->notifyFd = fd;
}

namespace {

// The descriptor a thread is woken through while it runs a wait pump: one per thread.
int ThreadWakeFd() {
    struct Descriptor {
        int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        ~Descriptor() { ::close(fd); }
    };
    thread_local Descriptor descriptor;
    return descriptor.fd;
}

} // namespace

int WaitForEvents(const std::vector<TWaitEvent *> &events, std::uint32_t timeoutMs) {
    Waiter waiter;
    std::unique_lock lock(WaitLock());
    auto firstSet = [&]() -> int {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (events[i]->state_->set)
                return static_cast<int>(i);
        return WAIT_TIMEOUT;
    };
    auto pump = [&]() -> std::shared_ptr<WaitPump> {
        for (auto *event : events)
            if (event->state_->pump)
                return event->state_->pump;
        return nullptr;
    };
    int index = firstSet();
    if (index != WAIT_TIMEOUT || timeoutMs == 0)
        return index;
    if (pump())
        waiter.fd = ThreadWakeFd();
    for (auto *event : events)
        event->state_->waiters.push_back(&waiter);
    auto ready = [&] { return (index = firstSet()) != WAIT_TIMEOUT; };
    if (waiter.fd >= 0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!ready()) {
            int left = -1;
            if (timeoutMs != INFINITE) {
                left = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(
                                            deadline - std::chrono::steady_clock::now())
                                            .count());
                if (left <= 0)
                    break;
            }
            std::uint64_t value;
            [[maybe_unused]] ssize_t got = ::read(waiter.fd, &value, sizeof value);
            const auto current = pump();
            lock.unlock();
            if (current) {
                current->Pump(waiter.fd, left);
            } else {
                pollfd fd{waiter.fd, POLLIN, 0};
                poll(&fd, 1, left);
            }
            lock.lock();
        }
    } else if (timeoutMs == INFINITE) {
        waiter.changed.wait(lock, ready);
    } else {
        waiter.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    }
    for (auto *event : events) {
        auto &waiters = event->state_->waiters;
        waiters.erase(std::find(waiters.begin(), waiters.end(), &waiter));
    }
    return index;
}

void BeginOverlapped(TOverlapped &overlapped) {
    std::lock_guard lock(WaitLock());
    overlapped.Internal = STATUS_PENDING;
    overlapped.InternalHigh = 0;
    if (overlapped.hEvent) {
        overlapped.hEvent->state_->set = false;
        overlapped.hEvent->state_->pump.reset();
    }
}

void CompleteOverlapped(TOverlapped &overlapped, int error, std::uint32_t transferred) {
    std::lock_guard lock(WaitLock());
    overlapped.Internal = static_cast<std::uint32_t>(error);
    overlapped.InternalHigh = transferred;
    if (overlapped.hEvent) {
        auto &state = *overlapped.hEvent->state_;
        state.set = true;
        state.pump.reset();
        state.Notify();
    }
}

void AttachWaitPump(TOverlapped &overlapped, std::shared_ptr<WaitPump> pump) {
    std::lock_guard lock(WaitLock());
    // Taken up by the next wait for the operation (a thread already waiting goes on
    // without it).
    if (overlapped.hEvent && overlapped.Internal == STATUS_PENDING)
        overlapped.hEvent->state_->pump = std::move(pump);
}

std::shared_ptr<WaitPump> AttachedWaitPump(const TOverlapped &overlapped) {
    std::lock_guard lock(WaitLock());
    return overlapped.hEvent ? overlapped.hEvent->state_->pump : nullptr;
}

bool StartedOperationResult(const TOverlapped &overlapped, std::uint32_t *transferred) {
    // The device completes its operations under its own lock, which the caller holds.
    if (overlapped.Internal == STATUS_PENDING) {
        SetLastError(ERROR_IO_PENDING);
        return false;
    }
    if (overlapped.Internal != 0) {
        SetLastError(static_cast<int>(overlapped.Internal));
        return false;
    }
    if (transferred)
        *transferred = overlapped.InternalHigh;
    return true;
}

bool GetOverlappedResult(TOverlapped &overlapped, std::uint32_t &transferred, bool wait) {
    if (wait && overlapped.hEvent)
        WaitForEvents({overlapped.hEvent}, INFINITE);
    // Results are stored under the events' lock (CompleteOverlapped), so read them there.
    std::uint32_t status;
    {
        std::lock_guard lock(WaitLock());
        status = overlapped.Internal;
        transferred = overlapped.InternalHigh;
    }
    if (status == STATUS_PENDING) {
        SetLastError(ERROR_IO_INCOMPLETE);
        return false;
    }
    if (status != 0) {
        SetLastError(static_cast<int>(status));
        return false;
    }
    return true;
}

void SetDeviceOpener(DeviceOpener opener) {
    std::lock_guard lock(openerMutex);
    CurrentOpener() = std::move(opener);
}

std::unique_ptr<SerialDevice> OpenDevice(const std::string &port) {
    DeviceOpener opener;
    {
        std::lock_guard lock(openerMutex);
        opener = CurrentOpener();
    }
    if (!opener) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return opener(port);
}

} // namespace serial
