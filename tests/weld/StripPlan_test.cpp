// Planning the strips of a run: groups of consecutive base names, returning names, and the refusal
// to overwrite a source file however it is reached.
#include "weld/StripPlan.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;

TEST(PlanStrips, OneStripPerRunOfABaseName) {
    std::vector<std::string> files{"i/Open.bmp", "i/Open_h.bmp", "i/Save.bmp", "i/Save_d.bmp"};
    std::vector<PlannedStrip> strips = PlanStrips(files, SuffixSettings{}, "out/");
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_EQ(strips[0].baseName, "Open");
    EXPECT_EQ(strips[0].outputPath, "out/Open.bmp");
    EXPECT_EQ(strips[0].firstFile, 0u);
    EXPECT_FALSE(strips[0].returns);
    EXPECT_EQ(strips[1].outputPath, "out/Save.bmp");
    EXPECT_EQ(strips[1].firstFile, 2u);
}

TEST(PlanStrips, MarksABaseNameThatComesBack) {
    std::vector<std::string> files{"Open.bmp", "Save.bmp", "Open_h.bmp", "Save_h.bmp", "New.bmp"};
    std::vector<PlannedStrip> strips = PlanStrips(files, SuffixSettings{}, "o/");
    ASSERT_EQ(strips.size(), 5u);
    EXPECT_FALSE(strips[0].returns);
    EXPECT_FALSE(strips[1].returns);
    EXPECT_TRUE(strips[2].returns);
    EXPECT_EQ(strips[2].baseName, "Open");
    EXPECT_TRUE(strips[3].returns);
    EXPECT_FALSE(strips[4].returns);
}

TEST(PlanStrips, UsesTheSuffixLetters) {
    std::vector<std::string> files{"Go.bmp", "Go_x.bmp", "Go_h.bmp"};
    std::vector<PlannedStrip> withX = PlanStrips(files, SuffixSettings{"x", "d", "p"}, "o/");
    ASSERT_EQ(withX.size(), 2u);
    EXPECT_EQ(withX[1].baseName, "Go_h");
    std::vector<PlannedStrip> plain = PlanStrips(files, SuffixSettings{}, "o/");
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_EQ(plain[1].baseName, "Go_x");
    EXPECT_TRUE(plain[2].returns);
}

class SourceOverwriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t_.MakeFolder("icons");
        t_.MakeFolder("out");
        files_ = {t_.WriteFile("icons/Open.bmp", "o"), t_.WriteFile("icons/Open_h.bmp", "h")};
    }
    std::optional<SourceOverwrite> Check(const std::string& outputFolder) {
        return FindSourceOverwrite(PlanStrips(files_, SuffixSettings{}, outputFolder), files_);
    }
    TempFolder t_;
    std::vector<std::string> files_;
};

TEST_F(SourceOverwriteTest, NoneInAFreshFolder) {
    EXPECT_FALSE(Check(t_ / "out/"));
}

TEST_F(SourceOverwriteTest, AnUnrelatedExistingStripIsNoSource) {
    t_.WriteFile("out/Open.bmp", "old strip");
    EXPECT_FALSE(Check(t_ / "out/"));
}

TEST_F(SourceOverwriteTest, CatchesTheSourceFolderUnderAnotherSpelling) {
    std::optional<SourceOverwrite> hit = Check(t_ / "out/../icons/");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->outputPath, t_ / "out/../icons/Open.bmp");
    EXPECT_EQ(hit->sourcePath, t_ / "icons/Open.bmp");
}

TEST_F(SourceOverwriteTest, CatchesALinkToASourceFile) {
    std::filesystem::create_symlink(t_ / "icons/Open_h.bmp", t_ / "out/Open.bmp");
    std::optional<SourceOverwrite> hit = Check(t_ / "out/");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->sourcePath, t_ / "icons/Open_h.bmp");
}

TEST_F(SourceOverwriteTest, CatchesAHardLinkToASourceFile) {
    std::filesystem::create_hard_link(t_ / "icons/Open.bmp", t_ / "out/Open.bmp");
    EXPECT_TRUE(Check(t_ / "out/"));
}

TEST_F(SourceOverwriteTest, CatchesASourceInsideTheOutputFolder) {
    files_.push_back(t_.WriteFile("out/Save.bmp", "s"));
    std::optional<SourceOverwrite> hit = Check(t_ / "out/");
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->outputPath, t_ / "out/Save.bmp");
}

// Enough strips for the folder to be listed: a listing shows the file a bind mount covers, so the
// identity must come from the file on both sides.
TEST_F(SourceOverwriteTest, CatchesABindMountedSourceAmongManyStrips) {
    for (int i = 0; i < 70; ++i) {
        files_.push_back(t_.WriteFile("icons/I" + std::to_string(i) + ".bmp", "i"));
        t_.WriteFile("out/I" + std::to_string(i) + ".bmp", "old strip");
    }
    if (::geteuid() != 0 ||
        ::mount((t_ / "icons/Open.bmp").c_str(), (t_ / "out/I7.bmp").c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "a bind mount needs the superuser";
    const std::optional<SourceOverwrite> hit = Check(t_ / "out/");
    ::umount((t_ / "out/I7.bmp").c_str());
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->outputPath, t_ / "out/I7.bmp");
}

TEST(FindOverlongName, NamesTheFirstStripTooLongForTheFolder) {
    TempFolder t;
    const std::string longest(251, 'a');  // with ".bmp", as long as a name may be
    const std::vector<std::string> files{"i/" + longest, "i/" + longest + "b", "i/" + longest + "c"};
    const std::vector<PlannedStrip> strips = PlanStrips(files, SuffixSettings{}, t.Path());
    EXPECT_EQ(FindOverlongName({strips[0]}, t.Path()), nullptr);
    ASSERT_NE(FindOverlongName(strips, t.Path()), nullptr);
    EXPECT_EQ(FindOverlongName(strips, t.Path())->outputPath, t / (longest + "b.bmp"));
}

}  // namespace
}  // namespace plexon
