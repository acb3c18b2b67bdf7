// Finding and starting the accessibility plugin, and what it may ask of the desktop.
#include "app/Accessibility.h"

#include <cstdlib>
#include <string>

#include "platform/shell/AccessibilityBus.h"
#include "platform/shell/ExecutablePath.h"
#include "platform/window/AccessibilityHost.h"
#include "platform/window/Window.h"
#include "runtime/PathText.h"
#include "runtime/SharedLibrary.h"

namespace plexon {

namespace {

constexpr const char* kPlugin = "libplexon-a11y.so";

class DesktopHost final : public window::AccessibilityHost {
  public:
    std::vector<window::Accessible*> Windows() override {
        std::vector<window::Accessible*> roots;
        window::Desktop& desktop = window::TheDesktop();
        for (window::HWND top : desktop.TopLevels())
            if (window::Accessible* root = desktop.AccessibleOf(top)) roots.push_back(root);
        return roots;
    }
    window::Accessible* ActiveWindow() override {
        window::Desktop& desktop = window::TheDesktop();
        return desktop.ActiveTopLevel() ? desktop.AccessibleOf(desktop.ActiveTopLevel()) : nullptr;
    }
    std::optional<gdi::RECT> ScreenExtents(const window::Accessible& node) override {
        return window::TheDesktop().ScreenExtents(node);
    }
    void Post(std::function<void()> action) override {
        window::Desktop& desktop = window::TheDesktop();
        auto id = std::make_shared<int>();
        *id = desktop.SetTimer(1, [id, action = std::move(action)] {
            window::TheDesktop().KillTimer(*id);
            action();
        });
    }
    void Every(std::uint32_t intervalMs, std::function<void()> action) override {
        window::TheDesktop().SetTimer(intervalMs, std::move(action), window::TimerKind::Service);
    }
};

// Beside the program in the build tree, in the installed plugin folder otherwise.
void* OpenPlugin() {
    const std::optional<std::string> program = ExecutablePath();
    if (!program) return nullptr;
    const std::string folder = ExtractFilePath(*program);
    std::string reason;
    for (const std::string& path :
         {folder + kPlugin, folder + PLEXON_A11Y_FROM_BINDIR + "/" + std::string(kPlugin)})
        if (void* plugin = OpenLibrary(path.c_str(), reason)) return plugin;
    return nullptr;
}

}  // namespace

bool StartAccessibility() {
    if (const char* off = std::getenv("NO_AT_BRIDGE"); off && std::string(off) == "1") return false;
    if (!AccessibilityBusRunning()) return false;
    void* plugin = OpenPlugin();
    std::string reason;
    const auto start =
        plugin ? LibraryFunctionAs<window::AccessibilityStart>(plugin, window::kAccessibilityStart, reason)
               : nullptr;
    static DesktopHost host;
    return start && start(&host, "Tesvo Plexon");
}

}  // namespace plexon
