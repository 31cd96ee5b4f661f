#include "base/Component.h"

#include <algorithm>

namespace platform {

TComponent::TComponent(TComponent *owner) {
    if (owner)
        owner->Insert(this);
}

TComponent::~TComponent() {
    // Free what is still owned, last created first.
    while (!components_.empty()) {
        TComponent *last = components_.back();
        Remove(last);
        delete last;
    }
    if (owner_)
        owner_->Remove(this);
}

void TComponent::EndLoading() {
    if (loading_)
        Loaded();
}

void TComponent::InsertComponent(TComponent *component) {
    if (component && !component->owner_)
        Insert(component);
}

void TComponent::Notification(TComponent *, TOperation) {}

void TComponent::Insert(TComponent *component) {
    components_.push_back(component);
    component->owner_ = this;
    for (TComponent *sibling : components_)
        sibling->Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent *component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    components_.erase(it);
    component->owner_ = nullptr;
    for (TComponent *sibling : components_)
        sibling->Notification(component, TOperation::opRemove);
}

} // namespace platform
