// The message dialog: geometry against the dialog-unit formulas for several texts and button sets,
// captions, icons, default and cancel buttons, the button-width cache, right-to-left placement,
// Ctrl+C text byte for byte, and modal runs returning the pressed button's result.
#include "forms/MessageDialog.h"

#include <memory>

#include "forms/SystemIcons.h"
#include "framework/Button.h"
#include "framework/ControlDrawing.h"
#include "framework/FormTestSupport.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "graphics/Bitmap.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"
#include "weld/RunReport.h"

namespace plexon::test {
namespace {

// The dialog units as the formulas define them, measured independently in the form's font.
struct Units {
    int x, y, hm, vm, hs, vs, bw, bh, bs;
};

class MessageDialog : public FormTest {
  protected:
    void TearDown() override {
        SetApplicationBiDiMode(bdLeftToRight);
        Headless().SetClipboardOpens(true);
        FormTest::TearDown();
    }

    std::unique_ptr<TMessageForm> Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
        return std::unique_ptr<TMessageForm>(BuildMessageDialog(text, type, buttons));
    }

    static Units UnitsOf(TMessageForm& form) {
        ScopedMemoryDc dc;
        const gdi::HFONT old = gdi::SelectObject(dc.Get(), form.Font().Handle());
        gdi::SIZE extent{};
        const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        gdi::GetTextExtentPoint32(dc.Get(), letters.c_str(), 52, &extent);
        gdi::SelectObject(dc.Get(), old);
        const int x = extent.cx / 52, y = extent.cy;
        return {x,
                y,
                gdi::MulDiv(8, x, 4),
                gdi::MulDiv(8, y, 8),
                gdi::MulDiv(10, x, 4),
                gdi::MulDiv(10, y, 8),
                gdi::MulDiv(50, x, 4),
                gdi::MulDiv(14, y, 8),
                gdi::MulDiv(4, x, 4)};
    }

    static gdi::RECT TextRect(TMessageForm& form, const std::string& text) {
        ScopedMemoryDc dc;
        const gdi::HFONT old = gdi::SelectObject(dc.Get(), form.Font().Handle());
        gdi::RECT r{0, 0, 512, 0};
        gdi::DrawText(dc.Get(), text.c_str(), -1, &r,
                      gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS);
        gdi::SelectObject(dc.Get(), old);
        return r;
    }

