// The wait between two attempts to reach gpsd. The client asks for it through this interface
// so that a test can run the waits at once instead of sitting them out.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace gnss {

class RetryTimer {
public:
    virtual ~RetryTimer() = default;
    // Calls `due` once, `after` from now, in the thread that started it. A start replaces
    // the wait under way.
    virtual void Start(std::chrono::milliseconds after, std::function<void()> due) = 0;
    virtual void Stop() = 0;
};

// The real wait, on a single-shot QTimer of the calling thread.
std::unique_ptr<RetryTimer> MakeEventLoopRetryTimer();

} // namespace gnss
