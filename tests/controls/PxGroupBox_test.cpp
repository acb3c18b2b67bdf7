// The group box: caption and frame rectangles for every alignment, the main window's first box with
// its etched frame interrupted from x = 6, a blank caption, children kept inside band and frame,
// the caption font following the box's font until one of its own is set, and Alt+letter on group
// boxes and flat glyph buttons.
#include "controls/PxGroupBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "controls/PxSpeedButton.h"
#include "framework/Button.h"
#include "framework/FormTestSupport.h"
#include "support/Sheet.h"

namespace plexon {
namespace {

using test::Edges;

class GroupBox : public test::FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(50, 50, 413, 200);
        form->Font().SetName("Tahoma");
        form->Font().SetHeight(-11);
        box = new TPxGroupBox(form);
        box->SetBounds(8, 48, 397, 77);
        box->SetParent(form);
        box->SetCaption(" 1. Select the images to join ");
        box->SetTransparent(true);
        box->CaptionFont().SetName("Tahoma");
        box->CaptionFont().SetHeight(-11);
        box->CaptionFont().SetStyle({TFontStyle::Bold});
        form->Show();
        Pump();
    }
    TForm* form = nullptr;
    TPxGroupBox* box = nullptr;
};

TEST_F(GroupBox, FirstSectionFrameAndItsCaptionGap) {
    EXPECT_FALSE(box->CaptionParentFont());
    ASSERT_EQ(box->CaptionBand(), 13);
    EXPECT_EQ(Edges(box->FrameRect()), (std::array<int, 4>{0, 5, 397, 77}));
    const gdi::RECT text = box->CaptionTextBox();
    EXPECT_EQ(text.left, 8);
    EXPECT_EQ(text.top, 0);
    const std::uint32_t face = Rgb(clBtnFace), grey = Rgb(clBtnShadow), white = Rgb(clBtnHighlight);
    // The etched frame: grey over white on top and left, white outside grey at the bottom and right.
    for (int x : {0, 2, 5, int(text.right), 200, 390}) {
        EXPECT_EQ(ControlPixel(*box, x, 5), grey) << x;
        if (x > 0) {
            EXPECT_EQ(ControlPixel(*box, x, 6), white) << x;
        }
    }
    for (int y : {6, 40, 75}) {
        EXPECT_EQ(ControlPixel(*box, 0, y), grey) << y;
        EXPECT_EQ(ControlPixel(*box, 395, y), grey) << y;
        EXPECT_EQ(ControlPixel(*box, 396, y), white) << y;
    }
    EXPECT_EQ(ControlPixel(*box, 200, 75), grey);
    EXPECT_EQ(ControlPixel(*box, 200, 76), white);
    // From x = 6 to the end of the text box the lines give way to the background (or the text).
    for (int x : {6, 7, 8}) {
        EXPECT_EQ(ControlPixel(*box, x, 5), face) << x;
        EXPECT_EQ(ControlPixel(*box, x, 6), face) << x;
    }
    int ink = 0;
    for (int x = text.left; x < text.right; ++x)
        for (int y = 0; y < text.bottom; ++y) ink += ControlPixel(*box, x, y) == Rgb(clBlack);
    EXPECT_GT(ink, 100);  // bold caption text in the box
}

TEST_F(GroupBox, ABlankCaptionFramesTheWholeBox) {
    box->SetCaption("   ");
    Pump();
    for (int x : {0, 8, 100}) EXPECT_EQ(ControlPixel(*box, x, 0), Rgb(clBtnShadow)) << x;
}

TEST_F(GroupBox, CaptionAndFrameRectanglesForEveryAlignment) {
    box->SetBounds(8, 48, 185, 105);
    const struct {
        TPxGroupCaptionAlign align;
        std::array<int, 4> caption, frame, children;
        std::array<int, 2> shift;  // of the text in its box, from the top-left alignment's place
    } rows[] = {
        {gcaTopLeft, {8, 0, 185, 13}, {0, 5, 185, 105}, {2, 15, 183, 103}, {0, 0}},
        {gcaTopCenter, {0, 0, 185, 13}, {0, 5, 185, 105}, {2, 15, 183, 103}, {1, 0}},
        {gcaTopRight, {0, 0, 177, 13}, {0, 5, 185, 105}, {2, 15, 183, 103}, {2, 0}},
        {gcaLeftBottom, {0, 0, 13, 97}, {5, 0, 185, 105}, {15, 2, 183, 103}, {0, 2}},
        {gcaLeftCenter, {0, 0, 13, 105}, {5, 0, 185, 105}, {15, 2, 183, 103}, {0, 1}},
        {gcaLeftTop, {0, 8, 13, 105}, {5, 0, 185, 105}, {15, 2, 183, 103}, {0, 0}},
        {gcaBottomLeft, {8, 92, 185, 105}, {0, 0, 185, 100}, {2, 2, 183, 90}, {0, 2}},
        {gcaBottomCenter, {0, 92, 185, 105}, {0, 0, 185, 100}, {2, 2, 183, 90}, {1, 2}},
        {gcaBottomRight, {0, 92, 177, 105}, {0, 0, 185, 100}, {2, 2, 183, 90}, {2, 2}},
        {gcaRightTop, {172, 10, 185, 105}, {0, 0, 180, 105}, {2, 2, 170, 103}, {0, 0}},
        {gcaRightCenter, {172, 2, 185, 105}, {0, 0, 180, 105}, {2, 2, 170, 103}, {0, 1}},
        {gcaRightBottom, {172, 2, 185, 97}, {0, 0, 180, 105}, {2, 2, 170, 103}, {0, 2}},
    };
    box->SetCaption("Box");  // short enough for every side
    auto* child = new TPxGroupBox(form);
    child->SetParent(box);
    child->SetAlign(alClient);
    std::array<int, 2> first{};
    for (const auto& row : rows) {
        box->SetAlignment(row.align);
        EXPECT_EQ(Edges(box->CaptionRect()), row.caption) << int(row.align);
        EXPECT_EQ(Edges(box->FrameRect()), row.frame) << int(row.align);
        EXPECT_EQ(Edges(child->BoundsRect()), row.children) << int(row.align);
        Pump();
        // The text's ink less the shift is where it is for its side's first alignment.
        const gdi::RECT text = box->CaptionTextBox();
        std::array<int, 2> ink{text.right, text.bottom};
        for (int y = text.top; y < text.bottom; ++y)
            for (int x = text.left; x < text.right; ++x)
                if (ControlPixel(*box, x, y) == Rgb(clBlack))
                    ink = {std::min(ink[0], x), std::min(ink[1], y)};
        EXPECT_LT(ink[1], text.bottom) << int(row.align);
        const std::array<int, 2> at{ink[0] - text.left - row.shift[0], ink[1] - text.top - row.shift[1]};
        if ((&row - rows) % 3 == 0) first = at;  // each side's first row
        EXPECT_EQ(at, first) << int(row.align);
    }
}

