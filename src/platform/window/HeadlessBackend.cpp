// The in-memory back end: scripted input for waiting loops, recorded beeps, cursors and links.
#include "platform/window/HeadlessBackend.h"

#include "platform/window/Window.h"
#include "runtime/Exceptions.h"

namespace plexon::window {

void HeadlessBackend::PumpEvents(Desktop&, Wait wait) {
    if (wait == Wait::No) return;
    if (idle_.empty()) throw EInvalidOperation("A message loop waits for input and none is scripted");
    std::function<void()> action = std::move(idle_.front());
    idle_.pop_front();
    action();
}

std::optional<ScreenPlacement> HeadlessBackend::Placement(const Window& top) {
    if (!canPlace_) return std::nullopt;
    return ScreenPlacement{.origin = {top.Bounds().left, top.Bounds().top}, .scale = 1};
}

bool HeadlessBackend::OpenUrl(const std::string& address) {
    urls_.push_back(address);
    return true;
}

HeadlessBackend& Headless() {
    auto* headless = dynamic_cast<HeadlessBackend*>(&TheDesktop().Native());
    if (!headless) throw EInvalidOperation("The desktop does not run headless");
    return *headless;
}

}  // namespace plexon::window
