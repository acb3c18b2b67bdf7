// The folder chooser component: defaults, the chosen folder kept and preselected next time,
// cancel keeping it, only existing folders confirmed, the root as an answer.
#include "forms/BrowseDialog.h"

#include <filesystem>

#include "ChooserTestSupport.h"
#include "platform/shell/Folders.h"
#include "runtime/PathText.h"

namespace plexon::test {
namespace {

class BrowseDialog : public ChooserTest {
  protected:
    void SetUp() override {
        ChooserTest::SetUp();
        std::filesystem::create_directory(folders / "out put");
        dialog = new TPxBrowseDlg(&Application());
    }
    void TearDown() override {
        delete dialog;
        ChooserTest::TearDown();
    }
    TempFolder folders;
    TPxBrowseDlg* dialog = nullptr;
};

TEST_F(BrowseDialog, ComesWithTheDocumentedDefaults) {
    EXPECT_EQ(dialog->Options(), (TBrowseOptions{doReturnFileSysDirs, doShowPath}));
    EXPECT_EQ(dialog->StartFolder(), bfoDesktopExpanded);
    EXPECT_EQ(dialog->Position(), bpCenter);
    EXPECT_EQ(dialog->Caption(), "");
    EXPECT_EQ(dialog->StatusText(), "");
    EXPECT_EQ(dialog->SelectedFolder(), "");
}

TEST_F(BrowseDialog, TheChosenFolderIsKeptAndCancelLeavesItAsItWas) {
    const std::string out = folders / "out put";
    Script(out + "\n\n");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->SelectedFolder(), out);
    EXPECT_EQ(dialog->DisplayName(), "out put");
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->SelectedFolder(), out);
}

TEST_F(BrowseDialog, TheRootIsAFolderThatAlreadyEndsInTheDelimiter) {
    Script("/\n");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->SelectedFolder(), "/");
    EXPECT_EQ(dialog->DisplayName(), "/");
}

TEST_F(BrowseDialog, OnlyExistingFoldersCanBeConfirmed) {
    const std::string file = folders.WriteFile("plain.bmp", "x");
    Script(file + "\n" + folders / "missing" + "\n" + folders.Path() + "\ta\n");
    EXPECT_FALSE(dialog->Execute());
    EXPECT_FALSE(dialog->Execute());
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->SelectedFolder(), "");
}

TEST_F(BrowseDialog, TheSecondRunPreselectsTheFirstRunsFolder) {
    const std::string out = folders / "out put";
    FakeProgram("zenity", out + "\n");
    dialog->SetCaption("Output folder");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(ProgramArguments(),
              (std::vector<std::string>{"--file-selection", "--title=Output folder", "--directory",
                                        "--filename=" + IncludeTrailingPathDelimiter(*HomeFolder())}));
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(ProgramArguments().back(), "--filename=" + out + "/");
    FakeProgram("zenity", "", 1);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->SelectedFolder(), out);
}

}  // namespace
}  // namespace plexon::test
