// SDL2 back end. Windows are created hidden and shown after their first frame, because creating
// the window surface replaces the native window once; frames go through the window surface with
// framebuffer acceleration off. Our texts are UTF-8 as SDL's are; bad bytes go out as U+FFFD.
#include "platform/window/SdlBackend.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/DisplayScale.h"
#include "platform/window/SdlLibrary.h"
#include "platform/window/TitleBar.h"
#include "platform/window/Window.h"
#include "platform/window/XErrors.h"
#include "runtime/Exceptions.h"
#include "runtime/Utf8.h"

namespace plexon::window {

namespace {

Shift ShiftFromSdl(Uint16 mod, Uint32 buttons) {
    Shift shift = Shift::None;
    if (mod & KMOD_SHIFT) shift = shift | Shift::Shift;
    if (mod & KMOD_CTRL) shift = shift | Shift::Ctrl;
    if (mod & KMOD_ALT) shift = shift | Shift::Alt;
    if (buttons & SDL_BUTTON_LMASK) shift = shift | Shift::Left;
    if (buttons & SDL_BUTTON_RMASK) shift = shift | Shift::Right;
    if (buttons & SDL_BUTTON_MMASK) shift = shift | Shift::Middle;
    return shift;
}

int KeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return vk::kF1 + (key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE: return vk::kBack;
        case SDLK_TAB: return vk::kTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return vk::kReturn;
        case SDLK_ESCAPE: return vk::kEscape;
        case SDLK_SPACE: return vk::kSpace;
        case SDLK_PAGEUP: return vk::kPrior;
        case SDLK_PAGEDOWN: return vk::kNext;
        case SDLK_END: return vk::kEnd;
        case SDLK_HOME: return vk::kHome;
        case SDLK_LEFT: return vk::kLeft;
        case SDLK_UP: return vk::kUp;
        case SDLK_RIGHT: return vk::kRight;
        case SDLK_DOWN: return vk::kDown;
        case SDLK_INSERT: return vk::kInsert;
        case SDLK_DELETE: return vk::kDelete;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return vk::kShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return vk::kControl;
        case SDLK_LALT:
        case SDLK_RALT: return vk::kMenu;
        default: return 0;
    }
}

MouseButton ButtonFromSdl(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_RIGHT: return MouseButton::Right;
        case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
        default: return MouseButton::Left;
    }
}

// Whether text is what the key gives with Alt held as it gives without: then the press was a command
// (Alt+B), already delivered as a key, and not typing. A key whose Alt makes another character, as
// AltGr does on international layouts (AltGr+Q is "@" on a German keyboard), types that character.
bool IsAltKeyText(SDL_Keycode altKey, const char* text) {
    if (altKey <= 0 || altKey >= SDLK_SCANCODE_MASK) return false;
    const std::u32string typed = utf8::Decoded(text);
    auto lower = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; };
    return typed.size() == 1 && lower(typed[0]) == lower(char32_t(altKey));
}

SDL_Window* NativeOf(Window& top) { return static_cast<SDL_Window*>(top.native); }

}  // namespace

struct SdlBackend::State {
    std::map<Uint32, HWND> byId;
    // What we know of each native window: the scale it shows at, and where the window system last
    // put (or was asked to put) its client area, in our pixels at that scale.
    struct Record {
        int scale = 1;
        gdi::POINT origin;
        bool titleBar = false;  // ours, above the client area
        bool active = false;
        bool closeHeld = false;  // the close box of our title bar is pressed
    };
    std::map<const Window*, Record> records;
    // The files of drop gestures still in progress, by native window id.
    std::map<Uint32, std::vector<std::string>> drops;
    SDL_Cursor* cursors[5] = {};
    // The character of the key last pressed with Alt, until the text SDL makes of that press.
    SDL_Keycode altKey = 0;
    bool wayland = false;
    int scale = 1;  // the program's; a window that does not fit the screen at it shows at less
    std::vector<std::uint8_t> scaled;  // the frame at the native size, when scale > 1
    std::vector<std::uint8_t> titled;  // our title bar above the frame
    IconImage icon;
};

