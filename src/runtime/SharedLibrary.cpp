// Thin wrapper over the dynamic loader, turning its thread-local error state into a returned reason.
#include "runtime/SharedLibrary.h"

#include <dlfcn.h>

namespace plexon {

namespace {

std::string LoaderError() {
    const char* error = ::dlerror();
    return error ? error : "unknown loader error";
}

}  // namespace

void* OpenLibrary(const char* soname, std::string& reason) {
    // Local binding: the library's names stay out of the global namespace other libraries see.
    void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library) reason = LoaderError();
    return library;
}

void* LibraryFunction(void* library, const char* name, std::string& reason) {
    ::dlerror();  // drop an older error, so the reason is this lookup's
    void* function = ::dlsym(library, name);
    if (!function) reason = LoaderError();
    return function;
}

}  // namespace plexon
