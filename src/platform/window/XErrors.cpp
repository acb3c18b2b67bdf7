// Our Xlib error handler and the choice of errors it ignores. It never talks to the X server itself,
// and it loads Xlib only when a display is named (the same library SDL loads, so one handler table).
#include "platform/window/XErrors.h"

#include <cstdlib>
#include <cstring>

#ifdef PLEXON_HAVE_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "runtime/SharedLibrary.h"
#endif

namespace plexon::window {

namespace {

// Core protocol error and request codes; fixed by the protocol, so they need no X headers.
constexpr int kBadWindow = 3, kBadMatch = 8, kBadDrawable = 9;
constexpr int kChangeWindowAttributes = 2, kConfigureWindow = 12, kSetInputFocus = 42;

#ifdef PLEXON_HAVE_X11
static_assert(kBadWindow == BadWindow && kBadMatch == BadMatch && kBadDrawable == BadDrawable);
static_assert(kChangeWindowAttributes == X_ChangeWindowAttributes && kConfigureWindow == X_ConfigureWindow &&
              kSetInputFocus == X_SetInputFocus);

struct HandlerState {
    decltype(&::XSetErrorHandler) set = nullptr;
    std::atomic<XErrorHandler> next{nullptr};  // the handler that was current before ours
    bool debug = false;
    bool installed = false;
};

HandlerState& State() {
    static HandlerState state;
    return state;
}

int IgnoreGoneWindows(Display* display, XErrorEvent* error) {
    HandlerState& state = State();
    if (IsGoneWindowError(error->error_code, error->request_code)) {
        if (state.debug)
            std::fprintf(stderr, "plexon: ignored X error %d (request %d, resource 0x%lx)\n",
                         int(error->error_code), int(error->request_code), error->resourceid);
        return 0;
    }
    XErrorHandler next = state.next.load();
    return next ? next(display, error) : 0;
}
#endif

}  // namespace

bool IsGoneWindowError(int errorCode, int requestCode) {
    if (errorCode == kBadWindow || errorCode == kBadDrawable) return true;
    return errorCode == kBadMatch && (requestCode == kSetInputFocus || requestCode == kConfigureWindow ||
                                      requestCode == kChangeWindowAttributes);
}

void InstallXErrorHandler() {
#ifdef PLEXON_HAVE_X11
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return;
    std::string reason;
    void* xlib = OpenLibrary("libX11.so.6", reason);
    if (!xlib) return;
    auto set = LibraryFunctionAs<decltype(&::XSetErrorHandler)>(xlib, "XSetErrorHandler", reason);
    if (!set) return;
    HandlerState& state = State();
    state.set = set;
    const char* debug = std::getenv("PLEXON_DEBUG_X");
    state.debug = debug && *debug;
    const XErrorHandler previous = set(&IgnoreGoneWindows);
    // Installed again (a second back end): the chain stays as it was, never ours after ours.
    if (previous != &IgnoreGoneWindows) state.next = previous;
    state.installed = true;
#endif
}

void KeepXErrorHandlerFor(const char* videoDriver) {
#ifdef PLEXON_HAVE_X11
    HandlerState& state = State();
    if (!state.installed || (videoDriver && std::strcmp(videoDriver, "x11") == 0)) return;
    state.installed = false;
    // Only our own place is given back; a handler someone put over ours stays.
    const XErrorHandler current = state.set(state.next.load());
    if (current != &IgnoreGoneWindows) state.set(current);
#else
    (void)videoDriver;
#endif
}

}  // namespace plexon::window