SdlBackend::SdlBackend() : state_(std::make_unique<State>()) {
    // Loading the library first: without it there is no point asking the X server anything.
    const SdlFunctions& sdl = Sdl();
    const ScaleChoice choice = ChooseDisplayScale(CurrentScaleSources());
    state_->scale = choice.scale;
    if (!choice.note.empty()) std::fprintf(stderr, "plexon: %s\n", choice.note.c_str());
    sdl.SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Interrupt and terminate signals keep their usual effect; SDL would turn them into a quit event
    // that no window asked for, and the program would ignore Ctrl+C and kill.
    sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // On Wayland, SDL 2.26 with client-side decorations crashed in its event pump after a dialog was
    // closed; windows get the compositor's decorations where it draws them, and none elsewhere.
    sdl.SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
    // Ours goes in before SDL's own handler, so that SDL hands errors on to it and restores it on quit.
    InstallXErrorHandler();
    if (sdl.Init(SDL_INIT_VIDEO) != 0) {
        KeepXErrorHandlerFor(nullptr);
        throw EOSError(std::string("SDL: ") + sdl.GetError());
    }
    KeepXErrorHandlerFor(sdl.GetCurrentVideoDriver());
    // X11 shows a window surface as it is, without OpenGL, which is the fastest first frame. Wayland
    // has no such surface in SDL: there SDL shows it through a renderer of its own choosing, and a
    // window is mapped only by a frame committed after it is shown.
    state_->wayland = std::strcmp(sdl.GetCurrentVideoDriver(), "wayland") == 0;
    if (!state_->wayland) sdl.SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    state_->cursors[int(Cursor::Arrow)] = sdl.CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    state_->cursors[int(Cursor::Hourglass)] = sdl.CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    state_->cursors[int(Cursor::Hand)] = sdl.CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    state_->cursors[int(Cursor::IBeam)] = sdl.CreateSystemCursor(SDL_SYSTEM_CURSOR_IBEAM);
    sdl.StartTextInput();
    sdl.EventState(SDL_DROPFILE, SDL_ENABLE);
    sdl.SetEventFilter(&SdlBackend::GatherDrops, this);
}

int SdlBackend::Scale() const {
    return state_->scale;
}

bool SdlBackend::CanPlaceWindows() const {
    return !state_->wayland;
}

int SdlBackend::GatherDrops(void* self, SDL_Event* event) {
    auto& drops = static_cast<SdlBackend*>(self)->state_->drops;
    switch (event->type) {
        case SDL_DROPBEGIN:
            // Let through: SDL sends a drop's files only once its begin event is in the queue.
            drops[event->drop.windowID].clear();
            return 1;
        case SDL_DROPFILE:
        case SDL_DROPTEXT:
            // File names are the file system's bytes, handed on unconverted; dropped text is not a
            // file and is let go.
            if (event->drop.file) {
                if (event->type == SDL_DROPFILE)
                    drops[event->drop.windowID].emplace_back(event->drop.file);
                Sdl().free(event->drop.file);
            }
            return 0;
        default:
            return 1;  // SDL_DROPCOMPLETE comes through the queue, after the names it ends
    }
}

SdlBackend::~SdlBackend() {
    Sdl().SetEventFilter(nullptr, nullptr);
    for (SDL_Cursor* cursor : state_->cursors)
        if (cursor) Sdl().FreeCursor(cursor);
    Sdl().Quit();
}

int SdlBackend::ScaleOf(const Window& top) const {
    auto found = state_->records.find(&top);
    return found == state_->records.end() ? state_->scale : found->second.scale;
}

int SdlBackend::ScaleFitting(const Window& top) const {
    // A pop-up shows at its owner's scale, so that a list is as wide as its box.
    if (top.Popup() != PopupKind::None && top.Owner()) return ScaleOf(*top.Owner());
    SDL_Rect area;
    if (Sdl().GetDisplayUsableBounds(0, &area) != 0) return state_->scale;
    return FittingScale(state_->scale, {top.Width(), top.Height() + TitleBarHeight(top)}, {area.w, area.h});
}

