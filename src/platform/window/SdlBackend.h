// The back end on a real desktop through SDL2: one native window per top-level window, showing our
// frames through its window surface (no OpenGL), and the desktop's input, cursors and clipboard.
// On a high-density screen each native window shows our 1x frame at an integer scale: the program's,
// or for a window that would not fit the screen's work area at it, the largest at which it fits.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>

#include "platform/window/Backend.h"

namespace plexon::window {

class SdlBackend : public Backend {
  public:
    // EOSError when SDL's library cannot be loaded or its video system cannot start (no display).
    SdlBackend();
    ~SdlBackend() override;

    void CreateNative(Window& top) override;
    void DestroyNative(Window& top) override;
    void UpdateNative(Window& top) override;
    void ShowNative(Window& top, bool visible) override;
    void Present(Window& top, const FrameView& frame) override;
    void FocusNative(Window& top) override;
    // None on Wayland, where SDL cannot know a window's position.
    std::optional<ScreenPlacement> Placement(const Window& top) override;
    void PumpEvents(Desktop& desktop, Wait wait) override;
    void PumpEventsUntil(Desktop& desktop, std::uint64_t deadline) override;
    std::uint64_t Milliseconds() override;
    void SetCursor(Cursor cursor) override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    void Beep() override;
    bool OpenUrl(const std::string& address) override;
    gdi::SIZE ScreenSize() override;
    gdi::SIZE ScreenSizeOf(const Window& top) override;
    void SetApplicationIcon(const IconImage& icon) override;
    // Not on Wayland, where SDL 2.26 has no way to place a window.
    bool CanPlaceWindows() const override;
    // The factor native windows show our frames at (1 on an ordinary screen), and the one top shows at.
    int Scale() const;
    int ScaleOf(const Window& top) const;

  private:
    // Hands the event (when have) and every other pending one to the desktop.
    void Feed(Desktop& desktop, SDL_Event& event, bool have);
    void ApplyIcon(Window& top);
    // The scale top is to show at: its owner's, else the program's lowered until top fits the work area.
    int ScaleFitting(const Window& top) const;
    // Where the native window of top goes on the screen, in screen pixels, at that scale.
    gdi::POINT NativePosition(const Window& top, int scale) const;
    // Tells the desktop when the window system put top elsewhere than we know.
    void TrackPlace(Desktop& desktop, Window& top);
    // Where the compositor draws no title bar (Wayland), a window with a border gets ours: its height,
    // else 0. The bar and the frame below it as one picture.
    int TitleBarHeight(const Window& top) const;
    FrameView WithTitleBar(const Window& top, const FrameView& frame);
    // The left button at p (client coordinates; above 0 on our title bar) went down or up: our close
    // box closes the window as a window manager's does.
    void PressCloseBox(Desktop& desktop, Window& top, gdi::POINT p, bool down);
    // Our title bar shows whether its window has the keyboard.
    void ShowActive(Desktop& desktop, Window& top, bool active);
    // SDL's hit test: our title bar drags its window.
    static SDL_HitTestResult HitTest(SDL_Window* native, const SDL_Point* at, void* self);
    // Takes dropped file names off SDL's queue as they arrive: the queue holds 65,535 events, and a
    // drop of more files than that would lose names.
    static int GatherDrops(void* self, SDL_Event* event);

    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace plexon::window
