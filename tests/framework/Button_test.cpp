// Push buttons as drawn: the dotted focus rectangle of the focused button, the caption in the
// button's font, and Space pressing the focused button.
#include "FormTestSupport.h"

#include "framework/Button.h"

namespace plexon::test {
namespace {

class Buttons : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 211, 57);
        first = new TButton(form);
        first->SetBounds(7, 9, 75, 25);
        first->SetParent(form);
        second = new TButton(form);
        second->SetBounds(99, 9, 75, 25);
        second->SetParent(form);
        first->OnClick = [this](TComponent*) { ++clicks; };
        form->Show();
        Pump();
    }
    TForm* form = nullptr;
    TButton* first = nullptr;
    TButton* second = nullptr;
    int clicks = 0;
};

TEST_F(Buttons, TheFocusedButtonWearsADottedFocusRectangle) {
    ASSERT_TRUE(first->Focused());
    const std::uint32_t face = Rgb(clBtnFace), dot = face ^ 0xFFFFFFu;
    // Along the top of the rectangle 4 pixels in, every other pixel is inverted; its corners are
    // on the checkerboard of the button's own coordinates.
    for (int x = 4; x < first->Width() - 4; ++x)
        EXPECT_EQ(ControlPixel(*first, x, 4), (x + 4) % 2 == 0 ? dot : face) << "at x " << x;
    for (int y = 5; y < first->Height() - 5; ++y)
        EXPECT_EQ(ControlPixel(*first, 4, y), (y + 4) % 2 == 0 ? dot : face) << "at y " << y;
    // The other button has none.
    for (int x = 4; x < second->Width() - 4; ++x) EXPECT_EQ(ControlPixel(*second, x, 4), face);
    Key(window::vk::kTab);
    Pump();
    EXPECT_EQ(ControlPixel(*first, 4, 4), face);
    EXPECT_EQ(ControlPixel(*second, 4, 4), dot);
}

TEST_F(Buttons, TheCaptionIsDrawnInTheButtonsFont) {
    first->SetCaption("Go");
    Pump();
    const Ink normal = InkOf(*first, Rgb(clBtnFace));
    first->Font().SetColor(clRed);
    first->Font().SetSize(14);
    Pump();
    int red = 0;
    for (int y = 6; y < first->Height() - 6; ++y)
        for (int x = 6; x < first->Width() - 6; ++x) red += ControlPixel(*first, x, y) == 0xFF0000u;
    EXPECT_GT(red, 30);
    EXPECT_GT(InkOf(*first, Rgb(clBtnFace)).count, normal.count);
}

TEST_F(Buttons, SpacePressesTheFocusedButtonOnRelease) {
    Desk().InputKey(window::vk::kSpace, true, window::Shift::None);
    Pump();
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(clicks, 0);
    Desk().InputKey(window::vk::kSpace, false, window::Shift::None);
    Pump();
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(clicks, 1);
}

// The access key's underline shows only while Alt is held: otherwise the button looks as it would
// without the "&"; the key works either way.
TEST_F(Buttons, TheAccessKeyIsUnderlinedOnlyWhileAltIsHeld) {
    const auto face = [&] { return FrameArea(form->Handle(), first->BoundsRect()); };
    first->SetCaption("Browse...");
    Pump();
    const std::vector<std::uint32_t> plain = face();
    first->SetCaption("&Browse...");
    Pump();
    EXPECT_EQ(face(), plain);
    Desk().InputKey(window::vk::kMenu, true, window::Shift::Alt);
    Pump();
    EXPECT_NE(face(), plain);
    Desk().InputKey(window::vk::kMenu, false, window::Shift::None);
    Pump();
    EXPECT_EQ(face(), plain);
    Key('B', window::Shift::Alt);
    Pump();
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace plexon::test
