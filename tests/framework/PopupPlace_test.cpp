// Pop-ups placed from where the window system put their form: after a move, a hint shows 20 px below
// the pointer and stays though the pointer passes over it, and an open list lies under its box. A
// dialog belongs to the window it was opened from.
#include "FormTestSupport.h"

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/HintWindow.h"

namespace plexon::test {
namespace {

class PopupPlace : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(10, 10, 300, 200);
        combo = new TComboBox(form);
        combo->SetBounds(12, 24, 85, 21);
        combo->SetParent(form);
        for (const char* item : {"Normal", "Hot"}) combo->Items().Add(item);
        button = new TButton(form);
        button->SetBounds(150, 150, 75, 25);
        button->SetParent(form);
        button->SetHint("Join");
        button->SetShowHint(true);
        form->Show();
        Pump();
        Desk().InputMoved(form->Handle(), {401, 233});
        Pump();
    }
    TForm* form = nullptr;
    TComboBox* combo = nullptr;
    TButton* button = nullptr;
};

TEST_F(PopupPlace, TheFormFollowsTheWindowSystemAndItsListOpensUnderTheBox) {
    EXPECT_EQ(form->Left(), 401);
    EXPECT_EQ(form->Top(), 233);
    Click(*combo);
    Pump();
    const window::HWND list = Desk().TopLevels().back();
    ASSERT_EQ(list->Popup(), window::PopupKind::List);
    EXPECT_EQ(list->Owner(), form->Handle());
    EXPECT_EQ(list->Bounds().left, 401 + 12);
    EXPECT_EQ(list->Bounds().top, 233 + 24 + 21);
}

TEST_F(PopupPlace, AHintShowsBelowThePointerAndThePointerOverItLeavesItShowing) {
    const gdi::POINT at = FormPoint(*button, 30, 1);
    Desk().InputMouseMove(form->Handle(), at, window::Shift::None);
    Pump();
    Headless().AdvanceTime(kHintPause);
    Pump();
    const window::HWND hint = ShownHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Bounds().left, 401 + at.x);
    EXPECT_EQ(hint->Bounds().top, 233 + at.y + 20);
    // The window system reports the pointer over the hint, where the button lies under it.
    Desk().InputMouseMove(hint, {2, 1}, window::Shift::None);
    Pump();
    EXPECT_EQ(ShownHintWindow(), hint);
    Headless().AdvanceTime(kHintHidePause);
    Pump();
    EXPECT_EQ(ShownHintWindow(), nullptr);
}

TEST_F(PopupPlace, ADialogBelongsToTheWindowItWasOpenedFrom) {
    auto* dialog = new TForm(&Application());
    dialog->SetBounds(0, 0, 100, 50);
    Desk().InputActivate(form->Handle());
    Headless().WhenIdle([&] {
        EXPECT_EQ(dialog->Handle()->Owner(), form->Handle());
        dialog->SetModalResult(mrCancel);
        Key(window::vk::kShift);  // a message, so that the loop looks again
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

}  // namespace
}  // namespace plexon::test