    static TButton* ButtonOf(TMessageForm& form, const char* name) {
        return dynamic_cast<TButton*>(form.FindComponent(name));
    }
    static TLabel& MessageOf(TMessageForm& form) {
        return *dynamic_cast<TLabel*>(form.FindComponent("Message"));
    }
    static void ExpectBounds(const TControl& control, int left, int top, int width, int height) {
        EXPECT_EQ(control.Left(), left) << control.Name();
        EXPECT_EQ(control.Top(), top) << control.Name();
        EXPECT_EQ(control.Width(), width) << control.Name();
        EXPECT_EQ(control.Height(), height) << control.Name();
    }
    static int ButtonCount(TMessageForm& form) {
        int count = 0;
        for (int i = 0; i < form.ComponentCount(); ++i)
            count += dynamic_cast<TButton*>(form.Components(i)) != nullptr;
        return count;
    }
};

TEST_F(MessageDialog, MetricsComeFromTheMessageFontsAverageCharacter) {
    auto form = Build("Hi", mtInformation, {mbOK});
    const Units u = UnitsOf(*form);
    // Tahoma 8 gives the classic dialog units: 6 x 13 (after the integer division by 52).
    EXPECT_GT(u.x, 3);
    EXPECT_GT(u.y, 10);
    EXPECT_EQ(form->Font().Height(), -11);
    const TButton* ok = ButtonOf(*form, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Height(), u.bh);
    EXPECT_EQ(ok->Width(), std::max(u.bw, ButtonWidths().Cached(mbOK)));
}

TEST_F(MessageDialog, AOneLineMessageNarrowerThanTheButtonRowTakesTheRowsWidth) {
    const std::string text = "Hi";
    TMsgDlgButtons buttons{mbYes, mbNo, mbCancel};
    auto form = Build(text, mtInformation, buttons);
    const Units u = UnitsOf(*form);
    const gdi::RECT t = TextRect(*form, text);
    const int bw = std::max(
        {u.bw, ButtonWidths().Cached(mbYes), ButtonWidths().Cached(mbNo), ButtonWidths().Cached(mbCancel)});
    const int group = 3 * bw + 2 * u.bs;
    const int block = t.right + 32 + u.hs;
    ASSERT_LT(block, group);
    EXPECT_EQ(form->ClientWidth(), group + 2 * u.hm);
    EXPECT_EQ(form->ClientHeight(), 32 + u.bh + u.vs + 2 * u.vm);
    const TLabel& label = MessageOf(*form);
    EXPECT_EQ(label.Left(), block + u.hm - t.right);
    EXPECT_EQ(label.Left(), 32 + u.hs + u.hm);  // to the right of the icon
    EXPECT_EQ(label.Top(), u.vm);
    EXPECT_EQ(label.Width(), t.right);
    EXPECT_EQ(label.Height(), t.bottom);
    EXPECT_TRUE(label.WordWrap());
    const auto* image = dynamic_cast<TImage*>(form->FindComponent("Image"));
    ASSERT_NE(image, nullptr);
    ExpectBounds(*image, u.hm, u.vm, 32, 32);
    int x = (form->ClientWidth() - group) / 2;
    for (const char* name : {"Yes", "No", "Cancel"}) {
        const TButton* button = ButtonOf(*form, name);
        ASSERT_NE(button, nullptr) << name;
        ExpectBounds(*button, x, 32 + u.vm + u.vs, bw, u.bh);
        x += bw + u.bs;
    }
}

TEST_F(MessageDialog, AMessageLongerThanHalfTheScreenWrapsAndGrowsInHeightOnly) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "word" + std::to_string(i) + " ";
    auto form = Build(text, mtInformation, {mbOK});
    const Units u = UnitsOf(*form);
    const gdi::RECT t = TextRect(*form, text);
    EXPECT_LE(t.right, Screen().Width() / 2);
    EXPECT_GT(t.bottom, 2 * u.y);  // several lines
    EXPECT_EQ(form->ClientWidth(), t.right + 32 + u.hs + 2 * u.hm);
    EXPECT_EQ(form->ClientHeight(), t.bottom + u.bh + u.vs + 2 * u.vm);
    EXPECT_EQ(MessageOf(*form).Height(), t.bottom);
    EXPECT_EQ(ButtonOf(*form, "OK")->Top(), t.bottom + u.vm + u.vs);
}

TEST_F(MessageDialog, TabsExpandAndTheLayoutCentresTheFormOnTheScreen) {
    const std::string text = "Name:\tvalue";
    auto form = Build(text, mtWarning, {mbOK});
    const gdi::RECT t = TextRect(*form, text);
    EXPECT_EQ(MessageOf(*form).Width(), t.right);
    EXPECT_EQ(form->Left(), Screen().Width() / 2 - form->Width() / 2);
    EXPECT_EQ(form->Top(), Screen().Height() / 2 - form->Height() / 2);
}

TEST_F(MessageDialog, WithoutButtonsTheRowHeightIsStillReserved) {
    const std::string text = "Nothing to press";
    auto form = Build(text, mtCustom, {});
    const Units u = UnitsOf(*form);
    const gdi::RECT t = TextRect(*form, text);
    EXPECT_EQ(ButtonCount(*form), 0);
    EXPECT_EQ(form->FindComponent("Image"), nullptr);
    EXPECT_EQ(form->ClientWidth(), t.right + 2 * u.hm);
    EXPECT_EQ(form->ClientHeight(), t.bottom + u.bh + u.vs + 2 * u.vm);
    EXPECT_EQ(MessageOf(*form).Left(), u.hm);
}

