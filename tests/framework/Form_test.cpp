// Forms driven through the headless desktop: tab order, default and cancel buttons, modal runs
// and their results, the close box, dropped files, disabled owners, focus coming back, key preview.
#include "FormTestSupport.h"

#include "framework/Button.h"
#include "framework/FrameworkErrors.h"

namespace plexon::test {
namespace {

class Forms : public FormTest {
  protected:
    TForm* MakeDialog() {
        auto* form = new TForm(&Application());
        form->SetBounds(100, 100, 257, 168);
        form->SetBorderStyle(bsDialog);
        ok = new TButton(form);
        ok->SetCaption("OK");
        ok->SetBounds(88, 135, 75, 25);
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetParent(form);
        cancel = new TButton(form);
        cancel->SetCaption("Cancel");
        cancel->SetBounds(172, 135, 75, 25);
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetParent(form);
        return form;
    }
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
};

TEST_F(Forms, TabAndShiftTabFollowTheTabOrderAndWrap) {
    TForm* form = MakeDialog();
    auto* third = new TButton(form);
    third->SetParent(form);
    third->SetTabOrder(0);
    form->Show();
    EXPECT_TRUE(third->Focused());
    Key(window::vk::kTab);
    Pump();
    EXPECT_TRUE(ok->Focused());
    Key(window::vk::kTab);
    Key(window::vk::kTab);
    Pump();
    EXPECT_TRUE(third->Focused());
    Key(window::vk::kTab, window::Shift::Shift);
    Pump();
    EXPECT_TRUE(cancel->Focused());
}

TEST_F(Forms, TabSkipsDisabledHiddenAndNonStopControls) {
    TForm* form = MakeDialog();
    auto* hidden = new TButton(form);
    hidden->SetParent(form);
    hidden->Hide();
    cancel->SetEnabled(false);
    form->Show();
    EXPECT_TRUE(ok->Focused());
    Key(window::vk::kTab);
    Pump();
    EXPECT_TRUE(ok->Focused());
}

TEST_F(Forms, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
    TForm* form = MakeDialog();
    Headless().WhenIdle([] { Key(window::vk::kReturn); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    Headless().WhenIdle([] { Key(window::vk::kEscape); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(form->Visible());
}

TEST_F(Forms, EnterOnAFocusedButtonPressesThatButton) {
    TForm* form = MakeDialog();
    Headless().WhenIdle([&] {
        Key(window::vk::kTab);
        Key(window::vk::kReturn);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(Forms, AClickOnAButtonEndsTheModalRunWithItsResult) {
    TForm* form = MakeDialog();
    int clicks = 0;
    cancel->OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, cancel);
        ++clicks;
    };
    Headless().WhenIdle([&] { Click(*cancel); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Forms, AButtonReleasedOutsideItDoesNotClick) {
    TForm* form = MakeDialog();
    form->Show();
    Pump();
    int clicks = 0;
    ok->OnClick = [&](TComponent*) { ++clicks; };
    window::HWND top = form->Handle();
    Desk().InputMouseButton(top, FormPoint(*ok, 5, 5), window::MouseButton::Left, true, 1, window::Shift::Left);
    Pump();
    EXPECT_TRUE(ok->Down());
    Desk().InputMouseMove(top, {5, 5}, window::Shift::Left);
    Pump();
    EXPECT_FALSE(ok->Down());
    Desk().InputMouseButton(top, {5, 5}, window::MouseButton::Left, false, 1, window::Shift::None);
    Pump();
    EXPECT_EQ(clicks, 0);
    Key(window::vk::kSpace);
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(Forms, TheCloseBoxEndsAModalRunWithResultTwo) {
    TForm* form = MakeDialog();
    Headless().WhenIdle([&] { Desk().InputClose(form->Handle()); });
    EXPECT_EQ(form->ShowModal(), 2);
}

TEST_F(Forms, DroppedFilesReachTheHandlerAndAreIgnoredWithoutOne) {
    TForm* form = MakeDialog();
    form->Show();
    Desk().InputDrop(form->Handle(), {"/no/handler.bmp"});
    Pump();  // nothing to call: dropped silently
    std::vector<std::string> got;
    TComponent* from = nullptr;
    form->OnFilesDropped = [&](TComponent* sender, const std::vector<std::string>& paths) {
        from = sender;
        got = paths;
    };
    Desk().InputDrop(form->Handle(), {"/z.bmp", "/a.bmp"});
    Pump();
    EXPECT_EQ(from, form);
    EXPECT_EQ(got, (std::vector<std::string>{"/z.bmp", "/a.bmp"}));
}

TEST_F(Forms, OtherFormsAreDisabledDuringAModalRunAndFocusComesBack) {
    auto* main = new TForm(&Application());
    main->SetBounds(0, 0, 413, 353);
    auto* mainButton = new TButton(main);
    mainButton->SetParent(main);
    main->Show();
    EXPECT_TRUE(mainButton->Focused());
    TForm* dialog = MakeDialog();
    bool mainEnabled = true;
    int mainClicks = 0;
    mainButton->OnClick = [&](TComponent*) { ++mainClicks; };
    Headless().WhenIdle([&] {
        mainEnabled = main->Handle()->Enabled();
        Click(*mainButton);
        Desk().InputClose(main->Handle());
    });
    Headless().WhenIdle([&] { Click(*ok); });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(mainClicks, 0);
    EXPECT_TRUE(main->Handle()->Enabled());
    EXPECT_TRUE(mainButton->Focused());
    EXPECT_TRUE(main->Visible());
}

TEST_F(Forms, CloseActionNoneKeepsAModalFormOpen) {
    TForm* form = MakeDialog();
    int asked = 0;
    form->OnClose = [&](TComponent*, TCloseAction& action) {
        if (++asked == 1) action = caNone;
    };
    Headless().WhenIdle([] { Key(window::vk::kEscape); });
    Headless().WhenIdle([] { Key(window::vk::kReturn); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(asked, 2);
}

TEST_F(Forms, ClosingTheMainFormEndsTheApplication) {
    auto* main = new TForm(&Application());
    auto* other = new TForm(&Application());
    main->SetBounds(0, 0, 47, 33);
    other->SetBounds(0, 0, 47, 33);
    Application().CreateForm(main);  // not the main form unless none was set before
    TForm* mainForm = Application().MainForm();
    ASSERT_NE(mainForm, nullptr);
    bool closed = false;
    mainForm->OnClose = [&](TComponent*, TCloseAction&) { closed = true; };
    Headless().WhenIdle([&] { Desk().InputClose(mainForm->Handle()); });
    Application().Run();  // returns only when the application terminates
    EXPECT_TRUE(closed);
    EXPECT_TRUE(mainForm->Visible());
}

TEST_F(Forms, KeyPreviewShowsKeysToTheFormFirst) {
    TForm* form = MakeDialog();
    form->SetKeyPreview(true);
    std::string order;
    form->OnKeyDown = [&](TComponent*, int& key, Shift shift) {
        order += "form ";
        if (key == 'C' && shift == Shift::Ctrl) key = 0;
    };
    ok->OnKeyDown = [&](TComponent*, int&, Shift) { order += "button "; };
    form->Show();
    Key('X');
    Key('C', Shift::Ctrl);
    Pump();
    EXPECT_EQ(order, "form button form ");
}

TEST_F(Forms, AlignAndAnchorsFollowTheParentsSize) {
    auto* form = new TForm(&Application());
    form->SetBounds(0, 0, 200, 100);
    auto* top = new TButton(form);
    top->SetHeight(41);
    top->SetParent(form);
    top->SetAlign(alTop);
    auto* corner = new TButton(form);
    corner->SetBounds(120, 70, 75, 25);
    corner->SetAnchors(akRight | akBottom);
    corner->SetParent(form);
    EXPECT_EQ(top->Width(), 200);
    form->SetBounds(0, 0, 250, 130);
    EXPECT_EQ(top->Width(), 250);
    EXPECT_EQ(top->Height(), 41);
    EXPECT_EQ(corner->Left(), 170);
    EXPECT_EQ(corner->Top(), 100);
    EXPECT_EQ(corner->Width(), 75);
}

TEST_F(Forms, ShowingAVisibleFormModallyIsRefused) {
    TForm* form = MakeDialog();
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, ScreenCentrePlacesTheFormWhenShown) {
    TForm* form = MakeDialog();
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (1024 - 257) / 2);
    EXPECT_EQ(form->Top(), (768 - 168) / 2);
}

}  // namespace
}  // namespace plexon::test
