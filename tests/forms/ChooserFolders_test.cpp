// Our own folder chooser: opening and leaving folders by keyboard and double click, OK for the
// folder shown selected, and New Folder with its refusals and a failure that changes nothing.
#include <filesystem>

#include "ChooserWindowSupport.h"
#include "forms/ChooserNewFolder.h"
#include "forms/MessageDialog.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"

namespace plexon::test {
namespace {

namespace vk = window::vk;

class ChooserFolders : public ChooserWindow {
  protected:
    ChooserRequest Folders() const { return {.kind = ChooserKind::Folder, .initialFolder = folder / "sub"}; }
    // Acts on the first form of kind Shown to become active, waiting idle turns for it.
    template <class Shown>
    static void WhenShown(std::function<void(Shown&)> act, int turns = 100) {
        Headless().WhenIdle([act, turns] {
            if (auto* shown = dynamic_cast<Shown*>(Screen().ActiveForm())) act(*shown);
            else if (turns > 0) WhenShown<Shown>(act, turns - 1);
            else ADD_FAILURE() << "the form never showed";
        });
    }
};

TEST_F(ChooserFolders, TheKeyboardAloneOpensGoesUpAndPicks) {
    std::filesystem::create_directories(folder / "sub/inner");
    const ChooserAnswer answer = Run(Folders(), [&](TChooserForm& form) {
        EXPECT_TRUE(form.OkButton().Enabled());
        Key(vk::kReturn);  // opens sub, the folder preselected
        Pump();
        EXPECT_EQ(form.Folder(), folder / "sub/");
        EXPECT_TRUE(form.OkButton().Enabled());  // the folder shown is the choice
        Key(vk::kDown);
        Key(vk::kRight);
        Pump();
        EXPECT_EQ(form.Folder(), folder / "sub/inner/");
        Key(vk::kLeft);
        Pump();
        EXPECT_EQ(form.Folder(), folder / "sub/");
        EXPECT_EQ(Names(form)[std::size_t(form.List().SelectedIndexes().at(0))], "inner/");
        Key(vk::kBack);
        Pump();
        EXPECT_EQ(form.Folder(), folder.Path());
        ClickItem(form.List(), 1);
        ClickAt(form.List(), 20, 2 + TChooserList::kItemHeight + 5, 2);  // a double click opens sub
        Pump();
        EXPECT_EQ(form.Folder(), folder / "sub/");
        Key(vk::kReturn);  // nothing chosen: Return confirms the folder shown
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "sub"}));
}

TEST_F(ChooserFolders, ANewFolderNameIsRefusedWhenEmptyHoldingASlashOrTaken) {
    struct Case {
        const char* name;
        const char* refusal;
    };
    const Case cases[] = {
        {"", "Type a name for the new folder."},
        {"a/b", "a/b: a folder name cannot hold \"/\""},
        {"sub", "sub: a folder of that name exists"},
        {"..", "..: a folder of that name exists"},
        {"a.bmp", "a.bmp: a file of that name exists"},
        {"New Folder", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NewFolderRefusal(folder.Path(), c.name), c.refusal) << c.name;
}

TEST_F(ChooserFolders, NewFolderMakesTheFolderInTheOneShownAndSelectsIt) {
    const ChooserAnswer answer = Run(Folders(), [&](TChooserForm& form) {
        WhenShown<TNewFolderForm>([](TNewFolderForm& dialog) {
            EXPECT_EQ(dialog.NameField().Text(), "New Folder");
            dialog.NameField().SetEditText("sub");
            Click(dialog.OkButton());
            Pump();
            EXPECT_EQ(dialog.Refusal().Caption(), "sub: a folder of that name exists");
            EXPECT_EQ(Screen().ActiveForm(), &dialog);
            dialog.NameField().SetEditText("Made");
            Click(dialog.OkButton());
        });
        Click(*form.NewFolderButton());
        Pump();
        EXPECT_TRUE(std::filesystem::is_directory(folder / "Made"));
        EXPECT_EQ(Names(form)[std::size_t(form.List().SelectedIndexes().at(0))], "Made/");
        Click(form.OkButton());
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Paths{folder / "Made"}));
}

TEST_F(ChooserFolders, AFolderThatCannotBeMadeIsReportedAndNothingChanges) {
    std::filesystem::create_directories(folder / "sub/gone");
    const ChooserAnswer answer = Run({.kind = ChooserKind::Folder, .initialFolder = folder / "sub/gone"},
                                     [&](TChooserForm& form) {
        ASSERT_EQ(form.Folder(), folder / "sub/");
        const Paths before = Names(form);
        WhenShown<TNewFolderForm>([&](TNewFolderForm& dialog) {
            std::filesystem::remove_all(folder / "sub");  // the folder shown goes meanwhile
            WhenShown<TMessageForm>([&](TMessageForm& message) {
                EXPECT_NE(message.ClipboardText().find("Cannot create the folder " + folder / "sub/New Folder" +
                                                        ": No such file or directory."),
                          std::string::npos);
                Key(vk::kReturn);
            });
            Click(dialog.OkButton());
        });
        Click(*form.NewFolderButton());
        Pump();
        EXPECT_EQ(form.Folder(), folder / "sub/");
        EXPECT_EQ(Names(form), before);
        Key(vk::kEscape);
    });
    EXPECT_FALSE(answer);
}

}  // namespace
}  // namespace plexon::test
