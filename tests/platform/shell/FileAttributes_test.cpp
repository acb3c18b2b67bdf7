// DirectoryExists: true for folders (with or without the trailing "/", through links), false otherwise;
// file identities and folder listings.
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

TEST(IdentityOf, SameFileUnderEverySpellingAndLink) {
    test::TempFolder folder;
    const std::string file = folder.WriteFile("Open.bmp", "x");
    const std::string other = folder.WriteFile("Save.bmp", "x");
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_symlink(file, folder / "link.bmp");
    ASSERT_TRUE(IdentityOf(file));
    EXPECT_EQ(IdentityOf(folder / "sub/../Open.bmp"), IdentityOf(file));
    EXPECT_EQ(IdentityOf(folder / "link.bmp"), IdentityOf(file));
    EXPECT_NE(IdentityOf(other), IdentityOf(file));
    EXPECT_FALSE(IdentityOf(folder / "missing.bmp"));
}

TEST(NamesInFolder, EveryNameOrNoneForAFolderThatCannotBeListed) {
    test::TempFolder folder;
    folder.WriteFile("Open.bmp", "x");
    std::filesystem::create_directory(folder / "sub");
    const std::optional<std::unordered_set<std::string>> names = NamesInFolder(folder.Path());
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::unordered_set<std::string>{".", "..", "Open.bmp", "sub"}));
    EXPECT_FALSE(NamesInFolder(folder / "missing/"));
    EXPECT_TRUE(NamesInFolder(""));
}

}  // namespace
}  // namespace plexon
