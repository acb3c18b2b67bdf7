// Runs a screen reader's session with the real window (a11y_session.sh) against the built program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(ScreenReader, AWholeWeldThroughTheAccessibilityBus) {
    const std::filesystem::path script = std::filesystem::path(__FILE__).parent_path() / "a11y_session.sh";
    const std::string command = "bash '" + script.string() + "' '" + PLEXON_BINARY + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
}

}  // namespace
