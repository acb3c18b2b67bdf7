// DirectoryExists: true for folders (with or without the trailing "/", through links), false otherwise.
#include "platform/shell/FileAttributes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/shell/TempFolder.h"

namespace plexon {
namespace {

TEST(DirectoryExists, FolderWithOrWithoutTrailingDelimiter) {
    test::TempFolder folder;
    EXPECT_TRUE(DirectoryExists(folder.Path()));
    EXPECT_TRUE(DirectoryExists(folder.Path().substr(0, folder.Path().size() - 1)));
}

TEST(DirectoryExists, LinkToFolderCounts) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    std::filesystem::create_directory_symlink(folder / "real", folder / "link");
    EXPECT_TRUE(DirectoryExists(folder / "link"));
}

TEST(DirectoryExists, FileMissingPathAndEmptyTextAreNotFolders) {
    test::TempFolder folder;
    const std::string file = folder.WriteFile("Open.bmp", "x");
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(DirectoryExists(file + "/"));
    EXPECT_FALSE(DirectoryExists(folder / "missing/"));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_FALSE(DirectoryExists("Please select a folder"));
}

}  // namespace
}  // namespace plexon
