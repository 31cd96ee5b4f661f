#include "logwindow/HeadingLog.h"

#include "logwindow/HeadingLogWindow.h"

namespace app {

HeadingLog::HeadingLog(ReadingFeed &feed) : feed_(feed), recorder_(feed) {}

HeadingLog::~HeadingLog() = default;

HeadingLogWindow &HeadingLog::Window() {
    if (!window_)
        window_ = std::make_unique<HeadingLogWindow>(feed_, recorder_);
    return *window_;
}

void HeadingLog::ShowWindow() {
    HeadingLogWindow &window = Window();
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace app
