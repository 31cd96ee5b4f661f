// The flat menu painter: draws the owner form's menus and tool bar in a flat, two-tone style
// while it is active.
#pragma once

#include "platform/Component.h"

namespace widgets {

// For now the painter only keeps its switches: the values are stored and read back, and
// nothing is drawn yet. Switching `Active` is where it will take over the owner form's
// menus and tool bar (and give them back); that comes with the painter itself.
class TFlatMenu : public platform::TComponent {
public:
    explicit TFlatMenu(platform::TComponent *owner = nullptr) : platform::TComponent(owner) {}

    bool Active() const { return active_; }
    // Storing the value again is meaningful: activating an active painter re-applies it.
    void SetActive(bool active) { active_ = active; }
    // Re-apply the painter when a menu item or tool button joins the owner form.
    bool AutoDetect() const { return autoDetect_; }
    void SetAutoDetect(bool autoDetect) { autoDetect_ = autoDetect; }
    bool Gradient() const { return gradient_; }
    void SetGradient(bool gradient) { gradient_ = gradient; }
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool use) { useSystemColors_ = use; }

private:
    bool active_ = false;
    bool autoDetect_ = false;
    bool gradient_ = false;
    bool useSystemColors_ = true;
};

} // namespace widgets
