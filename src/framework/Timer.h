// TTimer: OnTimer every Interval milliseconds while Enabled, driven by the message loop through
// the desktop's timers. It has no window and never fires while a handler of its own still runs.
#pragma once

#include <cstdint>

#include "framework/Control.h"

namespace plexon {

class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Milliseconds; 0 stops the timer. Setting it starts a fresh interval.
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t value);
    // Starts a fresh interval (when enabled), as a change of Interval does.
    void Restart();

    TSenderEvent OnTimer;

  private:
    void Tick();

    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    int id_ = 0;
    bool ticking_ = false;
};

}  // namespace plexon
