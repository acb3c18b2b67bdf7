// Runs the real-window smoke script against the built program; skipped without Xvfb or xdotool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(XvfbSmoke, TheDemoWindowReactsToClicksAndExitsCleanly) {
    const std::filesystem::path script = std::filesystem::path(__FILE__).parent_path() / "xvfb_smoke.sh";
    const std::string command = "bash '" + script.string() + "' '" + PLEXON_BINARY + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    if (WEXITSTATUS(raw) == 77) GTEST_SKIP() << "Xvfb or xdotool missing";
    EXPECT_EQ(WEXITSTATUS(raw), 0);
}

}  // namespace
