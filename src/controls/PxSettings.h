// The base of the controls' settings objects (gradient, fill, bevel, button layout): the owner's
// change handler and the update bracket. What a change recomputes is the subclass's business.
#pragma once

#include <functional>

namespace plexon {

class TPxSettings {
  public:
    TPxSettings() = default;
    virtual ~TPxSettings() = default;
    TPxSettings(const TPxSettings&) = delete;
    TPxSettings& operator=(const TPxSettings&) = delete;

    // The owner's change handler: called after every change outside an update bracket.
    std::function<void()> OnChange;

    // Changes inside the bracket recompute but do not notify; closing it sends one notification
    // when asked.
    void BeginUpdate() { updating_ = true; }
    void EndUpdate(bool notify = true) {
        updating_ = false;
        if (notify) Notify();
    }
    bool Updating() const { return updating_; }

  protected:
    // Recomputes what depends on the values, then tells the owner.
    void Changed() {
        Recompute();
        Notify();
    }
    virtual void Recompute() {}
    void Notify() {
        if (!updating_ && OnChange) OnChange();
    }
    // Stores a value that differs and runs the change step; the same value changes nothing.
    template <class T>
    void Set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }

  private:
    bool updating_ = false;
};

}  // namespace plexon
