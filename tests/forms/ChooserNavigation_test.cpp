// Our own file chooser driven by wheel, scroll bar and keys: reaching the end of a long folder,
// picking files apart, type-to-find, going up, the path field, and what a screen reader hears.
#include <filesystem>

#include "ChooserWindowSupport.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/ScrollBar.h"

namespace plexon::test {
namespace {

using window::Shift;
namespace vk = window::vk;

class ChooserNavigation : public ChooserWindow {
  protected:
    // 121 files f000.bmp .. f120.bmp beside the subfolder.
    void Make121() {
        for (const char* name : {"a.bmp", "B.BMP", "c.bmp"}) std::filesystem::remove(folder / name);
        for (int i = 0; i < 121; ++i) folder.WriteFile("f" + std::to_string(1000 + i).substr(1) + ".bmp", "x");
    }
    static void Drag(TControl& control, gdi::POINT from, gdi::POINT to) {
        window::HWND top = control.ParentForm()->Handle();
        Desk().InputMouseButton(top, FormPoint(control, from.x, from.y), window::MouseButton::Left, true, 1, Shift::Left);
        Pump();  // the press takes the mouse before the pointer moves, as it would on a desktop
        Desk().InputMouseMove(top, FormPoint(control, to.x, to.y), Shift::Left);
        Desk().InputMouseButton(top, FormPoint(control, to.x, to.y), window::MouseButton::Left, false, 1, Shift::None);
        Pump();
    }
};

TEST_F(ChooserNavigation, TheWheelAndTheScrollBarReachTheLastOf121Files) {
    Make121();
    const ChooserAnswer answer = Run(Files(), [](TChooserForm& form) {
        TChooserList& list = form.List();
        TScrollBar& bar = list.ScrollBar();
        const int last = int(list.Items().size()) - list.VisibleRows();  // 2 folders + 121 files
        for (int turn = 0; turn < 50; ++turn) Wheel(list, -1);
        EXPECT_EQ(list.TopIndex(), last);
        Wheel(list, 2);
        EXPECT_EQ(list.TopIndex(), last - 2 * TChooserList::kWheelLines);
        EXPECT_EQ(bar.Position(), list.TopIndex());
        // The thumb dragged from the top to the bottom, the arrows and the track.
        list.SetTopIndex(0);
        Drag(bar, {8, 24}, {8, bar.Height() + 40});
        EXPECT_EQ(list.TopIndex(), last);
        ClickAt(bar, 8, 4);
        Pump();
        EXPECT_EQ(list.TopIndex(), last - 1);
        ClickAt(bar, 8, 30);  // the track above the thumb: a page up
        Pump();
        EXPECT_EQ(list.TopIndex(), last - 1 - list.VisibleRows());
        ClickAt(bar, 8, bar.Height() - 4);
        Pump();
        EXPECT_EQ(list.TopIndex(), last - list.VisibleRows());
        for (int turn = 0; turn < 50; ++turn) Wheel(list, -1);
        ClickItem(list, list.VisibleRows() - 1);
        Click(form.OkButton());
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "f120.bmp"}));
}

TEST_F(ChooserNavigation, CtrlAAndCtrlSpacePickFilesApart) {
    const ChooserAnswer answer = Run(Files(), [](TChooserForm& form) {
        Key('A', Shift::Ctrl);
        Pump();
        EXPECT_EQ(form.List().SelectedIndexes(), (std::vector<int>{0, 1, 2, 3, 4}));
        Key(vk::kHome);  // ".." alone
        Key(vk::kDown, Shift::Ctrl);
        Key(vk::kDown, Shift::Ctrl);
        Key(vk::kSpace, Shift::Ctrl);  // B.BMP picked beside ".."
        Key(vk::kSpace, Shift::Ctrl);
        Key(vk::kSpace, Shift::Ctrl);
        Key(vk::kDown, Shift::Ctrl);
        Key(vk::kDown, Shift::Ctrl);
        Key(vk::kSpace, Shift::Ctrl);
        Pump();
        EXPECT_EQ(form.List().SelectedIndexes(), (std::vector<int>{0, 2, 4}));
        Key(vk::kReturn);
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "B.BMP", folder / "c.bmp"}));
}

