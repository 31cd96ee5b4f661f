// The component base: owner, name, tag, owned components and the loading/designing states.
#pragma once

#include "base/Event.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class TOperation { opInsert, opRemove };

// A component belongs to an owner, which frees it when the owner itself is freed (unless
// it was freed first, in which case it has already left the owner's list). Components
// that are members of their owner leave the list in their own destructor, before the
// owner's, so both kinds of ownership are safe.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent *owner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    TComponent *Owner() const { return owner_; }
    const std::string &Name() const { return name_; }
    void SetName(const std::string &name) { name_ = name; }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    // Takes a component without owner into this one's components, telling them all. For
    // components that join their owner only once they are fully built.
    void InsertComponent(TComponent *component);

    // Owned components in creation order.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent *Components(int index) const { return components_.at(index); }

    bool IsLoading() const { return loading_; }
    bool IsDesigning() const { return designing_; }
    void SetDesigning(bool designing) { designing_ = designing; }

    // Reading from a stored form: between the two calls every property is only stored.
    // EndLoading clears the loading state and runs the after-load step.
    void BeginLoading() { loading_ = true; }
    void EndLoading();

protected:
    // The after-load step; overrides call the base first.
    virtual void Loaded() { loading_ = false; }
    // Told to every owned component of the owner when a component joins or leaves it.
    virtual void Notification(TComponent *component, TOperation operation);

private:
    void Insert(TComponent *component);
    void Remove(TComponent *component);

    TComponent *owner_ = nullptr;
    std::string name_;
    std::intptr_t tag_ = 0;
    std::vector<TComponent *> components_;
    bool loading_ = false;
    bool designing_ = false;
};

} // namespace platform
