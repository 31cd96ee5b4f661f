// Handling the program's events until something holds.
#pragma once

#include <chrono>
#include <functional>

namespace testsupport {

// Handles events (and synchronised calls) until the condition holds or the application is
// terminated; false if it did not hold within the limit, which is generous: it only keeps
// a broken test from hanging.
bool PumpEventsUntil(const std::function<bool()> &condition,
                     std::chrono::milliseconds limit = std::chrono::seconds(20));

// Waits, without handling events, for another thread to make the condition hold.
bool AwaitCondition(const std::function<bool()> &condition,
                    std::chrono::milliseconds limit = std::chrono::seconds(20));

} // namespace testsupport