TEST_F(ChooserNavigation, TypedLettersFindTheNextNameStartingWithThem) {
    for (const char* name : {"cat.bmp", "cow.bmp", "sun.bmp"}) folder.WriteFile(name, "x");
    // Listed: .., sub, B.BMP, a.bmp, c.bmp, cat.bmp, cow.bmp, sun.bmp.
    struct Case {
        const char* typed;
        std::uint64_t pauseBefore;
        const char* found;
    };
    const Case cases[] = {
        {"c", 0, "c.bmp"},     {"c", 2000, "cat.bmp"}, {"o", 100, "cow.bmp"},  // "co" together
        {"s", 2000, "sun.bmp"}, {"s", 2000, "sub"},    {"b", 2000, "B.BMP"},
        {"c", 2000, "c.bmp"},  {"ca", 2000, "cat.bmp"},
    };
    TChooserForm form(&Application(), Files());
    form.Show();
    Pump();
    for (const Case& c : cases) {
        Headless().AdvanceTime(c.pauseBefore);
        Type(c.typed);
        Pump();
        EXPECT_EQ(form.List().Items()[std::size_t(form.List().ItemIndex())].name, c.found) << c.typed;
    }
}

TEST_F(ChooserNavigation, BackspaceAndAltUpGoToTheParentWithTheFolderLeftChosen) {
    const std::string parent = std::filesystem::path(folder.Path()).parent_path().parent_path().string() + "/";
    TChooserForm form(&Application(), Files());
    form.Show();
    Pump();
    ClickItem(form.List(), 1);
    ClickAt(form.List(), 20, 2 + TChooserList::kItemHeight + 5, 2);
    Pump();
    ASSERT_EQ(form.Folder(), folder / "sub/");
    Key(vk::kBack);
    Pump();
    EXPECT_EQ(form.Folder(), folder.Path());
    EXPECT_EQ(Names(form)[std::size_t(form.List().ItemIndex())], "sub/");
    form.PathField()->SetFocus();
    Type("ab");
    Key(vk::kBack);  // in the path field Backspace edits
    Pump();
    EXPECT_EQ(form.PathField()->Text(), "a");
    EXPECT_EQ(form.Folder(), folder.Path());
    Key(vk::kUp, Shift::Alt);
    Pump();
    EXPECT_EQ(form.Folder(), parent);
}

TEST_F(ChooserNavigation, ThePathFieldGoesToAFolderOrPicksAFileAndSaysWhyNot) {
    std::filesystem::create_directory(folder / "locked");
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::none);
    std::error_code lockedError;
    std::filesystem::directory_iterator(folder / "locked", lockedError);
    const bool lockedReadable = !lockedError;  // as root
    const ChooserAnswer answer = Run(Files(), [&](TChooserForm& form) {
        struct Case {
            std::string typed, folder, error;
        };
        std::vector<Case> cases = {
            {"sub", folder / "sub/", ""},
            {"nothing.bmp", folder / "sub/", "nothing.bmp: No such file or directory"},
            {folder.Path(), folder.Path(), ""},
        };
        if (!lockedReadable) cases.push_back({"locked", folder.Path(), "locked: Permission denied"});
        for (const Case& c : cases) {
            form.PathField()->SetFocus();
            form.PathField()->SetEditText(c.typed);
            Key(vk::kReturn);
            Pump();
            EXPECT_EQ(form.Folder(), c.folder) << c.typed;
            EXPECT_EQ(form.PathError()->Caption(), c.error) << c.typed;
            // A failed path stays for correcting; one followed is cleared.
            EXPECT_EQ(form.PathField()->Text(), c.error.empty() ? "" : c.typed) << c.typed;
        }
        form.PathField()->SetFocus();
        form.PathField()->SetEditText("a.bmp");
        Key(vk::kReturn);
    });
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_all);
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "a.bmp"}));
}

TEST_F(ChooserNavigation, AScreenReaderHearsTheListsNameAndWhichItemsAreFolders) {
    TChooserForm files(&Application(), Files());
    EXPECT_EQ(files.List().AccessibleName(), "Files");
    EXPECT_EQ(files.List().AccessibleChild(1)->AccessibleName(), "sub");
    EXPECT_EQ(files.List().AccessibleChild(1)->AccessibleDescription(), "folder");
    EXPECT_EQ(files.List().AccessibleChild(2)->AccessibleDescription(), "");
    TChooserForm folders(&Application(), {.kind = ChooserKind::Folder, .initialFolder = folder.Path()});
    EXPECT_EQ(folders.List().AccessibleName(), "Folders");
}

}  // namespace
}  // namespace plexon::test
