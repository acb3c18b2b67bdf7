// Loading SDL's function table at run time: a missing library or function is an EOSError that names
// it, and the real library fills every entry with SDL's own function.
#include "platform/window/SdlLibrary.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/Exceptions.h"

namespace plexon::window {
namespace {

TEST(SdlLibrary, MissingLibraryOrFunctionIsAnErrorNamingIt) {
    struct Case {
        const char* soname;
        std::string expected;
    } cases[] = {
        {"libplexon-no-such-library.so.0", "SDL: cannot load libplexon-no-such-library.so.0: "},
        {"libc.so.6", "SDL: libc.so.6 lacks SDL_ConvertPixels: "},
    };
    for (const Case& c : cases) {
        try {
            LoadSdlFunctions(c.soname);
            ADD_FAILURE() << c.soname << " loaded";
        } catch (const EOSError& e) {
            // The loader's own reason follows.
            EXPECT_EQ(e.Message().substr(0, c.expected.size()), c.expected);
            EXPECT_GT(e.Message().size(), c.expected.size()) << e.Message();
        }
    }
}

TEST(SdlLibrary, TheRealLibraryGivesSdlsOwnFunctions) {
    // This test program links SDL, so the loader hands out the very functions it linked.
    const SdlFunctions& sdl = Sdl();
#define PLEXON_EXPECT_SAME(name) EXPECT_EQ(sdl.name, &::SDL_##name) << #name;
    PLEXON_SDL_FUNCTIONS(PLEXON_EXPECT_SAME)
#undef PLEXON_EXPECT_SAME
}

}  // namespace
}  // namespace plexon::window
