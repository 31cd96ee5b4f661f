// What menu items and tool buttons share: the QAction that shows them, their enabled and
// visible states, their picture index, the checked look and the click.
#pragma once

#include "base/Component.h"
#include "base/Event.h"

#include <memory>

class QAction;

namespace platform {

class TActionComponent : public TComponent {
public:
    ~TActionComponent() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int imageIndex);

    TNotifyEvent OnClick;
    // Runs OnClick if enabled (what choosing the entry does).
    void Click();

    QAction *Action() const { return action_.get(); }
    static TActionComponent *FromAction(const QAction *action);

protected:
    // The component joins its owner only once it is complete (JoinOwner at the end of the
    // derived constructor), so the owner's components are told about a whole menu item or
    // tool button.
    TActionComponent();
    void JoinOwner(TComponent *owner);

    // Shows the state on the action: a checkable, checked action is how Qt draws a menu check
    // mark or a pressed tool button.
    void ShowChecked(bool checkable, bool checked);
    // Gives the action the picture that applies now.
    virtual void ApplyIcon() = 0;
    // The user chose the entry: the derived state is brought up to date before OnClick runs.
    virtual void Triggered() = 0;

private:
    bool enabled_ = true, visible_ = true;
    int imageIndex_ = -1;
    std::unique_ptr<QAction> action_;
};

} // namespace platform
