// Our own chooser window, driven headless: what it lists, choosing several files with the mouse
// and keys, moving between folders, the folder chooser's preselection and OK enabling, names with
// any bytes, cancel, and where it is placed.
#include "forms/ChooserWindow.h"

#include <filesystem>

#include "ChooserWindowSupport.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Label.h"

namespace plexon::test {
namespace {

TEST_F(ChooserWindow, ListsSubfoldersThenMatchingFilesInByteOrder) {
    TChooserForm form(&Application(), Files());
    EXPECT_EQ(Names(form), (Paths{"../", "sub/", "B.BMP", "a.bmp", "c.bmp"}));
    EXPECT_EQ(form.Folder(), folder.Path());
    EXPECT_EQ(form.PathLabel().Caption(), folder.Path());
    EXPECT_EQ(form.Caption(), "Open");
    EXPECT_TRUE(form.List().MultiSelect());
    TChooserForm single(&Application(), Files(Selection::Single));
    EXPECT_FALSE(single.List().MultiSelect());
    // The type list shows the other filter's files.
    ASSERT_NE(form.TypeList(), nullptr);
    EXPECT_EQ(form.TypeList()->Items().Text(), "Bitmap files (*.bmp)\r\nText and PNG\r\n");
    form.Show();
    form.TypeList()->SetFocus();
    Key(window::vk::kDown);
    Pump();
    EXPECT_EQ(Names(form), (Paths{"../", "sub/", "notes.txt"}));
}

TEST_F(ChooserWindow, ClicksWithCtrlAndShiftChooseSeveralFilesInListOrder) {
    const ChooserAnswer answer = Run(Files(), [](TChooserForm& form) {
        ClickItem(form.List(), 4);
        ClickItem(form.List(), 2, window::Shift::Ctrl);
        EXPECT_EQ(form.List().SelectedIndexes(), (std::vector<int>{2, 4}));
        ClickItem(form.List(), 3, window::Shift::Shift);  // from the anchor (2) to 3
        EXPECT_EQ(form.List().SelectedIndexes(), (std::vector<int>{2, 3}));
        ClickItem(form.List(), 4, window::Shift::Ctrl);
        Click(form.OkButton());
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "B.BMP", folder / "a.bmp", folder / "c.bmp"}));
}

TEST_F(ChooserWindow, KeysMoveAndExtendAndEnterConfirms) {
    const ChooserAnswer answer = Run(Files(), [](TChooserForm&) {
        Key(window::vk::kEnd);
        Key(window::vk::kUp, window::Shift::Shift);
        Key(window::vk::kReturn);
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "a.bmp", folder / "c.bmp"}));
}

TEST_F(ChooserWindow, AFolderChosenWithOKOrADoubleClickOpensIt) {
    folder.WriteFile("sub/inner.bmp", "x");
    const ChooserAnswer answer = Run(Files(), [&](TChooserForm& form) {
        ClickItem(form.List(), 1);
        Click(form.OkButton());
        Pump();
        EXPECT_EQ(form.Folder(), folder / "sub/");
        EXPECT_EQ(Names(form), (Paths{"../", "inner.bmp"}));
        ClickItem(form.List(), 0);
        ClickAt(form.List(), 20, 7, 2);
        Pump();
        EXPECT_EQ(form.Folder(), folder.Path());
        ClickItem(form.List(), 1);
        ClickAt(form.List(), 20, 2 + TChooserList::kItemHeight + 5, 2);
        Pump();
        ClickItem(form.List(), 1);
        Click(form.OkButton());
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "sub/inner.bmp"}));
}

