// TTimer over the desktop's timers: one desktop timer while enabled with a non-zero interval.
#include "framework/Timer.h"

#include "platform/window/Window.h"

namespace plexon {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    Restart();
}

TTimer::~TTimer() {
    if (id_) window::TheDesktop().KillTimer(id_);
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Restart();
}

void TTimer::SetInterval(std::uint32_t value) {
    interval_ = value;
    Restart();
}

void TTimer::Restart() {
    window::Desktop& desk = window::TheDesktop();
    if (id_) desk.KillTimer(id_);
    id_ = 0;
    if (enabled_ && interval_ > 0) id_ = desk.SetTimer(interval_, [this] { Tick(); });
}

void TTimer::Tick() {
    // A handler that runs a message loop (a message box) must not be entered again meanwhile.
    if (ticking_ || !OnTimer) return;
    ticking_ = true;
    try {
        OnTimer(this);
    } catch (...) {
        ticking_ = false;
        throw;
    }
    ticking_ = false;
}

}  // namespace plexon
