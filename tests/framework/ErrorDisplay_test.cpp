// The application's error display: the text with its period rule, the message box (title, icon,
// one OK button, other windows disabled), the silent abort, the capture cancelled, the loop going on.
#include "FormTestSupport.h"

#include "framework/Button.h"
#include "framework/FrameworkErrors.h"
#include "framework/Label.h"

namespace plexon::test {
namespace {

TEST(ErrorDisplayText, AppendsAPeriodOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(TApplication::ErrorDisplayText("Bitmap image is not valid"), "Bitmap image is not valid.");
    EXPECT_EQ(TApplication::ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(TApplication::ErrorDisplayText("Why?"), "Why?.");
    EXPECT_EQ(TApplication::ErrorDisplayText("Cannot open file C:\\a.bmp"), "Cannot open file C:\\a.bmp.");
    EXPECT_EQ(TApplication::ErrorDisplayText("Stop!"), "Stop!");
    EXPECT_EQ(TApplication::ErrorDisplayText("(x) -"), "(x) -");
    EXPECT_EQ(TApplication::ErrorDisplayText("50/"), "50/.");
    EXPECT_EQ(TApplication::ErrorDisplayText(""), "");
}

class ErrorDisplay : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        main = new TForm(&Application());
        main->SetBounds(0, 0, 413, 353);
        button = new TButton(main);
        button->SetParent(main);
        main->Show();
        Pump();
    }
    TForm* main = nullptr;
    TButton* button = nullptr;
};

TEST_F(ErrorDisplay, AnEscapingExceptionShowsAMessageBoxAndTheLoopGoesOn) {
    button->OnClick = [](TComponent*) { throw EInvalidGraphic("Bitmap image is not valid"); };
    std::string caption, text;
    bool mainEnabled = true;
    int buttons = 0;
    Headless().WhenIdle([&] {
        TForm* box = Screen().ActiveForm();
        ASSERT_NE(box, nullptr);
        caption = box->Caption();
        text = static_cast<TLabel*>(box->FindComponent("Message"))->Caption();
        EXPECT_NE(box->FindComponent("Image"), nullptr);
        for (int i = 0; i < box->ComponentCount(); ++i) buttons += dynamic_cast<TButton*>(box->Components(i)) != nullptr;
        mainEnabled = main->Handle()->Enabled();
        Key(window::vk::kReturn);
    });
    Click(*button);
    Pump();
    EXPECT_EQ(caption, "Tesvo Plexon");
    EXPECT_EQ(text, "Bitmap image is not valid.");
    EXPECT_EQ(buttons, 1);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(main->Handle()->Enabled());
    EXPECT_EQ(Screen().FormCount(), 1);
    EXPECT_TRUE(button->Focused());
}

TEST_F(ErrorDisplay, TheSilentAbortShowsNothing) {
    button->OnClick = [](TComponent*) { Abort(); };
    Click(*button);
    Pump();  // a message box would wait for scripted input and fail here
    EXPECT_EQ(Screen().FormCount(), 1);
}

TEST_F(ErrorDisplay, TheMouseCaptureIsCancelledFirst) {
    bool capturedDuringDisplay = true;
    Application().OnException = [&](const std::exception&) { capturedDuringDisplay = Desk().Capture() != nullptr; };
    button->OnMouseDown = [](TComponent*, MouseButton, Shift, int, int) { throw EAbort("x"); };
    button->OnMouseUp = [](TComponent*, MouseButton, Shift, int, int) {};
    button->OnClick = [](TComponent*) {};
    Desk().SetCapture(button->Handle());
    main->Handle();
    button->OnMouseDown = [](TComponent*, MouseButton, Shift, int, int) { throw EReadError("Stream read error"); };
    ClickAt(*button, 3, 3);
    Pump();
    EXPECT_FALSE(capturedDuringDisplay);
    EXPECT_EQ(Desk().Capture(), nullptr);
}

}  // namespace
}  // namespace plexon::test
