// Components: names and ownership. The owner frees what it owns, newest first; a freed component
// leaves its owner and tells it, so that references to it can be dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>


namespace plexon {

enum class TOperation { Insert, Remove };

class TComponent {
  public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // EComponentError "A component named %s already exists" when a sibling has the name.
    void SetName(const std::string& name);
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
    TComponent* FindComponent(std::string_view name) const;
    bool Destroying() const { return destroying_; }

  protected:
    // Called for every component inserted into or removed from this owner.
    virtual void Notification(TComponent* component, TOperation operation);
    // Frees the owned components, newest first. Derived destructors call it while they are whole.
    void DestroyComponents();
    void MarkDestroying() { destroying_ = true; }

  private:
    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> components_;
    bool destroying_ = false;
};

}  // namespace plexon