TEST_F(GroupBox, TheCaptionFontFollowsTheBoxUntilItHasItsOwn) {
    auto* plain = new TPxGroupBox(form);
    plain->SetParent(form);
    EXPECT_TRUE(plain->CaptionParentFont());
    EXPECT_EQ(plain->CaptionFont().Name(), "Tahoma");
    form->Font().SetHeight(-16);
    EXPECT_EQ(plain->CaptionFont().Height(), -16);
    plain->CaptionFont().SetStyle({TFontStyle::Bold});
    EXPECT_FALSE(plain->CaptionParentFont());
    form->Font().SetHeight(-11);
    EXPECT_EQ(plain->CaptionFont().Height(), -16);
    plain->SetCaptionParentFont(true);
    EXPECT_EQ(plain->CaptionFont().Height(), -11);
}

// Alt+letter in turn: the box focuses its first enabled tab stop, a lone flat button clicks, group
// buttons latch (and release only with AllowAllUp), and disabled or hidden controls take nothing.
TEST_F(GroupBox, AcceleratorsOfBoxesAndFlatButtons) {
    box->SetCaption("&Sources");
    auto addButton = [&](TWinControl* parent, const char* caption) {
        auto* b = new TButton(form);
        b->SetParent(parent);
        b->SetCaption(caption);
        return b;
    };
    TButton* off = addButton(box, "first");
    TButton* inner = addButton(box, "second");
    off->SetEnabled(false);
    TButton* other = addButton(form, "Other");
    int clicks = 0;
    auto addFlat = [&](const char* caption, int group, bool allUp) {
        auto* b = new TPxSpeedButton(form);
        b->SetParent(form);
        b->SetCaption(caption);
        b->SetGroupIndex(group);
        b->SetAllowAllUp(allUp);
        b->OnClick = [&clicks](TComponent*) { ++clicks; };
        return b;
    };
    TPxSpeedButton* go = addFlat("&Go", 0, false);
    TPxSpeedButton* left = addFlat("&Left", 1, false);
    TPxSpeedButton* right = addFlat("&Right", 1, false);
    TPxSpeedButton* up = addFlat("&Up", 2, true);
    addFlat("&Dead", 0, false)->SetEnabled(false);
    other->SetFocus();
    struct Step {
        std::function<void()> before;
        char key;
        TWinControl* focused;
        int clicks;
        bool left, right, up;
    };
    const std::vector<Step> steps = {
        {{}, 'G', other, 1, false, false, false},
        {{}, 'L', other, 1, true, false, false},
        {{}, 'R', other, 1, false, true, false},
        {{}, 'R', other, 1, false, true, false},
        {{}, 'U', other, 1, false, true, true},
        {{}, 'U', other, 1, false, true, false},
        {{}, 'D', other, 1, false, true, false},
        {[&] { go->SetVisible(false); }, 'G', other, 1, false, true, false},
        {{}, 'S', inner, 1, false, true, false},
        {[&] { other->SetFocus(), box->SetEnabled(false); }, 'S', other, 1, false, true, false},
        {[&] { box->SetEnabled(true), box->SetShowAccelChar(false); }, 'S', other, 1, false, true, false},
        {[&] { box->SetShowAccelChar(true), inner->SetEnabled(false); }, 'S', other, 1, false, true, false},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        if (step.before) step.before();
        Key(step.key, window::Shift::Alt);
        Pump();
        EXPECT_TRUE(step.focused->Focused()) << i;
        EXPECT_EQ(clicks, step.clicks) << i;
        EXPECT_EQ(std::make_tuple(left->Pressed(), right->Pressed(), up->Pressed()),
                  std::make_tuple(step.left, step.right, step.up))
            << i;
    }
}

}  // namespace
}  // namespace plexon
