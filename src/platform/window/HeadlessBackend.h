// The back end without a window system: frames stay in memory, input comes from the caller. Tests
// and screenshots use it; a message loop that waits for input runs the caller's scripted actions.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/window/Backend.h"

namespace plexon::window {

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(gdi::SIZE screen = {1024, 768}) : screen_(screen) {}

    void CreateNative(Window&) override {}
    void DestroyNative(Window&) override {}
    void UpdateNative(Window&) override {}
    void ShowNative(Window&, bool) override {}
    void Present(Window&, const FrameView&) override { ++presents_; }
    void FocusNative(Window&) override {}
    // Where the bounds say, at 1x; none while it cannot place windows.
    std::optional<ScreenPlacement> Placement(const Window& top) override;
    // With Wait::Yes runs the next scripted action; a wait with none scripted would never end, so it
    // raises EInvalidOperation instead.
    void PumpEvents(Desktop& desktop, Wait wait) override;
    // Time stands still without the caller, so waiting for a deadline is waiting for input.
    void PumpEventsUntil(Desktop& desktop, std::uint64_t) override { PumpEvents(desktop, Wait::Yes); }
    // The caller's clock: it starts at 0 and moves only by AdvanceTime.
    std::uint64_t Milliseconds() override { return now_; }
    void AdvanceTime(std::uint64_t milliseconds) { now_ += milliseconds; }
    void SetCursor(Cursor cursor) override { cursor_ = cursor; }
    // Text ends at its first zero byte, as on a real clipboard; a clipboard that cannot be opened
    // keeps what it held.
    void SetClipboardText(const std::string& text) override {
        if (clipboardOpens_) clipboard_ = text.substr(0, text.find('\0'));
    }
    void SetClipboardOpens(bool opens) { clipboardOpens_ = opens; }
    std::string ClipboardText() override { return clipboard_; }
    void Beep() override { ++beeps_; }
    bool OpenUrl(const std::string& address) override;
    gdi::SIZE ScreenSize() override { return screen_; }
    gdi::SIZE ScreenSizeOf(const Window&) override { return screen_; }
    void SetApplicationIcon(const IconImage& icon) override { icon_ = icon; }
    const IconImage& ApplicationIcon() const { return icon_; }
    // Placing windows can be turned off, to stand in for a compositor that places them itself.
    bool CanPlaceWindows() const override { return canPlace_; }
    void SetCanPlaceWindows(bool can) { canPlace_ = can; }

    // Queues an action for the next time a message loop waits for input.
    void WhenIdle(std::function<void()> action) { idle_.push_back(std::move(action)); }
    std::size_t PendingActions() const { return idle_.size(); }

    int Beeps() const { return beeps_; }
    int Presents() const { return presents_; }
    Cursor CurrentCursor() const { return cursor_; }
    const std::vector<std::string>& OpenedUrls() const { return urls_; }

  private:
    gdi::SIZE screen_;
    std::uint64_t now_ = 0;
    std::deque<std::function<void()>> idle_;
    std::string clipboard_;
    bool clipboardOpens_ = true;
    std::vector<std::string> urls_;
    int beeps_ = 0;
    int presents_ = 0;
    Cursor cursor_ = Cursor::Default;
    IconImage icon_;
    bool canPlace_ = true;
};

// The headless back end of the process's desktop; EInvalidOperation when another one runs.
HeadlessBackend& Headless();

}  // namespace plexon::window
