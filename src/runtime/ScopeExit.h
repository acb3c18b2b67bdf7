// Runs a piece of clean-up when a scope ends, on the normal and on the error path, unless it was
// released first. For resources that have no owning class of their own.
#pragma once

#include <utility>

namespace plexon {

template <class Action>
class [[nodiscard]] ScopeExit {
  public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() {
        if (armed_) action_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

    // The clean-up is no longer wanted (the resource was handed on).
    void Release() { armed_ = false; }

  private:
    Action action_;
    bool armed_ = true;
};

}  // namespace plexon
