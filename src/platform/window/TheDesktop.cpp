// The process's desktop and the choice of its back end at start-up.
#include <cstdlib>
#include <string>

#include "platform/window/HeadlessBackend.h"
#include "platform/window/SdlBackend.h"
#include "platform/window/Window.h"
#include "runtime/Exceptions.h"

namespace plexon::window {

namespace {

std::unique_ptr<Desktop>& Current() {
    static std::unique_ptr<Desktop> desktop;
    return desktop;
}

std::unique_ptr<Backend> MakeBackend(BackendKind kind) {
    if (kind == BackendKind::Headless) return std::make_unique<HeadlessBackend>();
    return std::make_unique<SdlBackend>();
}

std::unique_ptr<Backend> ChosenBackend() {
    const char* named = std::getenv("PLEXON_BACKEND");
    const std::string choice = named ? named : "";
    if (choice == "headless") return MakeBackend(BackendKind::Headless);
    if (choice == "sdl") return MakeBackend(BackendKind::Sdl);
    if (!choice.empty()) throw EInvalidOperation("PLEXON_BACKEND must be \"sdl\" or \"headless\"");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display && *display) || (wayland && *wayland)) {
        try {
            return MakeBackend(BackendKind::Sdl);
        } catch (const EOSError&) {
            // A display that cannot be opened counts as none.
        }
    }
    return MakeBackend(BackendKind::Headless);
}

}  // namespace

Desktop& TheDesktop() {
    if (!Current()) Current() = std::make_unique<Desktop>(ChosenBackend());
    return *Current();
}

void SelectBackend(BackendKind kind) {
    if (Current() && !Current()->TopLevels().empty())
        throw EInvalidOperation("The back end cannot change while windows exist");
    Current().reset();
    Current() = std::make_unique<Desktop>(MakeBackend(kind));
}

}  // namespace plexon::window
