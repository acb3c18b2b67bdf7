// Opening a shared library by its soname at run time and finding its functions, for the libraries
// only some runs need (the window system, SVG rendering). It does not close libraries: they stay
// loaded until the process ends.
#pragma once

#include <string>

namespace plexon {

// The library, loaded with every symbol bound now; nullptr and the loader's reason in reason when it
// cannot be loaded. Opening it again gives the same handle.
void* OpenLibrary(const char* soname, std::string& reason);

// The address of the named function in library; nullptr and the loader's reason when it has none.
void* LibraryFunction(void* library, const char* name, std::string& reason);

// The same, typed as the function pointer F (the caller's declaration decides the signature).
template <class F>
F LibraryFunctionAs(void* library, const char* name, std::string& reason) {
    return reinterpret_cast<F>(LibraryFunction(library, name, reason));
}

}  // namespace plexon
