// Control fonts: following the parent's font, letting go of it on a change of one's own, and text
// drawn in the control's font and colour.
#include "FormTestSupport.h"

#include "framework/ControlDrawing.h"
#include "framework/Label.h"
#include "graphics/GdiSupport.h"

namespace plexon::test {
namespace {

class ControlFonts : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 233, 91);
        panel = new TWinControl(form);
        panel->SetBounds(0, 0, 233, 91);
        panel->SetParent(form);
        label = new TLabel(form);
        label->SetBounds(5, 5, 211, 37);
        label->SetCaption("Hot suffix");
        label->SetParent(panel);
    }
    TForm* form = nullptr;
    TWinControl* panel = nullptr;
    TLabel* label = nullptr;
};

TEST_F(ControlFonts, ANewChildTakesItsParentsFont) {
    form->Font().SetName("Verdana");
    form->Font().SetSize(11);
    auto* late = new TLabel(form);
    late->SetParent(form);
    EXPECT_TRUE(late->ParentFont());
    EXPECT_EQ(late->Font().Name(), "Verdana");
    EXPECT_EQ(late->Font().Size(), 11);
}

TEST_F(ControlFonts, ParentChangesReachEveryDescendantThatFollows) {
    form->Font().SetStyle({TFontStyle::Bold});
    form->Font().SetColor(clNavy);
    EXPECT_TRUE(panel->Font().Style().Contains(TFontStyle::Bold));
    EXPECT_TRUE(label->Font().Style().Contains(TFontStyle::Bold));
    EXPECT_EQ(label->Font().Color(), clNavy);
    // Following the parent is no change of one's own.
    EXPECT_TRUE(panel->ParentFont());
    EXPECT_TRUE(label->ParentFont());
    EXPECT_FALSE(form->ParentFont());  // a form has no parent to follow and changed its own
}

TEST_F(ControlFonts, AFontOfItsOwnClearsParentFontAndStaysPut) {
    label->Font().SetSize(14);
    EXPECT_FALSE(label->ParentFont());
    form->Font().SetName("Verdana");
    EXPECT_EQ(panel->Font().Name(), "Verdana");
    EXPECT_EQ(label->Font().Name(), "Tahoma");
    EXPECT_EQ(label->Font().Size(), 14);
    TFont chosen;
    chosen.SetName("Verdana");
    panel->SetParentFont(true);
    panel->SetFont(chosen);
    EXPECT_FALSE(panel->ParentFont());
}

TEST_F(ControlFonts, ParentFontTrueTakesTheParentsFontAgain) {
    form->Font().SetHeight(-15);
    label->Font().SetHeight(-9);
    label->SetParentFont(true);
    EXPECT_EQ(label->Font().Height(), -15);
    form->Font().SetHeight(-16);
    EXPECT_EQ(label->Font().Height(), -16);
}

TEST_F(ControlFonts, AssignFontCopiesTheWholeDescription) {
    TFont source;
    source.SetName("Verdana");
    source.SetHeight(-13);
    source.SetColor(TColor(0x000080));
    source.SetStyle({TFontStyle::Italic});
    TFont target;
    AssignFont(target, source);
    EXPECT_EQ(target.Name(), "Verdana");
    EXPECT_EQ(target.Height(), -13);
    EXPECT_EQ(target.Color(), TColor(0x000080));
    EXPECT_TRUE(target.Style().Contains(TFontStyle::Italic));
}

TEST_F(ControlFonts, TextIsDrawnInTheControlsFontAndColour) {
    form->Show();
    Pump();
    const std::uint32_t face = Rgb(clBtnFace);
    const Ink small = InkOf(*label, face);
    ASSERT_GT(small.count, 0);
    label->Font().SetSize(16);
    label->Font().SetColor(clRed);
    Pump();
    const Ink large = InkOf(*label, face);
    ASSERT_GT(large.count, 0);
    // The ink spans what the font measures.
    const ScopedMemoryDc measuring;
    const gdi::SIZE extent = ControlTextExtent(measuring.Get(), "Hot suffix", label->Font());
    EXPECT_NEAR(large.box.right, extent.cx, 3);
    EXPECT_GT(large.box.bottom - large.box.top, small.box.bottom - small.box.top + 4);
    EXPECT_GT(large.box.right, small.box.right + 20);
    // Every inked pixel is red or red blended into the face (the glyph edges are smoothed).
    int reddish = 0, pure = 0;
    for (int y = large.box.top; y < large.box.bottom; ++y)
        for (int x = large.box.left; x < large.box.right; ++x) {
            const std::uint32_t p = ControlPixel(*label, x, y);
            if (p == face) continue;
            const int r = int(p >> 16), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
            reddish += r > g && r > b;
            pure += p == 0xFF0000u;
        }
    EXPECT_EQ(reddish, large.count);
    EXPECT_GT(pure, 50);
}

TEST_F(ControlFonts, ParentColourFollowsTheSameWay) {
    panel->SetParentColor(true);
    form->SetColor(clNavy);
    EXPECT_EQ(panel->Color(), clNavy);
    EXPECT_EQ(label->Color(), clNavy);  // labels follow their parent's colour from the start
    label->SetColor(clWhite);
    EXPECT_FALSE(label->ParentColor());
    form->SetColor(clLime);
    EXPECT_EQ(panel->Color(), clLime);
    EXPECT_EQ(label->Color(), clWhite);
}

}  // namespace
}  // namespace plexon::test
