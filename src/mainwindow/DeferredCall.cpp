#include "mainwindow/DeferredCall.h"

#include "platform/app/Guarded.h"

namespace app {

namespace {
// How soon a call that was held back looks again (a box closes, an exchange ends).
constexpr int LookAgainMs = 50;
} // namespace

DeferredCall::DeferredCall(QObject *parent, std::function<bool()> mayRun,
                           std::function<void()> call)
    : QObject(parent), mayRun_(std::move(mayRun)), call_(std::move(call)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, platform::Guarded([this] { Due(); }));
}

void DeferredCall::Request() {
    if (!timer_.isActive())
        timer_.start(0);
}

void DeferredCall::Due() {
    if (!mayRun_()) {
        timer_.start(LookAgainMs);
        return;
    }
    call_();
}

} // namespace app
