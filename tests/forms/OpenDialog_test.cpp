// The file chooser component: full paths in the chooser's order, Files emptied by every run, false
// on cancel, garbage, a failing or hanging program and selections of any size; its
// request to the desktop's program; the extension result.
#include "forms/OpenDialog.h"

#include "ChooserTestSupport.h"

namespace plexon::test {
namespace {

std::vector<std::string> FilesOf(const TOpenDialog& dialog) {
    std::vector<std::string> files;
    for (int i = 0; i < dialog.Files().Count(); ++i) files.push_back(dialog.Files()[i]);
    return files;
}

class OpenDialog : public ChooserTest {
  protected:
    void SetUp() override {
        ChooserTest::SetUp();
        dialog = new TOpenDialog(&Application());
        dialog->SetFilter("Bitmap files (*.bmp)|*.bmp|PNG images (*.png)|*.png;*.apng");
        dialog->SetOptions({ofHideReadOnly, ofAllowMultiSelect, ofEnableSizing});
    }
    void TearDown() override {
        delete dialog;
        ChooserTest::TearDown();
    }
    TOpenDialog* dialog = nullptr;
};

TEST_F(OpenDialog, ComesWithTheDocumentedDefaults) {
    TOpenDialog fresh(nullptr);
    EXPECT_EQ(fresh.FilterIndex(), 1);
    EXPECT_EQ(fresh.Options(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
    EXPECT_EQ(fresh.FileName(), "");
    EXPECT_EQ(fresh.Files().Count(), 0);
}

TEST_F(OpenDialog, OneFileGivesOneFullPathAndSeveralKeepTheChoosersOrder) {
    Script("/icons/Open.bmp\n/icons/Save_h.bmp\t/icons/Open.bmp\t/icons/Open_d.bmp\n");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(FilesOf(*dialog), (std::vector<std::string>{"/icons/Open.bmp"}));
    EXPECT_EQ(dialog->FileName(), "/icons/Open.bmp");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(FilesOf(*dialog),
              (std::vector<std::string>{"/icons/Save_h.bmp", "/icons/Open.bmp", "/icons/Open_d.bmp"}));
    EXPECT_EQ(dialog->FileName(), "/icons/Save_h.bmp");
}

TEST_F(OpenDialog, CancelAndGarbageLeaveFilesEmpty) {
    Script("/i/a.bmp\n\n/i/b.bmp\nnot a path\n");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->Files().Count(), 0);
    EXPECT_EQ(dialog->FileName(), "/i/a.bmp");  // only a confirmed run changes it
    ASSERT_TRUE(dialog->Execute());
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->Files().Count(), 0);
    EXPECT_FALSE(dialog->Execute());  // the script has run out
}

TEST_F(OpenDialog, SeveralFilesNeedMultipleSelection) {
    dialog->SetOptions({ofHideReadOnly});
    Script("/i/a.bmp\t/i/b.bmp\n/i/a.bmp\n");
    EXPECT_FALSE(dialog->Execute());
    EXPECT_TRUE(dialog->Execute());
}

TEST_F(OpenDialog, ASelectionOfAnySizeIsTaken) {
    // 100,000 names of 200 characters: 20 MB of names, far past any fixed answer buffer.
    constexpr int kFiles = 100000;
    std::string line;
    for (int i = 0; i < kFiles; ++i)
        line += (i ? "\t/f/" : "/f/") + std::string(190, 'a') + std::to_string(1000000 + i) + ".bmp";
    Script(line + "\n/" + std::string(4000, 'x') + "\n");
    ASSERT_TRUE(dialog->Execute());
    ASSERT_EQ(dialog->Files().Count(), kFiles);
    EXPECT_EQ(dialog->Files()[kFiles - 1], "/f/" + std::string(190, 'a') + "1099999.bmp");
    dialog->SetOptions({ofHideReadOnly});
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName().size(), 4001u);
}

TEST_F(OpenDialog, TheExtensionDiffersOnlyAgainstADefaultOne) {
    Script("/i/a.png\n/i/a.BMP\n/i/a.png\n");
    EXPECT_TRUE(dialog->Execute());
    EXPECT_FALSE(dialog->Options().Contains(ofExtensionDifferent));
    dialog->SetDefaultExt("bmp");
    EXPECT_TRUE(dialog->Execute());
    EXPECT_FALSE(dialog->Options().Contains(ofExtensionDifferent));
    EXPECT_TRUE(dialog->Execute());
    EXPECT_TRUE(dialog->Options().Contains(ofExtensionDifferent));
    EXPECT_TRUE(dialog->Options().Contains(ofAllowMultiSelect));
}

TEST_F(OpenDialog, TheDesktopProgramGetsTheFilterAndGivesNamesBackIntact) {
    const std::vector<std::string> names{"/i/two words.bmp", "/i/'single' \"double\".bmp", "/i/a|b.bmp",
                                         "/i/line\nfeed.bmp", "/i/\xE9t\xE9\xFF.bmp"};
    std::string zenityAnswer;
    for (const std::string& name : names) zenityAnswer += (zenityAnswer.empty() ? "" : "//") + name;
    FakeProgram("zenity", zenityAnswer + "\n");
    dialog->SetTitle("Pick \"icons\"");
    dialog->SetInitialDir("/start dir");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(FilesOf(*dialog), names);
    const std::string bitmaps = "--file-filter=Bitmap files (*.bmp) | *.[bB][mM][pP]",
                      pngs = "--file-filter=PNG images (*.png) | *.[pP][nN][gG] *.[aA][pP][nN][gG]";
    EXPECT_EQ(ProgramArguments(),
              (std::vector<std::string>{"--file-selection", "--title=Pick \"icons\"", bitmaps, pngs,
                                        "--multiple", "--separator=//", "--filename=/start dir/"}));
    dialog->SetFilterIndex(2);  // shown first
    ASSERT_TRUE(dialog->Execute());
    const std::vector<std::string> again = ProgramArguments();
    EXPECT_EQ(std::vector(again.begin() + 2, again.begin() + 4), (std::vector<std::string>{pngs, bitmaps}));
}

TEST_F(OpenDialog, KDialogServesWhenZenityIsMissing) {
    FakeProgram("kdialog", "/i/one.bmp\n/i/two\nlines.bmp\n");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(FilesOf(*dialog), (std::vector<std::string>{"/i/one.bmp", "/i/two\nlines.bmp"}));
}

TEST_F(OpenDialog, AFailingOrGarbledProgramIsACancel) {
    FakeProgram("zenity", "/i/a.bmp\n", 1);
    EXPECT_FALSE(dialog->Execute());
    FakeProgram("zenity", "(zenity:1): Gtk-WARNING **: cannot open display\n", 0);
    EXPECT_FALSE(dialog->Execute());
    FakeProgram("zenity", "", 0);
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->Files().Count(), 0);
}

