// The executable path names this test program's own file.
#include "platform/shell/ExecutablePath.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace plexon {
namespace {

TEST(ExecutablePath, NamesTheRunningProgram) {
    const auto path = ExecutablePath();
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->front(), '/');
    EXPECT_EQ(std::filesystem::path(*path).filename(), "shell_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(*path));
}

}  // namespace
}  // namespace plexon