gdi::POINT SdlBackend::NativePosition(const Window& top, int scale) const {
    const gdi::RECT& b = top.Bounds();
    // Relative to the owner's real place, to the screen pixel: its origin in our pixels is rounded.
    const Window* owner = top.Owner();
    if (top.Popup() != PopupKind::None && owner && owner->native && !state_->wayland) {
        gdi::POINT at;
        Sdl().GetWindowPosition(static_cast<SDL_Window*>(owner->native), &at.x, &at.y);
        return {at.x + (b.left - owner->Bounds().left) * scale, at.y + (b.top - owner->Bounds().top) * scale};
    }
    return {b.left * scale, b.top * scale};
}

int SdlBackend::TitleBarHeight(const Window& top) const {
    return state_->wayland && top.Border() != BorderStyle::None && top.Popup() == PopupKind::None ? kTitleBarHeight
                                                                                                  : 0;
}

SDL_HitTestResult SdlBackend::HitTest(SDL_Window* native, const SDL_Point* at, void* self) {
    // Our title bar moves the window as a compositor's would; its close box is a button.
    auto& state = *static_cast<SdlBackend*>(self)->state_;
    auto found = state.byId.find(Sdl().GetWindowID(native));
    if (found == state.byId.end()) return SDL_HITTEST_NORMAL;
    const int scale = state.records[found->second].scale;
    const gdi::POINT p{ToFrameCoordinate(at->x, scale), ToFrameCoordinate(at->y, scale)};
    const bool onBar = p.y >= 0 && p.y < kTitleBarHeight;
    return onBar && TitleBarPartAt(found->second->Width(), p) == TitleBarPart::Caption ? SDL_HITTEST_DRAGGABLE
                                                                                       : SDL_HITTEST_NORMAL;
}

void SdlBackend::CreateNative(Window& top) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    const int bar = TitleBarHeight(top);
    if (top.Border() == BorderStyle::None || bar) flags |= SDL_WINDOW_BORDERLESS;
    if (top.Border() == BorderStyle::Sizeable) flags |= SDL_WINDOW_RESIZABLE;
    // The window manager leaves tooltips and menus alone (override-redirect on X11): no frame, no
    // placing of its own, no focus, no task bar entry.
    if (top.Popup() != PopupKind::None)
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP |
                 (top.Popup() == PopupKind::Hint ? SDL_WINDOW_TOOLTIP : SDL_WINDOW_POPUP_MENU);
    const int scale = ScaleFitting(top);
    const gdi::POINT at = NativePosition(top, scale);
    SDL_Window* native =
        Sdl().CreateWindow(utf8::WellFormed(top.Caption()).c_str(), at.x, at.y, std::max(1, top.Width() * scale),
                           std::max(1, (top.Height() + bar) * scale), flags);
    if (!native) throw EOSError(std::string("SDL: ") + Sdl().GetError());
    state_->records[&top] = {.scale = scale, .origin = {top.Bounds().left, top.Bounds().top}, .titleBar = bar > 0};
    if (bar) Sdl().SetWindowHitTest(native, &SdlBackend::HitTest, this);
    // Making the surface now replaces the native window before anyone can see the first one.
    Sdl().GetWindowSurface(native);
    top.native = native;
    state_->byId[Sdl().GetWindowID(native)] = &top;
    ApplyIcon(top);
}

void SdlBackend::DestroyNative(Window& top) {
    SDL_Window* native = NativeOf(top);
    if (!native) return;
    const Uint32 id = Sdl().GetWindowID(native);
    state_->byId.erase(id);
    state_->drops.erase(id);  // a drop still in progress has no window left to go to
    state_->records.erase(&top);
    Sdl().DestroyWindow(native);
    top.native = nullptr;
}

