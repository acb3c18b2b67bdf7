// Component ownership and names.
#include "framework/Component.h"

#include <algorithm>

#include "framework/FrameworkErrors.h"

namespace plexon {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) {
        owner_->components_.push_back(this);
        owner_->Notification(this, TOperation::Insert);
    }
}

TComponent::~TComponent() {
    destroying_ = true;
    DestroyComponents();
    if (owner_) {
        auto& list = owner_->components_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        owner_->Notification(this, TOperation::Remove);
    }
}

void TComponent::DestroyComponents() {
    destroying_ = true;
    while (!components_.empty()) delete components_.back();
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (owner_ && !name.empty() && owner_->FindComponent(name))
        throw EComponentError(Format(msg::kDuplicateName, {name}));
    name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (TComponent* component : components_)
        if (!name.empty() && component->name_ == name) return component;
    return nullptr;
}

}  // namespace plexon
