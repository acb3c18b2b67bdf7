// Runs the install check against this build: the installed files, and the Debian validators on
// them; skipped, with the validator's name, when one is missing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

TEST(Install, LandsTheDesktopFilesAndPassesTheValidators) {
    namespace fs = std::filesystem;
    const fs::path script = fs::path(__FILE__).parent_path() / "install_check.sh";
    const std::string command =
        "bash '" + script.string() + "' '" + fs::path(PLEXON_BINARY).parent_path().string() + "' 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char chunk[4096];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
    const int raw = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(raw)) << output;
    if (WEXITSTATUS(raw) == 77) GTEST_SKIP() << output;
    EXPECT_EQ(WEXITSTATUS(raw), 0) << output;
}

}  // namespace