TEST_F(MessageDialog, AllButtonsInTableOrderWithNamesCaptionsAndResults) {
    const TMsgDlgButtons all{mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                             mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};
    EXPECT_EQ(all.Bits(), 0x7FF);
    EXPECT_EQ(TMsgDlgButtons{mbOK}.Bits(), 4);
    auto form = Build("Everything", mtConfirmation, all);
    const Units u = UnitsOf(*form);
    struct Expected {
        const char* name;
        const char* caption;
        TModalResult result;
    };
    const Expected expected[] = {{"Yes", "&Yes", 6},
                                 {"No", "&No", 7},
                                 {"OK", "OK", 1},
                                 {"Cancel", "Cancel", 2},
                                 {"Abort", "&Abort", 3},
                                 {"Retry", "&Retry", 4},
                                 {"Ignore", "&Ignore", 5},
                                 {"All", "&All", 8},
                                 {"NoToAll", "N&o to All", 9},
                                 {"YesToAll", "Yes to &All", 10},
                                 {"Help", "&Help", 0}};
    int bw = u.bw;
    for (int b = 0; b < kMsgDlgBtnCount; ++b) bw = std::max(bw, ButtonWidths().Cached(TMsgDlgBtn(b)));
    const int group = 11 * bw + 10 * u.bs;
    EXPECT_EQ(form->ClientWidth(), group + 2 * u.hm);
    int x = u.hm;
    std::vector<TButton*> created;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(form->Components(i))) created.push_back(button);
    ASSERT_EQ(created.size(), 11u);
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(created[i]->Name(), expected[i].name);
        EXPECT_EQ(created[i]->Caption(), expected[i].caption);
        EXPECT_EQ(created[i]->ModalResult(), expected[i].result) << expected[i].name;
        EXPECT_EQ(created[i]->Left(), x) << expected[i].name;
        EXPECT_EQ(created[i]->Width(), bw);
        EXPECT_EQ(created[i]->Default(), i == 2) << expected[i].name;
        EXPECT_EQ(created[i]->Cancel(), i == 3) << expected[i].name;
        x += bw + u.bs;
    }
    // A caption wider than the base width widens every button.
    EXPECT_GT(ButtonWidths().Cached(mbYesToAll), 0);
}

TEST_F(MessageDialog, DefaultAndCancelButtonsFollowTheirPreferences) {
    struct Case {
        TMsgDlgButtons buttons;
        const char* defaultName;
        const char* cancelName;
    };
    const Case cases[] = {{{mbYes, mbNo}, "Yes", "No"},
                          {{mbYes, mbNo, mbCancel}, "Yes", "Cancel"},
                          {{mbOK, mbCancel}, "OK", "Cancel"},
                          {{mbAbort, mbRetry, mbIgnore}, "Retry", nullptr},
                          {{mbOK}, "OK", "OK"},
                          {{mbAll, mbHelp}, nullptr, nullptr}};
    for (const Case& c : cases) {
        auto form = Build("Choose", mtConfirmation, c.buttons);
        for (int i = 0; i < form->ComponentCount(); ++i) {
            auto* button = dynamic_cast<TButton*>(form->Components(i));
            if (!button) continue;
            EXPECT_EQ(button->Default(), c.defaultName && button->Name() == c.defaultName) << button->Name();
            EXPECT_EQ(button->Cancel(), c.cancelName && button->Name() == c.cancelName) << button->Name();
        }
    }
}

TEST_F(MessageDialog, CaptionsAndIconsPerType) {
    Application().SetTitle("Tesvo Plexon");
    const std::pair<TMsgDlgType, const char*> types[] = {{mtWarning, "Warning"},
                                                         {mtError, "Error"},
                                                         {mtInformation, "Information"},
                                                         {mtConfirmation, "Confirm"},
                                                         {mtCustom, "Tesvo Plexon"}};
    for (const auto& [type, caption] : types) {
        auto form = Build("x", type, {mbOK});
        EXPECT_EQ(form->Caption(), caption);
        EXPECT_EQ(form->BorderStyle(), bsDialog);
        EXPECT_TRUE(form->KeyPreview());
        EXPECT_EQ(form->FindComponent("Image") != nullptr, type != mtCustom) << caption;
    }
}

TEST_F(MessageDialog, RightToLeftMirrorsTheMessageAcrossTheClientArea) {
    const std::string text = "Hi";
    auto ltr = Build(text, mtInformation, {mbOK, mbCancel});
    SetApplicationBiDiMode(bdRightToLeft);
    auto rtl = Build(text, mtInformation, {mbOK, mbCancel});
    EXPECT_EQ(rtl->BiDiMode(), bdRightToLeft);
    const TLabel& a = MessageOf(*ltr);
    const TLabel& b = MessageOf(*rtl);
    EXPECT_EQ(b.Left(), rtl->ClientWidth() - a.Left() - a.Width());
    EXPECT_EQ(b.Width(), a.Width());
    EXPECT_EQ(rtl->FindComponent("Image")->Name(), "Image");
    EXPECT_EQ(dynamic_cast<TImage*>(rtl->FindComponent("Image"))->Left(),
              dynamic_cast<TImage*>(ltr->FindComponent("Image"))->Left());
}

