#include "PumpEvents.h"

#include "platform/app/Application.h"

#include <QElapsedTimer>
#include <QTimer>

#include <thread>

namespace testsupport {

bool PumpEventsUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit) {
    platform::Application &application = platform::Application::Instance();
    QElapsedTimer elapsed;
    elapsed.start();
    // A timer keeps the blocking pump from sleeping past the limit.
    QTimer wake;
    wake.start(5);
    while (!condition()) {
        if (application.Terminated() || elapsed.elapsed() > limit.count())
            return condition();
        application.ProcessMessages();
    }
    return true;
}

bool AwaitCondition(const std::function<bool()> &condition, std::chrono::milliseconds limit) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > limit.count())
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace testsupport
