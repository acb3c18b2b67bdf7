// Runs the real-window smoke script against the built program; skipped without Xvfb, openbox, xdotool
// or python3-xlib.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(XvfbSmoke, TheDemoWindowReactsToClicksAndExitsCleanly) {
    const std::filesystem::path script = std::filesystem::path(__FILE__).parent_path() / "xvfb_smoke.sh";
#ifdef PLEXON_CURSOR_PROBE
    const std::string probe = PLEXON_CURSOR_PROBE;
#else
    const std::string probe;
#endif
    const std::string command = "bash '" + script.string() + "' '" + PLEXON_BINARY + "' '" + probe + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    if (WEXITSTATUS(raw) == 77) GTEST_SKIP() << "Xvfb, openbox, xdotool or python3-xlib missing";
    EXPECT_EQ(WEXITSTATUS(raw), 0);
}

}  // namespace
