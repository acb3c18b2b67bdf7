// The About window: layout, the picture read from its form value and decoded only when painted,
// Enter closing and Esc not, a fresh window per About click, and the main window kept from input.
#include "forms/FormAbout.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "controls/MarkupLabel.h"
#include "controls/PxPanelFill.h"
#include "controls/PxSpeedButton.h"
#include "forms/FormMain.h"
#include "framework/Button.h"
#include "framework/FormTestSupport.h"
#include "framework/Image.h"
#include "framework/Shape.h"
#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"

namespace plexon::test {
namespace {

std::array<int, 4> Bounds(const TControl& c) {
    return {c.Left(), c.Top(), c.Width(), c.Height()};
}

class AboutWindow : public FormTest {
  protected:
    TModalResult RunWith(TfrmAbout* form, std::function<void()> script) {
        Headless().WhenIdle(std::move(script));
        return form->ShowModal();
    }
};

TEST_F(AboutWindow, FramedBorderlessWindowAtTheScreenCentreWithItsPicture) {
    auto* form = new TfrmAbout(&Application());
    EXPECT_EQ(form->Caption(), "About");
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(form->ClientWidth(), 534);
    EXPECT_EQ(form->ClientHeight(), 301);
    EXPECT_EQ(Bounds(*form->Shape1), (std::array<int, 4>{0, 0, 534, 301}));
    EXPECT_EQ(form->Shape1->PenWidth(), 2);
    EXPECT_EQ(Bounds(*form->btnClose), (std::array<int, 4>{412, 256, 103, 25}));
    EXPECT_EQ(form->btnClose->Caption(), "Close");
    EXPECT_TRUE(form->btnClose->Default());
    EXPECT_FALSE(form->btnClose->Cancel());
    EXPECT_EQ(form->btnClose->ModalResult(), mrOk);

    EXPECT_EQ(Bounds(*form->Image1), (std::array<int, 4>{3, 28, 250, 200}));
    EXPECT_EQ(form->Image1->Picture().ClassName(), "TJPEGImage");
    auto* jpeg = dynamic_cast<TJPEGImage*>(form->Image1->Picture().Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->DecodedBitmap(), nullptr);  // not before it is drawn

    std::array<int, 2> place{};
    EXPECT_EQ(RunWith(form,
                      [&] {
                          place = {form->Left(), form->Top()};
                          Key(window::vk::kReturn);
                      }),
              mrOk);
    EXPECT_EQ(place, (std::array<int, 2>{(Screen().Width() - 534) / 2, (Screen().Height() - 301) / 2}));
    ASSERT_NE(jpeg->DecodedBitmap(), nullptr);
    EXPECT_EQ(jpeg->DecodedBitmap()->PixelLayout(), BitmapPixelLayout::Bits24);
}

TEST_F(AboutWindow, LabelsInCreationOrder) {
    auto* form = new TfrmAbout(&Application());
    struct Placed {
        const TControl* control;
        std::array<int, 4> bounds;
    };
    const Placed placed[] = {
        {form->Shape1, {0, 0, 534, 301}},       {form->MarkupLabel1, {264, 12, 265, 205}},
        {form->Image1, {3, 28, 250, 200}},      {form->MarkupLabel4, {8, 216, 221, 77}},
        {form->MarkupLabel2, {12, 8, 429, 49}}, {form->btnClose, {412, 256, 103, 25}},
    };
    for (std::size_t i = 0; i < std::size(placed); ++i) {
        EXPECT_EQ(Bounds(*placed[i].control), placed[i].bounds) << i;
        EXPECT_EQ(form->Controls(int(i)), placed[i].control) << i;
    }
    for (TMarkupLabel* label : {form->MarkupLabel1, form->MarkupLabel4, form->MarkupLabel2}) {
        EXPECT_TRUE(label->Transparent());
        EXPECT_EQ(label->URLColor(), clBlue);
        EXPECT_EQ(label->ShadowColor(), clGray);
        EXPECT_EQ(label->ShadowOffset(), 2);
        EXPECT_FALSE(label->AutoSizing());
    }
    EXPECT_EQ(form->MarkupLabel2->HTMLText().Text(), std::string(kAboutProductMarkup) + "\r\n");
    EXPECT_NE(form->MarkupLabel1->HTMLText().Text().find("mailto:info@tesvo.example"), std::string::npos);
    EXPECT_NE(form->MarkupLabel4->HTMLText().Text().find("https://www.tesvo.example/"), std::string::npos);

    // White to RGB(0, 64, 128) and back: 42 colours, then 41.
    const GradientTable& colours = form->PxPanelFill1->FillObject().Gradient().Colors();
    ASSERT_EQ(colours.size(), 83u);
    EXPECT_EQ(colours.front(), 0xFFFFFFu);
    EXPECT_EQ(colours[41], 0x804000u);
    EXPECT_EQ(colours.back(), 0xFFFFFFu);
}

TEST_F(AboutWindow, TheWebAddressFitsItsLabelCentred) {
    auto* form = new TfrmAbout(&Application());
    const TControl& label = *form->MarkupLabel4;
    int left = label.Width(), right = -1;
    RunWith(form, [&] {
        // The link and its underline are the label's only pure blue.
        for (int y = 0; y < label.Height(); ++y)
            for (int x = 0; x < label.Width(); ++x)
                if (ControlPixel(label, x, y) == 0x0000FFu) left = std::min(left, x), right = std::max(right, x);
        Key(window::vk::kReturn);
    });
    ASSERT_GE(right, 0);
    EXPECT_LT(right, label.Width() - 1);
    EXPECT_LE(std::abs(left - (label.Width() - 1 - right)), 2);
}

TEST_F(AboutWindow, EscDoesNothingAndTheMouseCannotMoveIt) {
    auto* form = new TfrmAbout(&Application());
    bool openAfterEsc = false;
    std::array<int, 2> before{}, after{};
    const TModalResult result = RunWith(form, [&] {
        Key(window::vk::kEscape);
        openAfterEsc = form->ModalResult() == mrNone;
        before = {form->Left(), form->Top()};
        // A drag from inside the frame, where a title bar would be on other windows.
        const window::HWND top = form->Handle();
        Desk().InputMouseButton(top, {100, 4}, window::MouseButton::Left, true, 1, window::Shift::Left);
        Desk().InputMouseMove(top, {160, 40}, window::Shift::Left);
        Desk().InputMouseButton(top, {160, 40}, window::MouseButton::Left, false, 1, window::Shift::None);
        Headless().WhenIdle([&] {
            after = {form->Left(), form->Top()};
            Click(*form->btnClose);
        });
    });
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(after, before);
}

TEST_F(AboutWindow, EachAboutClickMakesAFreshWindowAndTheMainWindowTakesNoInput) {
    auto* main = new TfrmMain(&Application());
    main->Show();
    Pump();
    std::vector<const TfrmAbout*> seen;
    int clicksOnMain = 0;
    main->btnOptions->OnClick = [&](TComponent*) { ++clicksOnMain; };
    for (int round = 0; round < 2; ++round) {
        Headless().WhenIdle([&] {
            seen.push_back(frmAbout);
            Click(*main->btnOptions);  // refused while the About window is shown
            Headless().WhenIdle([] { Key(window::vk::kReturn); });
        });
        Click(*main->btnAbout);
        Pump();
        EXPECT_EQ(frmAbout, nullptr);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0], nullptr);
    EXPECT_NE(seen[1], nullptr);
    EXPECT_EQ(clicksOnMain, 0);
}

}  // namespace
}  // namespace plexon::test
