#include "mainwindow/FramePacer.h"

#include <QGuiApplication>
#include <QScreen>

namespace app {

namespace {

std::chrono::nanoseconds ScreenFrame() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double hertz = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0;
    return std::chrono::nanoseconds(static_cast<long long>(1e9 / hertz));
}

} // namespace

FramePacer::FramePacer(std::function<void()> draw)
    : draw_(std::move(draw)),
      now_([] { return std::chrono::steady_clock::now().time_since_epoch(); }),
      interval_(ScreenFrame()) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Draw(); });
}

void FramePacer::Request() {
    if (timer_.isActive())
        return; // the next frame shows this change too
    const std::chrono::nanoseconds now = now_();
    if (!last_ || now - *last_ >= interval_) {
        Draw();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*last_ + interval_ - now);
    timer_.start(wait);
}

void FramePacer::Flush() {
    if (timer_.isActive())
        Draw();
}

void FramePacer::Cancel() { timer_.stop(); }

void FramePacer::Draw() {
    timer_.stop();
    last_ = now_();
    ++frames_;
    draw_();
}

} // namespace app
