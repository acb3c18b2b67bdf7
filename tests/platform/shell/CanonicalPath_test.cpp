// CanonicalPath: one spelling for differently written paths; folders end in "/"; missing paths give none.
#include "platform/shell/CanonicalPath.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace plexon {
namespace {

TEST(CanonicalPath, FolderEndsInDelimiterHoweverWritten) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "icons");
    const auto plain = CanonicalPath(folder / "icons");
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->back(), '/');
    EXPECT_EQ(CanonicalPath(folder / "icons/"), plain);
    EXPECT_EQ(CanonicalPath(folder / "icons/./../icons//"), plain);
}

TEST(CanonicalPath, LinkResolvesToItsTarget) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "icons");
    std::filesystem::create_directory_symlink(folder / "icons", folder / "alias");
    EXPECT_EQ(CanonicalPath(folder / "alias/"), CanonicalPath(folder / "icons/"));
}

TEST(CanonicalPath, FileHasNoTrailingDelimiter) {
    test::TempFolder folder;
    const std::string file = folder.WriteFile("Open.bmp", "x");
    const auto canonical = CanonicalPath(file);
    ASSERT_TRUE(canonical.has_value());
    EXPECT_EQ(std::filesystem::path(*canonical).filename(), "Open.bmp");
    EXPECT_EQ(canonical->back(), 'p');
}

TEST(CanonicalPath, MissingOrEmptyPathGivesNone) {
    test::TempFolder folder;
    EXPECT_FALSE(CanonicalPath(folder / "missing/").has_value());
    EXPECT_FALSE(CanonicalPath("").has_value());
}

TEST(CanonicalPath, RootStaysOneDelimiter) {
    EXPECT_EQ(CanonicalPath("/"), std::optional<std::string>("/"));
}

}  // namespace
}  // namespace plexon