TEST(ButtonWidthCache, MeasuresEachKindOnceAndAddsEight) {
    TButtonWidthCache cache;
    int measured = 0;
    auto measure = [&] {
        ++measured;
        return 30;
    };
    EXPECT_EQ(cache.Cached(mbRetry), 0);
    EXPECT_EQ(cache.Width(mbRetry, measure), 38);
    EXPECT_EQ(cache.Width(mbRetry, measure), 38);
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(cache.Width(mbIgnore, measure), 38);
    EXPECT_EQ(measured, 2);
    EXPECT_EQ(cache.Cached(mbRetry), 38);
}

TEST_F(MessageDialog, TheProcessCacheHoldsTheMeasuredCaptionWidthsPlusEight) {
    auto form = Build("x", mtInformation, {mbNoToAll});
    ScopedMemoryDc dc;
    const gdi::HFONT old = gdi::SelectObject(dc.Get(), form->Font().Handle());
    gdi::RECT r{0, 0, 0, 0};
    gdi::DrawText(dc.Get(), "N&o to All", -1, &r, gdi::DT_CALCRECT | gdi::DT_SINGLELINE);
    gdi::SelectObject(dc.Get(), old);
    EXPECT_EQ(ButtonWidths().Cached(mbNoToAll), r.right + 8);
    const int before = ButtonWidths().Cached(mbNoToAll);
    auto second = Build("y", mtWarning, {mbNoToAll});
    EXPECT_EQ(ButtonWidths().Cached(mbNoToAll), before);
}

TEST_F(MessageDialog, CtrlCCopiesTheWholeTextByteForByteAndBeeps) {
    const std::string expected =
        "---------------------------\n"
        "Information\n"
        "---------------------------\n"
        "Please select the images to join.\n"
        "---------------------------\n"
        "OK   \n"
        "---------------------------\n";
    std::string copied;
    int beeps = -1;
    Headless().SetClipboardText("old");
    Headless().WhenIdle([&] {
        const int before = Headless().Beeps();
        Key('C', window::Shift::Ctrl | window::Shift::Shift);  // not Ctrl alone: nothing
        Key('C', window::Shift::Ctrl | window::Shift::Alt);
        Pump();
        EXPECT_EQ(Headless().ClipboardText(), "old");
        Key('C', window::Shift::Ctrl);
        Pump();
        beeps = Headless().Beeps() - before;
        copied = Headless().ClipboardText();
        Key(window::vk::kReturn);
    });
    EXPECT_EQ(RunMessageDialog("Please select the images to join.", mtInformation, {mbOK}, 0, -1, -1, ""),
              mrOk);
    EXPECT_EQ(copied, expected);
    EXPECT_EQ(beeps, 1);
}

TEST_F(MessageDialog, AClipboardThatCannotBeOpenedIsReportedAndTheDialogStaysOpen) {
    Headless().SetClipboardText("old");
    Headless().SetClipboardOpens(false);
    std::string reported;
    bool dialogAfter = false;
    Headless().WhenIdle([&] { Key('C', window::Shift::Ctrl); });
    Headless().WhenIdle([&] {
        TForm* box = Screen().ActiveForm();
        ASSERT_NE(box, nullptr);
        reported = static_cast<TLabel*>(box->FindComponent("Message"))->Caption();
        Key(window::vk::kReturn);
    });
    Headless().WhenIdle([&] {
        TForm* active = Screen().ActiveForm();
        dialogAfter = active != nullptr && dynamic_cast<TMessageForm*>(active) != nullptr &&
                      active->Caption() == "Warning";
        Key(window::vk::kEscape);
    });
    EXPECT_EQ(RunMessageDialog("Copy me", mtWarning, {mbOK, mbCancel}, 0, -1, -1, ""), mrCancel);
    EXPECT_EQ(reported, "Cannot open clipboard.");
    EXPECT_TRUE(dialogAfter);
    EXPECT_EQ(Headless().ClipboardText(), "old");
}

TEST_F(MessageDialog, CopiedButtonsLoseTheirAmpersandsAndKeepCreationOrder) {
    auto form = Build("Save & close?", mtConfirmation, {mbYes, mbNo, mbNoToAll, mbHelp});
    const std::string d = std::string(27, '-') + "\n";
    EXPECT_EQ(form->ClipboardText(),
              d + "Confirm\n" + d + "Save & close?\n" + d + "Yes   No   No to All   Help   \n" + d);
}

