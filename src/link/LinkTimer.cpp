#include "link/LinkTimer.h"

namespace app {

LinkTimer::LinkTimer(QObject *parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &LinkTimer::Tick);
}

void LinkTimer::start() {
    active_ = true;
    ++starts_;
    if (!stepped_)
        timer_.start();
}

void LinkTimer::stop() {
    active_ = false;
    timer_.stop();
}

void LinkTimer::SetStepped(bool stepped) {
    stepped_ = stepped;
    if (stepped)
        timer_.stop();
    else if (active_)
        timer_.start();
}

void LinkTimer::Tick() {
    if (active_)
        emit timeout();
}

} // namespace app
