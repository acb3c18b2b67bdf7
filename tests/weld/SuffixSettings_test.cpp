// Suffix letters through the settings file: defaults, values kept exactly, write order, new files and
// folders, and the documented error.
#include "weld/SuffixSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/Exceptions.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

std::string Read(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

TEST(LoadSuffixSettings, MissingFileGivesTheDefaultLetters) {
    test::TempFolder folder;
    EXPECT_EQ(LoadSuffixSettings(folder / "config.ini"), (SuffixSettings{"h", "d", "p"}));
}

TEST(LoadSuffixSettings, MissingKeysGiveTheirDefaultsAndEmptyStaysEmpty) {
    test::TempFolder folder;
    const std::string path = folder.WriteFile("config.ini", "[FileSuffix]\nHotFile=\nPressedFile=hh\n");
    EXPECT_EQ(LoadSuffixSettings(path), (SuffixSettings{"", "d", "hh"}));
}

TEST(LoadSuffixSettings, OtherSectionIsNotRead) {
    test::TempFolder folder;
    const std::string path = folder.WriteFile("config.ini", "[Suffix]\nHotFile=x\n");
    EXPECT_EQ(LoadSuffixSettings(path), SuffixSettings{});
}

TEST(SaveSuffixSettings, CreatesTheFileWithAllThreeKeysInOrder) {
    test::TempFolder folder;
    SaveSuffixSettings(folder / "config.ini", SuffixSettings{});
    EXPECT_EQ(Read(folder / "config.ini"), "[FileSuffix]\nHotFile=h\nDisabledFile=d\nPressedFile=p\n");
}

TEST(SaveSuffixSettings, WritesBackUnusualValuesUnchanged) {
    test::TempFolder folder;
    const std::string path = folder.WriteFile(
        "config.ini", "[Window]\nLeft=3\n[FileSuffix]\nPressedFile=q\nHotFile=hh\nDisabledFile=\n");
    const SuffixSettings loaded = LoadSuffixSettings(path);
    SaveSuffixSettings(path, loaded);
    EXPECT_EQ(Read(path), "[Window]\nLeft=3\n[FileSuffix]\nPressedFile=q\nHotFile=hh\nDisabledFile=\n");
    EXPECT_EQ(LoadSuffixSettings(path), loaded);
}

TEST(SaveSuffixSettings, CreatesMissingFolders) {
    test::TempFolder folder;
    const std::string path = folder / "config/tesvo-plexon/config.ini";
    SaveSuffixSettings(path, SuffixSettings{"1", "2", "3"});
    EXPECT_EQ(LoadSuffixSettings(path), (SuffixSettings{"1", "2", "3"}));
}

TEST(SaveSuffixSettings, UnwritableFileRaisesWithItsFullPath) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "config.ini");
    try {
        SaveSuffixSettings(folder / "config.ini", SuffixSettings{});
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + folder / "config.ini");
    }
}

}  // namespace
}  // namespace plexon