TEST_F(MessageDialog, RunningReturnsThePressedButtonsResultAndFreesTheDialog) {
    const int formsBefore = Screen().FormCount();
    int shownForms = 0;
    Headless().WhenIdle([&] {
        shownForms = Screen().FormCount();
        TForm* box = Screen().ActiveForm();
        ASSERT_NE(box, nullptr);
        Click(*dynamic_cast<TButton*>(box->FindComponent("No")));
    });
    EXPECT_EQ(RunMessageDialog("Replace?", mtConfirmation, {mbYes, mbNo}, 0, -1, -1, ""), mrNo);
    EXPECT_EQ(shownForms, formsBefore + 1);
    EXPECT_EQ(Screen().FormCount(), formsBefore);
    Headless().WhenIdle([] { Key(window::vk::kEscape); });
    EXPECT_EQ(RunMessageDialog("Stop?", mtWarning, {mbYes, mbNo}, 0, -1, -1, ""), mrNo);
}

TEST_F(MessageDialog, APositionPlacesTheDialogWhereItIsGiven) {
    gdi::POINT at{};
    Headless().WhenIdle([&] {
        TForm* box = Screen().ActiveForm();
        at = {box->Left(), box->Top()};
        Key(window::vk::kReturn);
    });
    RunMessageDialog("Here", mtInformation, {mbOK}, 0, 10, 20, "");
    EXPECT_EQ(at.x, 10);
    EXPECT_EQ(at.y, 20);
    int left = -1;
    Headless().WhenIdle([&] {
        left = Screen().ActiveForm()->Left();
        Key(window::vk::kReturn);
    });
    RunMessageDialog("Only the top", mtInformation, {mbOK}, 0, -1, 5, "");
    auto reference = Build("Only the top", mtInformation, {mbOK});
    EXPECT_EQ(left, reference->Left());
}

TEST_F(MessageDialog, HelpOpensTheHelpFileAndKeepsTheDialogOpen) {
    bool stillShown = false;
    Headless().WhenIdle([&] {
        TForm* box = Screen().ActiveForm();
        Click(*dynamic_cast<TButton*>(box->FindComponent("Help")));
        Pump();
        stillShown = Screen().ActiveForm() == box;
        Key(window::vk::kEscape);
    });
    EXPECT_EQ(RunMessageDialog("Help?", mtInformation, {mbOK, mbHelp}, 7, -1, -1, "manual.html"), mrOk);
    EXPECT_TRUE(stillShown);
    ASSERT_FALSE(Headless().OpenedUrls().empty());
    EXPECT_EQ(Headless().OpenedUrls().back(), "manual.html");
}

TEST_F(MessageDialog, ShownItPaintsTheIconAndTheText) {
    auto form = Build("Done", mtError, {mbOK});
    form->Show();
    Pump();
    const Units u = UnitsOf(*form);
    // The middle of the error icon's cross is white, its rim red.
    EXPECT_EQ(FramePixel(*form, u.hm + 16, u.vm + 16), 0xFFFFFFu);
    const std::uint32_t rim = FramePixel(*form, u.hm + 5, u.vm + 16);
    EXPECT_GT(rim >> 16 & 0xFF, 150u);
    EXPECT_LT(rim & 0xFF, 80u);
    form->Hide();
}

// File names with "&" show as written in the completion report, in the message's size and pixels:
// the model is the text drawn without the prefix rule. The buttons keep their access keys.
TEST_F(MessageDialog, TheMessageShowsItsAmpersandsAsWritten) {
    RunWarnings warnings;
    warnings.otherSizes = {"R&D.bmp (24 x 24)"};
    warnings.shortFiles = {"a&&b.bmp"};
    const std::string text = CompletionReport(1234, warnings);
    const std::unique_ptr<TMessageForm> form(BuildMessageDialog(text, mtWarning, {mbOK}, "Open &Folder"));
    const TLabel& message = MessageOf(*form);
    const gdi::UINT format = gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | gdi::DT_NOPREFIX;
    TBitmap model;
    const gdi::RECT r = MeasureControlText(model.Canvas().Handle(), text, {0, 0, 512, 0}, format, form->Font());
    ASSERT_EQ(message.Width(), r.right);
    model.SetWidth(r.right);
    model.SetHeight(r.bottom);
    FillSolid(model.Canvas().Handle(), r, clBtnFace);
    DrawControlText(model.Canvas().Handle(), text, r, format, form->Font());
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) expected.push_back(Rgb(model.Canvas().Pixels(x, y)));
    form->Show();
    Pump();
    EXPECT_EQ(FrameArea(form->Handle(), message.BoundsRect()), expected);
    form->Hide();
    Headless().WhenIdle([&] { Key('F', window::Shift::Alt); });
    EXPECT_EQ(form->ShowModal(), mrCustom);
}

}  // namespace
}  // namespace plexon::test
