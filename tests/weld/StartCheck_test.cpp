// The Start command's checks: their order, their texts, and the same-folder test under other spellings.
#include "weld/StartCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

class StartCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_ / "icons");
        fs::create_directories(root_ / "out");
    }

    std::string Folder(const std::string& relative) const { return (root_ / relative).string() + "/"; }

    test::TempFolder temp_;
    fs::path root_ = temp_.PathWithoutDelimiter();
};

TEST_F(StartCheckTest, AcceptsDistinctExistingFolders) {
    EXPECT_EQ(CheckStart({Folder("icons"), 3, Folder("out")}), std::nullopt);
}

TEST_F(StartCheckTest, RefusesWithoutFilesWhateverTheOutput) {
    EXPECT_EQ(CheckStart({Folder("icons"), 0, Folder("out")}), StartRefusal::NoImages);
    EXPECT_EQ(CheckStart({Folder("icons"), 0, Folder("missing")}), StartRefusal::NoImages);
    EXPECT_EQ(CheckStart({Folder("icons"), 0, Folder("icons")}), StartRefusal::NoImages);
}

TEST_F(StartCheckTest, RefusesAMissingSourceFolder) {
    EXPECT_EQ(CheckStart({Folder("gone"), 2, Folder("out")}), StartRefusal::NoImages);
    EXPECT_EQ(CheckStart({"Click Browse to choose images", 2, Folder("out")}), StartRefusal::NoImages);
}

TEST_F(StartCheckTest, RefusesAMissingOrNonFolderOutput) {
    EXPECT_EQ(CheckStart({Folder("icons"), 1, Folder("missing")}), StartRefusal::NoOutputFolder);
    EXPECT_EQ(CheckStart({Folder("icons"), 1, ""}), StartRefusal::NoOutputFolder);
    fs::path file = root_ / "plain";
    { std::ofstream(file) << "x"; }
    EXPECT_EQ(CheckStart({Folder("icons"), 1, file.string()}), StartRefusal::NoOutputFolder);
}

TEST_F(StartCheckTest, RefusesTheSameFolderWrittenAlike) {
    EXPECT_EQ(CheckStart({Folder("icons"), 1, Folder("icons")}), StartRefusal::SameFolder);
}

TEST_F(StartCheckTest, RefusesTheSameFolderSpelledThroughDotDot) {
    EXPECT_EQ(CheckStart({Folder("icons"), 1, Folder("out/../icons")}), StartRefusal::SameFolder);
    EXPECT_EQ(CheckStart({Folder("icons"), 1, (root_ / "icons").string()}), StartRefusal::SameFolder);
}

TEST_F(StartCheckTest, RefusesTheSameFolderReachedThroughALink) {
    fs::create_directory_symlink(root_ / "icons", root_ / "alias");
    EXPECT_EQ(CheckStart({Folder("icons"), 1, Folder("alias")}), StartRefusal::SameFolder);
    EXPECT_EQ(CheckStart({Folder("alias"), 1, Folder("icons")}), StartRefusal::SameFolder);
}

TEST_F(StartCheckTest, ASubfolderOfTheSourceIsAnotherFolder) {
    fs::create_directories(root_ / "icons" / "strips");
    EXPECT_EQ(CheckStart({Folder("icons"), 1, Folder("icons/strips")}), std::nullopt);
}

TEST(StartRefusalText, GivesTheProgramsTexts) {
    EXPECT_EQ(RefusalText(StartRefusal::NoImages), "Please select some images to join.");
    EXPECT_EQ(RefusalText(StartRefusal::NoOutputFolder),
              "Please select a folder to save the images to to join.");
    EXPECT_EQ(RefusalText(StartRefusal::SameFolder),
              "You cannot create the images in the same folder as the source images.");
}

}  // namespace
}  // namespace plexon
