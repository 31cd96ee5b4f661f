// The heading log of the program: the recorder, which lives as long as the program (a
// recording goes on with its window closed), and the "Journal du cap" window, made the
// first time it is asked for.
#pragma once

#include "link/ReadingFeed.h"
#include "logwindow/HeadingRecorder.h"

#include <memory>

namespace app {

class HeadingLogWindow;

class HeadingLog {
public:
    explicit HeadingLog(ReadingFeed &feed);
    ~HeadingLog();
    HeadingLog(const HeadingLog &) = delete;
    HeadingLog &operator=(const HeadingLog &) = delete;

    HeadingRecorder &Recorder() { return recorder_; }
    // Made at the first call.
    HeadingLogWindow &Window();
    HeadingLogWindow *WindowIfMade() const { return window_.get(); }
    // Shows the window in front, as the menu command does.
    void ShowWindow();

private:
    ReadingFeed &feed_;
    HeadingRecorder recorder_;
    std::unique_ptr<HeadingLogWindow> window_;
};

} // namespace app
