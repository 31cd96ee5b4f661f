#include "serial/SerialDevice.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

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

// All events share one lock; a thread waiting on several events registers its own
// condition variable with each of them.
struct TWaitEvent::State {
    bool set = false;
    std::vector<std::condition_variable_any *> waiters;
};

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
    for (auto *waiter : state_->waiters)
        waiter->notify_all();
}

void TWaitEvent::Reset() {
    std::lock_guard lock(WaitLock());
    state_->set = false;
}

bool TWaitEvent::IsSet() const {
    std::lock_guard lock(WaitLock());
    return state_->set;
}

int WaitForEvents(const std::vector<TWaitEvent *> &events, std::uint32_t timeoutMs) {
    std::condition_variable_any changed;
    std::unique_lock lock(WaitLock());
    auto firstSet = [&]() -> int {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (events[i]->state_->set)
                return static_cast<int>(i);
        return WAIT_TIMEOUT;
    };
    int index = firstSet();
    if (index != WAIT_TIMEOUT || timeoutMs == 0)
        return index;
    for (auto *event : events)
        event->state_->waiters.push_back(&changed);
    auto ready = [&] { return (index = firstSet()) != WAIT_TIMEOUT; };
    if (timeoutMs == INFINITE)
        changed.wait(lock, ready);
    else
        changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    for (auto *event : events) {
        auto &waiters = event->state_->waiters;
        waiters.erase(std::find(waiters.begin(), waiters.end(), &changed));
    }
    return index;
}

void BeginOverlapped(TOverlapped &overlapped) {
    std::lock_guard lock(WaitLock());
    overlapped.Internal = STATUS_PENDING;
    overlapped.InternalHigh = 0;
    if (overlapped.hEvent)
        overlapped.hEvent->state_->set = false;
}

void CompleteOverlapped(TOverlapped &overlapped, int error, std::uint32_t transferred) {
    std::lock_guard lock(WaitLock());
    overlapped.Internal = static_cast<std::uint32_t>(error);
    overlapped.InternalHigh = transferred;
    if (overlapped.hEvent) {
        overlapped.hEvent->state_->set = true;
        for (auto *waiter : overlapped.hEvent->state_->waiters)
            waiter->notify_all();
    }
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