void SdlBackend::UpdateNative(Window& top) {
    SDL_Window* native = NativeOf(top);
    if (!native) return;
    Sdl().SetWindowTitle(native, utf8::WellFormed(top.Caption()).c_str());
    const int bar = TitleBarHeight(top);
    Sdl().SetWindowBordered(native, top.Border() == BorderStyle::None || bar ? SDL_FALSE : SDL_TRUE);
    Sdl().SetWindowResizable(native, top.Border() == BorderStyle::Sizeable ? SDL_TRUE : SDL_FALSE);
    State::Record& record = state_->records[&top];
    const int scale = ScaleFitting(top);
    const gdi::RECT& b = top.Bounds();
    // Moved only when asked to go elsewhere than where it is: a window the user moved stays.
    if (scale != record.scale || b.left != record.origin.x || b.top != record.origin.y) {
        record.scale = scale;
        record.origin = {b.left, b.top};
        const gdi::POINT at = NativePosition(top, scale);
        Sdl().SetWindowPosition(native, at.x, at.y);
    }
    int w = 0, h = 0;
    Sdl().GetWindowSize(native, &w, &h);
    const int width = std::max(1, top.Width() * scale), height = std::max(1, (top.Height() + bar) * scale);
    if (w != width || h != height) Sdl().SetWindowSize(native, width, height);
}

void SdlBackend::ShowNative(Window& top, bool visible) {
    SDL_Window* native = NativeOf(top);
    if (!native) return;
    // A dialog stays above the window it was opened from (X11 reads that when the window is mapped).
    // Not on Wayland: there Weston left a dialog whose parent was set unseen, with the keyboard, in
    // about one run of six on a loaded machine; without it Weston shows a new window on top anyway.
    SDL_Window* owner = top.Owner() && top.Popup() == PopupKind::None ? NativeOf(*top.Owner()) : nullptr;
    if (visible) {
        if (owner && !state_->wayland) Sdl().SetWindowModalFor(native, owner);
        Sdl().ShowWindow(native);
        if (state_->wayland) Sdl().UpdateWindowSurface(native);
    } else {
        Sdl().HideWindow(native);
    }
}

FrameView SdlBackend::WithTitleBar(const Window& top, const FrameView& frame) {
    const State::Record& record = state_->records[&top];
    if (!record.titleBar) return frame;
    const std::vector<std::uint8_t> bar = DrawTitleBar(
        frame.width, {.caption = top.Caption(), .active = record.active, .closePressed = record.closeHeld});
    const std::size_t row = std::size_t(frame.width) * 4;
    std::vector<std::uint8_t>& titled = state_->titled;
    titled.assign(bar.begin(), bar.end());
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* line = frame.pixels + std::size_t(y) * frame.stride;
        titled.insert(titled.end(), line, line + row);
    }
    return {titled.data(), frame.width, frame.height + kTitleBarHeight, row};
}

void SdlBackend::Present(Window& top, const FrameView& client) {
    SDL_Window* native = NativeOf(top);
    if (!native || !client.pixels) return;
    SDL_Surface* surface = Sdl().GetWindowSurface(native);
    if (!surface) return;
    const int scale = ScaleOf(top);
    const FrameView frame = WithTitleBar(top, client);
    const std::uint8_t* pixels = frame.pixels;
    std::size_t stride = frame.stride;
    if (scale > 1) {
        stride = std::size_t(frame.width) * std::size_t(scale) * 4;
        state_->scaled.resize(stride * std::size_t(frame.height) * std::size_t(scale));
        ReplicatePixels(frame, scale, state_->scaled.data(), stride);
        pixels = state_->scaled.data();
    }
    const int width = std::min(frame.width * scale, surface->w);
    const int height = std::min(frame.height * scale, surface->h);
    Sdl().LockSurface(surface);
    Sdl().ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, pixels, int(stride), surface->format->format,
                        surface->pixels, surface->pitch);
    Sdl().UnlockSurface(surface);
    Sdl().UpdateWindowSurface(native);
}

void SdlBackend::FocusNative(Window& top) {
    SDL_Window* native = NativeOf(top);
    if (!native || !top.Visible()) return;
    Sdl().RaiseWindow(native);
    Sdl().SetWindowInputFocus(native);
}

std::optional<ScreenPlacement> SdlBackend::Placement(const Window& top) {
    auto* native = static_cast<SDL_Window*>(top.native);
    if (!native || state_->wayland) return std::nullopt;
    ScreenPlacement placement{.origin = {}, .scale = ScaleOf(top)};
    Sdl().GetWindowPosition(native, &placement.origin.x, &placement.origin.y);
    return placement;
}

