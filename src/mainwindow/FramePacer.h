// Paces the redraws of a display that changes faster than a screen shows: at most one
// redraw per screen frame, always with the latest state. The first change after a quiet
// frame is drawn at once, so a display that changes a few times a second looks exactly as
// if every change were drawn; changes that come quicker are gathered and drawn once, when
// the frame's time is up.
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace app {

class FramePacer {
public:
    using Clock = std::function<std::chrono::nanoseconds()>;

    // draw redraws the display from its latest state.
    explicit FramePacer(std::function<void()> draw);

    // The time the frames are measured in (default: the steady clock); tests step it.
    void SetClock(Clock now) { now_ = std::move(now); }
    // One screen frame (default: the primary screen's refresh period, 60 Hz without one).
    void SetInterval(std::chrono::nanoseconds interval) { interval_ = interval; }
    std::chrono::nanoseconds Interval() const { return interval_; }

    // The display has changed: drawn now if the last frame is a frame's time ago, else
    // once at the next frame.
    void Request();
    // A frame still to come is drawn now (a window that shows its latest state at once).
    void Flush();
    // A frame still to come is not drawn (what it would show is gone).
    void Cancel();
    bool Pending() const { return timer_.isActive(); }
    int FramesDrawn() const { return frames_; }

private:
    void Draw();

    std::function<void()> draw_;
    Clock now_;
    std::chrono::nanoseconds interval_;
    std::optional<std::chrono::nanoseconds> last_;
    QTimer timer_;
    int frames_ = 0;
};

} // namespace app