TEST_F(OpenDialog, ClosingTheMainWindowEndsAHangingChooser) {
    TForm* main = nullptr;
    Application().CreateForm(main);
    main->Show();
    Pump();
    HangingProgram("zenity");
    Desk().InputClose(main->Handle());
    EXPECT_FALSE(dialog->Execute());
    EXPECT_TRUE(Application().Terminated());
    Application().Run();  // clears the terminated state for the tests after this one
}

// Posted messages reach this form's procedure while the chooser program runs.
class ProbeForm : public TForm {
  public:
    using TForm::TForm;
    std::function<void()> onPosted;

  protected:
    void WndProc(window::Message& m) override {
        if (m.kind == window::MessageKind::Posted && m.id == 99 && onPosted) onPosted();
        TForm::WndProc(m);
    }
};

TEST_F(OpenDialog, TheOtherWindowsWaitMeanwhileAndGetTheFocusBack) {
    auto* main = new ProbeForm(&Application());
    main->SetBounds(0, 0, 200, 100);
    main->Show();
    Pump();
    bool enabledDuringRun = true;
    main->onPosted = [&] { enabledDuringRun = main->Handle()->Enabled(); };
    FakeProgram("zenity", "/i/a.bmp\n");
    Desk().PostMessage(main->Handle(), 99);
    ASSERT_TRUE(dialog->Execute());
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(main->Handle()->Enabled());
    EXPECT_EQ(Desk().Focus(), main->Handle());
}

}  // namespace
}  // namespace plexon::test