TEST_F(ChooserWindow, NamesWithAnyBytesComeBackIntact) {
    std::filesystem::remove_all(folder / "sub");
    for (const char* name : {"a.bmp", "B.BMP", "c.bmp", "notes.txt"}) std::filesystem::remove(folder / name);
    const Paths names{"it's \"q\".bmp", "line\nfeed.bmp", "pipe|d.bmp", "two words.bmp", "\xE9t\xE9\xFF.bmp"};
    for (const std::string& name : names) folder.WriteFile(name, "x");
    const ChooserAnswer answer = Run(Files(), [](TChooserForm& form) {
        Key(window::vk::kDown);
        Key(window::vk::kEnd, window::Shift::Shift);
        Click(form.OkButton());
    });
    ASSERT_TRUE(answer);
    Paths expected;
    for (const std::string& name : names) expected.push_back(folder / name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(*answer, expected);
}

TEST_F(ChooserWindow, CancelEscAndNothingChosenGiveNoAnswer) {
    EXPECT_FALSE(Run(Files(), [](TChooserForm&) { Key(window::vk::kEscape); }));
    EXPECT_FALSE(Run(Files(), [](TChooserForm& form) {
        const int beeps = Headless().Beeps();
        Click(form.OkButton());  // nothing chosen: a beep, and the window stays
        Pump();
        EXPECT_EQ(Headless().Beeps(), beeps + 1);
        EXPECT_EQ(Screen().ActiveForm(), &form);
        Desk().InputClose(form.Handle());
    }));
}

TEST_F(ChooserWindow, TheFolderChooserPreselectsTheLastFolderWithOKEnabled) {
    const ChooserRequest request{.kind = ChooserKind::Folder, .initialFolder = folder / "sub"};
    const ChooserAnswer answer = Run(
        request,
        [&](TChooserForm& form) {
            EXPECT_EQ(form.Caption(), "Browse for Folder");
            // The last folder's parent is shown, with the last folder chosen and OK ready for it.
            EXPECT_EQ(form.Folder(), folder.Path());
            EXPECT_EQ(form.List().SelectedIndexes(), (std::vector<int>{1}));
            EXPECT_EQ(Names(form)[1], "sub/");
            EXPECT_TRUE(form.OkButton().Enabled());
            ClickItem(form.List(), 0);  // ".." is no folder to pick
            EXPECT_FALSE(form.OkButton().Enabled());
            ClickItem(form.List(), 1);
            EXPECT_TRUE(form.OkButton().Enabled());
            Click(form.OkButton());
        },
        {.placement = ChooserPlacement::OverActiveForm});
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "sub"}));
}

TEST_F(ChooserWindow, WithNothingChosenTheFolderShownIsTheAnswer) {
    const ChooserRequest request{.kind = ChooserKind::Folder, .initialFolder = "/"};
    const ChooserAnswer answer = Run(request, [](TChooserForm& form) { Click(form.OkButton()); });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{"/"}));
}

TEST_F(ChooserWindow, TheListScrollsToKeepTheFocusedEntryInView) {
    for (int i = 0; i < 30; ++i) folder.WriteFile("f" + std::to_string(100 + i) + ".bmp", "x");
    const ChooserAnswer answer = Run(Files(Selection::Single), [](TChooserForm& form) {
        TChooserList& list = form.List();
        const int rows = (list.Height() - 4) / TChooserList::kItemHeight;
        const int count = int(list.Items().size());
        Key(window::vk::kEnd);
        Pump();
        EXPECT_EQ(list.ItemIndex(), count - 1);
        EXPECT_EQ(list.TopIndex(), count - rows);
        ClickItem(list, 0);  // the first row shown, which is now well down the list
        EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{count - rows}));
        Key(window::vk::kHome);
        Key(window::vk::kNext);
        Pump();
        EXPECT_EQ(list.ItemIndex(), rows);
        EXPECT_EQ(list.TopIndex(), 1);
        Key(window::vk::kPrior, window::Shift::Shift);  // no range in a single selection
        Pump();
        EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{0}));
        Key(window::vk::kEnd);
        Click(form.OkButton());
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "f129.bmp"}));
}

TEST_F(ChooserWindow, PlacementFollowsTheChooserKind) {
    EXPECT_EQ(PlaceChooser(ChooserPlacement::ScreenThird, 420, 300).x, (1024 - 420) / 2);
    EXPECT_EQ(PlaceChooser(ChooserPlacement::ScreenThird, 420, 300).y, (768 - 300) / 3);
    EXPECT_EQ(PlaceChooser(ChooserPlacement::ScreenCenter, 420, 300).y, (768 - 300) / 2);
    // Without an active form the screen is the reference.
    EXPECT_EQ(PlaceChooser(ChooserPlacement::OverActiveForm, 420, 300).x, (1024 - 420) / 2);
    auto* main = new TForm(&Application());
    main->SetBounds(600, 500, 413, 353);
    main->Show();
    Pump();
    ASSERT_EQ(Screen().ActiveForm(), main);
    const gdi::POINT centred = PlaceChooser(ChooserPlacement::OverActiveForm, 200, 100);
    EXPECT_EQ(centred.x, 600 + (413 - 200) / 2);
    EXPECT_EQ(centred.y, 500 + (353 - 100) / 2);
    // Past the screen's right and bottom edges: aligned to the form's right and bottom instead.
    const gdi::POINT aligned = PlaceChooser(ChooserPlacement::OverActiveForm, 500, 400);
    EXPECT_EQ(aligned.x, 600 + 413 - 500);
    EXPECT_EQ(aligned.y, 500 + 353 - 400);
    main->SetBounds(-50, -40, 100, 80);
    const gdi::POINT clamped = PlaceChooser(ChooserPlacement::OverActiveForm, 420, 300);
    EXPECT_EQ(clamped.x, 0);
    EXPECT_EQ(clamped.y, 0);
}

}  // namespace
}  // namespace plexon::test
