#include "platform/ui/ActionComponent.h"

#include "platform/app/Guarded.h"
#include "platform/ui/BackPointer.h"

#include <QAction>

namespace platform {
namespace {
constexpr const char *kActionProperty = "ventrose.actionComponent";
} // namespace

TActionComponent::TActionComponent() : action_(std::make_unique<QAction>()) {
    PointBack(action_.get(), kActionProperty, this);
    QObject::connect(action_.get(), &QAction::triggered, Guarded([this] {
                         Triggered();
                         Click();
                     }));
}

TActionComponent::~TActionComponent() = default;

void TActionComponent::JoinOwner(TComponent *owner) {
    if (owner)
        owner->InsertComponent(this);
}

void TActionComponent::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    action_->setEnabled(enabled);
}

void TActionComponent::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    action_->setVisible(visible);
}

void TActionComponent::SetImageIndex(int imageIndex) {
    if (imageIndex == imageIndex_)
        return;
    imageIndex_ = imageIndex;
    ApplyIcon();
}

void TActionComponent::Click() {
    if (enabled_ && OnClick)
        OnClick(this);
}

void TActionComponent::ShowChecked(bool checkable, bool checked) {
    action_->setCheckable(checkable);
    action_->setChecked(checked);
}

TActionComponent *TActionComponent::FromAction(const QAction *action) {
    return PointedBack<TActionComponent>(action, kActionProperty);
}

} // namespace platform
