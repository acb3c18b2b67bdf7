// Loading SDL's function table from its shared library; nothing here calls SDL.
#include "platform/window/SdlLibrary.h"

#include <string>

#include "runtime/SharedLibrary.h"
#include "runtime/Exceptions.h"

namespace plexon::window {

SdlFunctions LoadSdlFunctions(const char* soname) {
    std::string reason;
    void* library = OpenLibrary(soname, reason);
    if (!library) throw EOSError(std::string("SDL: cannot load ") + soname + ": " + reason);
    SdlFunctions sdl;
#define PLEXON_SDL_LOAD(name)                                                        \
    sdl.name = LibraryFunctionAs<decltype(sdl.name)>(library, "SDL_" #name, reason); \
    if (!sdl.name) throw EOSError(std::string("SDL: ") + soname + " lacks SDL_" #name ": " + reason);
    PLEXON_SDL_FUNCTIONS(PLEXON_SDL_LOAD)
#undef PLEXON_SDL_LOAD
    return sdl;
}

const SdlFunctions& Sdl() {
    // A failed load leaves the static unset, so a later back end tries again and reports again.
    static const SdlFunctions sdl = LoadSdlFunctions(kSdlLibrary);
    return sdl;
}

}  // namespace plexon::window