void SdlBackend::PumpEvents(Desktop& desktop, Wait wait) {
    SDL_Event event;
    Feed(desktop, event, wait == Wait::Yes ? Sdl().WaitEvent(&event) == 1 : Sdl().PollEvent(&event) == 1);
}

void SdlBackend::PumpEventsUntil(Desktop& desktop, std::uint64_t deadline) {
    const std::uint64_t now = Milliseconds();
    const std::uint64_t left = deadline > now ? deadline - now : 0;
    SDL_Event event;
    Feed(desktop, event, Sdl().WaitEventTimeout(&event, int(std::min<std::uint64_t>(left, INT_MAX))) == 1);
}

std::uint64_t SdlBackend::Milliseconds() {
    return Sdl().GetTicks64();
}

void SdlBackend::TrackPlace(Desktop& desktop, Window& top) {
    if (state_->wayland) return;
    State::Record& record = state_->records[&top];
    gdi::POINT at;
    Sdl().GetWindowPosition(NativeOf(top), &at.x, &at.y);
    const gdi::POINT origin{ToFrameCoordinate(at.x, record.scale), ToFrameCoordinate(at.y, record.scale)};
    if (origin.x == record.origin.x && origin.y == record.origin.y) return;
    record.origin = origin;
    desktop.InputMoved(&top, origin);
}

void SdlBackend::PressCloseBox(Desktop& desktop, Window& top, gdi::POINT p, bool down) {
    State::Record& record = state_->records[&top];
    if (!record.titleBar) return;
    const gdi::POINT onBar{p.x, p.y + kTitleBarHeight};
    const bool inBox =
        onBar.y >= 0 && p.y < 0 && TitleBarPartAt(top.Width(), onBar) == TitleBarPart::CloseBox;
    if (down && !inBox) return;
    if (!down && !record.closeHeld) return;
    record.closeHeld = down;
    desktop.InputExposed(&top);
    // As a window manager's close box: the button goes up over it.
    if (!down && inBox) desktop.InputClose(&top);
}

void SdlBackend::ShowActive(Desktop& desktop, Window& top, bool active) {
    State::Record& record = state_->records[&top];
    if (!record.titleBar || record.active == active) return;
    record.active = active;
    desktop.InputExposed(&top);
}

