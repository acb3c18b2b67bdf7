// Finding librsvg, cairo and the GLib functions they need in the libraries at run time, once.
#include "graphics/SvgLibrary.h"

#include <optional>

#include "graphics/SanitizerBuild.h"
#include "runtime/Exceptions.h"
#include "runtime/SharedLibrary.h"

namespace plexon {

namespace {

constexpr const char* kLibraries[] = {"librsvg-2.so.2", "libcairo.so.2", "libgio-2.0.so.0",
                                      "libgobject-2.0.so.0", "libglib-2.0.so.0"};

// The loaded table, or the reason it could not be loaded; tried once per process.
struct LoadedSvg {
    SvgFunctions functions;
    std::string failure;
};

LoadedSvg Load() {
    LoadedSvg loaded;
    void* libraries[std::size(kLibraries)] = {};
    for (std::size_t i = 0; i < std::size(kLibraries); ++i) {
        std::string reason;
        if (!(libraries[i] = OpenLibrary(kLibraries[i], reason))) {
            loaded.failure = reason;
            return loaded;
        }
    }
    // Each name is looked for in the library that defines it; the order of kLibraries decides.
    const auto find = [&](const char* name) -> void* {
        std::string reason;
        for (void* library : libraries)
            if (void* function = LibraryFunction(library, name, reason)) return function;
        if (loaded.failure.empty()) loaded.failure = reason;
        return nullptr;
    };
#define PLEXON_SVG_FIND(name) loaded.functions.name = reinterpret_cast<decltype(&::name)>(find(#name));
    PLEXON_SVG_FUNCTIONS(PLEXON_SVG_FIND)
#undef PLEXON_SVG_FIND
    return loaded;
}

}  // namespace

const SvgFunctions& SvgLibrary(const std::string& path) {
    static const LoadedSvg loaded = Load();
    if (!loaded.failure.empty())
        throw EInvalidGraphic("SVG images cannot be rendered: " + loaded.failure, path,
                              "cannot render SVG: " + loaded.failure);
    return loaded.functions;
}

}  // namespace plexon

#if PLEXON_ADDRESS_SANITIZER
// The XML parser behind librsvg keeps some of what it allocated for a document it refuses (an entity
// loop); that memory is the parser's, not ours to free, and the sanitizer's leak check must not fail
// a run over it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libxml2.so\n";
}
#endif
