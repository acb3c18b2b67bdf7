// DirectoryExists: true for folders (with or without the trailing "/", through links), false otherwise;
// file identities and folder listings.
#include "platform/shell/FileAttributes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "support/TempFolder.h"

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

TEST(PathExists, AnythingAtThePathEvenADanglingLink) {
    test::TempFolder folder;
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling");
    EXPECT_TRUE(PathExists(folder.WriteFile("Open.bmp", "x")));
    EXPECT_TRUE(PathExists(folder.Path()));
    EXPECT_TRUE(PathExists(folder / "dangling"));
    EXPECT_FALSE(PathExists(folder / "nowhere"));
    EXPECT_TRUE(IsWritableFolder(folder.Path()));
    EXPECT_FALSE(IsWritableFolder(folder / "nowhere/"));
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

// Looked up one by one or answered from one listing of their folder, the facts are the same.
TEST(LookUpPaths, AListingTellsWhatLookUpsTell) {
    test::TempFolder folder;
    const std::string file = folder.WriteFile("Open.bmp", "x");
    folder.WriteFile("Save.bmp", "y");
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_symlink(file, folder / "link.bmp");
    std::filesystem::create_directory_symlink(folder / "sub", folder / "sublink");
    const std::vector<std::string> paths = {
        file, folder / "Save.bmp", folder / "sub", folder / "sub/", folder / "link.bmp", folder / "sublink",
        folder / "missing.bmp", folder / "sub/../Open.bmp", "", file, folder / "sub/none/x.bmp"};
    auto expected = [](const std::string& path) {
        const std::optional<FileIdentity> id = IdentityOf(path);
        return std::tuple{id.has_value(), DirectoryExists(path), id.value_or(FileIdentity{})};
    };
    for (std::size_t listingFrom : {std::size_t(1), std::size_t(1000)}) {
        const std::vector<PathFacts> facts = LookUpPaths(paths, listingFrom, std::size_t(1) << 20);
        ASSERT_EQ(facts.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(std::tuple(facts[i].exists, facts[i].folder, facts[i].identity), expected(paths[i]))
                << paths[i] << " listing from " << listingFrom;
    }
}

}  // namespace
}  // namespace plexon
