// Which program window is active, and the activation handlers that follow from it.
#pragma once

#include <functional>
#include <unordered_map>

namespace platform {

// What closing a box does to the window that was active before it.
enum class BoxReturn {
    // That window becomes active again and its activation handler runs.
    Activate,
    // That window becomes active again without running its handler: used by the error
    // box of a failed activation handler, which would otherwise fail again at once and
    // show the same error box for ever.
    Quietly,
};

// The program's own notion of the active window, kept apart from the window system
// (whose activation events differ between window managers and sometimes never come).
// Windows are opaque handles. Whenever the active window changes, the new active
// window's handler runs synchronously; a change made while a handler runs is carried
// out when that handler returns.
class ActivationModel {
public:
    using WindowId = const void *;
    using Handler = std::function<void()>;

    // Registers a window with its activation handler (which may be empty).
    void AddWindow(WindowId window, Handler onActivate, bool visible = false);
    void RemoveWindow(WindowId window);
    // The main window takes the activation when the active window hides.
    void SetMainWindow(WindowId window) { main_ = window; }
    WindowId MainWindow() const { return main_; }

    // A window was shown above all windows: it becomes active.
    void Shown(WindowId window);
    // A window was hidden; if it was active, the main window (if visible) takes over.
    void Hidden(WindowId window);
    // A box (message box, wait box) opened: it is active while it shows, and focus
    // changes reported meanwhile are ignored.
    void BoxShown(WindowId box);
    // A box closed: the window that was active before it becomes active again.
    void BoxHidden(WindowId box, BoxReturn how = BoxReturn::Activate);
    // The window system moved the focus to a window (the user clicked it). Only a
    // visible registered window that is not already active counts; null is ignored.
    void FocusChanged(WindowId window);

    WindowId Active() const { return active_; }
    bool IsRegistered(WindowId window) const { return windows_.count(window) != 0; }
    bool IsVisible(WindowId window) const;
    int OpenBoxes() const { return openBoxes_; }

private:
    struct Window {
        Handler onActivate;
        bool visible = false;
        bool box = false;
        WindowId before = nullptr;  // boxes: the window that was active when it opened
        bool pendingBefore = false; // boxes: whether a change was pending then
    };

    WindowId VisibleMainOrNone() const;
    void Activate(WindowId window);
    void RunHandlers();

    std::unordered_map<WindowId, Window> windows_;
    WindowId main_ = nullptr;
    WindowId active_ = nullptr;
    bool running_ = false;
    bool pending_ = false;
    int openBoxes_ = 0;
};

} // namespace platform