void SdlBackend::Feed(Desktop& desktop, SDL_Event& event, bool have) {
    // Native positions are in scaled pixels; our windows think in those of their 1x frame, below
    // our title bar where there is one (a position on the bar is above the client area).
    auto toFrame = [this](HWND w, int x, int y) {
        const int scale = ScaleOf(*w);
        return gdi::POINT{ToFrameCoordinate(x, scale), ToFrameCoordinate(y, scale) - TitleBarHeight(*w)};
    };
    auto top = [&](Uint32 id) -> HWND {
        auto found = state_->byId.find(id);
        return found == state_->byId.end() ? nullptr : found->second;
    };
    while (have) {
        switch (event.type) {
            case SDL_MOUSEMOTION:
                if (HWND w = top(event.motion.windowID))
                    desktop.InputMouseMove(w, toFrame(w, event.motion.x, event.motion.y),
                                           ShiftFromSdl(Sdl().GetModState(), event.motion.state));
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (HWND w = top(event.button.windowID)) {
                    const gdi::POINT p = toFrame(w, event.button.x, event.button.y);
                    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
                    if (event.button.button == SDL_BUTTON_LEFT) PressCloseBox(desktop, *w, p, down);
                    desktop.InputMouseButton(w, p, ButtonFromSdl(event.button.button), down, event.button.clicks,
                                             ShiftFromSdl(Sdl().GetModState(), Sdl().GetMouseState(nullptr, nullptr)));
                }
                break;
            case SDL_MOUSEWHEEL:
                if (HWND w = top(event.wheel.windowID)) {
                    const int notches =
                        event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
                    desktop.InputMouseWheel(w, notches, ShiftFromSdl(Sdl().GetModState(), 0));
                }
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                state_->altKey =
                    event.type == SDL_KEYDOWN && (event.key.keysym.mod & KMOD_ALT) ? event.key.keysym.sym : 0;
                if (int key = KeyFromSdl(event.key.keysym.sym))
                    desktop.InputKey(key, event.type == SDL_KEYDOWN, ShiftFromSdl(event.key.keysym.mod, 0));
                break;
            case SDL_TEXTINPUT:
                if (!IsAltKeyText(std::exchange(state_->altKey, 0), event.text.text))
                    for (const char32_t c : utf8::Decoded(event.text.text)) desktop.InputChar(c);
                break;
            case SDL_WINDOWEVENT:
                if (HWND w = top(event.window.windowID)) {
                    // SDL keeps the client area's place on the screen from the window system's
                    // configure events (a window manager's reparenting and frame included).
                    TrackPlace(desktop, *w);
                    switch (event.window.event) {
                        case SDL_WINDOWEVENT_CLOSE: desktop.InputClose(w); break;
                        case SDL_WINDOWEVENT_FOCUS_GAINED:
                            desktop.InputActivate(w);
                            ShowActive(desktop, *w, true);
                            break;
                        case SDL_WINDOWEVENT_FOCUS_LOST: ShowActive(desktop, *w, false); break;
                        case SDL_WINDOWEVENT_EXPOSED: desktop.InputExposed(w); break;
                        default: break;
                    }
                }
                break;
            case SDL_DROPCOMPLETE: {
                auto gathered = state_->drops.find(event.drop.windowID);
                if (gathered == state_->drops.end()) break;
                std::vector<std::string> paths = std::move(gathered->second);
                state_->drops.erase(gathered);
                if (HWND w = top(event.drop.windowID)) desktop.InputDrop(w, std::move(paths));
                break;
            }
            default:
                break;
        }
        have = Sdl().PollEvent(&event) == 1;
    }
}

void SdlBackend::SetCursor(Cursor cursor) {
    if (SDL_Cursor* native = state_->cursors[int(cursor)]) Sdl().SetCursor(native);
}

void SdlBackend::SetClipboardText(const std::string& text) {
    Sdl().SetClipboardText(utf8::WellFormed(text).c_str());
}

std::string SdlBackend::ClipboardText() {
    char* text = Sdl().GetClipboardText();
    std::string result = text ? std::string(text) : std::string();
    Sdl().free(text);
    return result;
}

void SdlBackend::Beep() {
    // SDL has no bell; the terminal's bell is the nearest one when there is a terminal.
    if (::isatty(STDERR_FILENO)) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
}

bool SdlBackend::OpenUrl(const std::string& address) {
    return Sdl().OpenURL(utf8::WellFormed(address).c_str()) == 0;
}

gdi::SIZE SdlBackend::ScreenSize() {
    SDL_DisplayMode mode;
    if (Sdl().GetDesktopDisplayMode(0, &mode) != 0) return {1024, 768};
    // Our coordinates are those of the 1x frames.
    return {mode.w / state_->scale, mode.h / state_->scale};
}

gdi::SIZE SdlBackend::ScreenSizeOf(const Window& top) {
    const gdi::SIZE size = ScreenSize();
    const int scale = ScaleOf(top);
    return {size.cx * state_->scale / scale, size.cy * state_->scale / scale};
}

void SdlBackend::SetApplicationIcon(const IconImage& icon) {
    state_->icon = icon;
    for (auto& [id, top] : state_->byId) ApplyIcon(*top);
}

void SdlBackend::ApplyIcon(Window& top) {
    const IconImage& icon = state_->icon;
    if (icon.size <= 0 || icon.argb.size() != std::size_t(icon.size) * std::size_t(icon.size)) return;
    SDL_Surface* surface =
        Sdl().CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.argb.data()), icon.size,
                                             icon.size, 32, icon.size * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    Sdl().SetWindowIcon(NativeOf(top), surface);
    Sdl().FreeSurface(surface);
}

}  // namespace plexon::window
