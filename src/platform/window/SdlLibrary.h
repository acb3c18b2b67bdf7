// The SDL2 functions the window back end calls, looked up in SDL's shared library when the back end
// first starts: the batch commands then never load SDL2, X11 and the many libraries behind them.
// SDL's headers still give every type, constant and signature; this only replaces the linking.
#pragma once

#include <SDL.h>

namespace plexon::window {

// The SDL2 run-time library's soname.
inline constexpr const char* kSdlLibrary = "libSDL2-2.0.so.0";

// Every SDL function SdlBackend uses, without the SDL_ prefix. Each is a real exported function in
// SDL2 (not one of its macros, such as SDL_GetEventState), so the loader can find it by name.
#define PLEXON_SDL_FUNCTIONS(X)       \
    X(ConvertPixels)                  \
    X(CreateRGBSurfaceWithFormatFrom) \
    X(CreateSystemCursor)             \
    X(CreateWindow)                   \
    X(DestroyWindow)                  \
    X(EventState)                     \
    X(free)                           \
    X(FreeCursor)                     \
    X(FreeSurface)                    \
    X(GetClipboardText)               \
    X(GetCurrentVideoDriver)          \
    X(GetDesktopDisplayMode)          \
    X(GetDisplayUsableBounds)         \
    X(GetError)                       \
    X(GetModState)                    \
    X(GetMouseState)                  \
    X(GetTicks64)                     \
    X(GetWindowID)                    \
    X(GetWindowPosition)              \
    X(GetWindowSize)                  \
    X(GetWindowSurface)               \
    X(HideWindow)                     \
    X(Init)                           \
    X(LockSurface)                    \
    X(OpenURL)                        \
    X(PollEvent)                      \
    X(Quit)                           \
    X(RaiseWindow)                    \
    X(SetClipboardText)               \
    X(SetCursor)                      \
    X(SetEventFilter)                 \
    X(SetHint)                        \
    X(SetWindowBordered)              \
    X(SetWindowHitTest)               \
    X(SetWindowIcon)                  \
    X(SetWindowInputFocus)            \
    X(SetWindowModalFor)              \
    X(SetWindowPosition)              \
    X(SetWindowResizable)             \
    X(SetWindowSize)                  \
    X(SetWindowTitle)                 \
    X(ShowWindow)                     \
    X(StartTextInput)                 \
    X(UnlockSurface)                  \
    X(UpdateWindowSurface)            \
    X(WaitEvent)                      \
    X(WaitEventTimeout)

struct SdlFunctions {
#define PLEXON_SDL_POINTER(name) decltype(&::SDL_##name) name = nullptr;
    PLEXON_SDL_FUNCTIONS(PLEXON_SDL_POINTER)
#undef PLEXON_SDL_POINTER
};

// The table from SDL's library, loaded on the first call (once, whichever thread asks first).
// EOSError naming the library and the loader's reason when it or one of the functions is missing.
const SdlFunctions& Sdl();

// The table from the library of that soname; the same errors. Sdl() is this with kSdlLibrary.
SdlFunctions LoadSdlFunctions(const char* soname);

}  // namespace plexon::window
