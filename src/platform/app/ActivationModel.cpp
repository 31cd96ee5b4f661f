#include "platform/app/ActivationModel.h"

namespace platform {

void ActivationModel::AddWindow(WindowId window, Handler onActivate, bool visible) {
    if (window == nullptr)
        return;
    Window &entry = windows_[window];
    entry.onActivate = std::move(onActivate);
    entry.visible = visible;
}

void ActivationModel::RemoveWindow(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    if (it->second.box)
        BoxHidden(window);
    else
        Hidden(window);
    windows_.erase(window);
    if (main_ == window)
        main_ = nullptr;
    if (active_ == window)
        active_ = nullptr;
}

bool ActivationModel::IsVisible(WindowId window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.visible;
}

void ActivationModel::Shown(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    it->second.visible = true;
    Activate(window);
}

void ActivationModel::Hidden(WindowId window) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    if (it->second.box) {
        BoxHidden(window);
        return;
    }
    it->second.visible = false;
    if (active_ == window)
        Activate(VisibleMainOrNone());
}

void ActivationModel::BoxShown(WindowId box) {
    if (box == nullptr || IsRegistered(box))
        return;
    Window entry;
    entry.visible = true;
    entry.box = true;
    entry.before = active_;
    entry.pendingBefore = pending_;
    windows_.emplace(box, std::move(entry));
    ++openBoxes_;
    Activate(box);
}

void ActivationModel::BoxHidden(WindowId box, BoxReturn how) {
    auto it = windows_.find(box);
    if (it == windows_.end() || !it->second.box)
        return;
    const Window entry = it->second;
    windows_.erase(it);
    --openBoxes_;
    if (active_ != box)
        return; // something else took the activation while the box was open
    if (IsVisible(entry.before)) {
        if (how == BoxReturn::Quietly) {
            // Undo the box's own change: the window is active again as if the box
            // had never shown.
            active_ = entry.before;
            pending_ = entry.pendingBefore;
            return;
        }
        Activate(entry.before);
        return;
    }
    Activate(VisibleMainOrNone());
}

void ActivationModel::FocusChanged(WindowId window) {
    if (window == nullptr || openBoxes_ > 0 || window == active_)
        return;
    auto it = windows_.find(window);
    if (it == windows_.end() || !it->second.visible || it->second.box)
        return;
    Activate(window);
}

ActivationModel::WindowId ActivationModel::VisibleMainOrNone() const {
    return IsVisible(main_) ? main_ : nullptr;
}

void ActivationModel::Activate(WindowId window) {
    if (window == active_)
        return;
    active_ = window;
    pending_ = true;
    if (!running_)
        RunHandlers();
}

void ActivationModel::RunHandlers() {
    running_ = true;
    struct ResetRunning {
        bool &running;
        ~ResetRunning() { running = false; }
    } reset{running_};
    while (pending_) {
        pending_ = false;
        auto it = windows_.find(active_);
        if (it == windows_.end() || !it->second.onActivate)
            continue;
        // A copy: the handler may remove or re-register its own window.
        const Handler handler = it->second.onActivate;
        handler();
    }
}

} // namespace platform
