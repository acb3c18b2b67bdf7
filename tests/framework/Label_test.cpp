// Labels on a form: word wrap, alignment, the "&" prefix, transparency over what lies beneath
// (parent-drawn transparency of windowless controls), and Alt+letter focusing FocusControl.
#include "FormTestSupport.h"

#include "framework/Button.h"
#include "framework/GraphicControl.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "framework/Shape.h"

namespace plexon::test {
namespace {

class Labels : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 301, 123);
        label = new TLabel(form);
        label->SetBounds(7, 9, 157, 45);
        label->SetParent(form);
    }
    void ShowForm() {
        form->Show();
        Pump();
    }
    Ink LabelInk() { return InkOf(*label, Rgb(clBtnFace)); }
    TForm* form = nullptr;
    TLabel* label = nullptr;
};

TEST_F(Labels, WordWrapBreaksBetweenWordsOntoMoreLines) {
    label->SetCaption("Suffix of the hot state image");
    label->SetWidth(70);
    ShowForm();
    const int oneLine = LabelInk().box.bottom;
    ASSERT_GT(oneLine, 0);
    ASSERT_LT(oneLine, 15);
    label->SetWordWrap(true);
    Pump();
    const Ink wrapped = LabelInk();
    EXPECT_GT(wrapped.box.bottom, 2 * 13);
    EXPECT_LE(wrapped.box.right, 70);
}

TEST_F(Labels, AlignmentPlacesTheTextLeftCentredOrRight) {
    label->SetCaption("State");
    ShowForm();
    const Ink left = LabelInk();
    ASSERT_GT(left.count, 0);
    EXPECT_LE(left.box.left, 1);
    const int width = left.box.right - left.box.left;
    label->SetAlignment(taRightJustify);
    Pump();
    const Ink right = LabelInk();
    EXPECT_GE(right.box.right, label->Width() - 2);
    EXPECT_EQ(right.box.right - right.box.left, width);
    label->SetAlignment(taCenter);
    Pump();
    const Ink centred = LabelInk();
    EXPECT_NEAR(centred.box.left + centred.box.right, label->Width(), 3);
}

TEST_F(Labels, TheAmpersandUnderlinesTheNextLetterUnlessSwitchedOff) {
    label->SetCaption("Hot");
    ShowForm();
    const Ink plain = LabelInk();
    label->SetCaption("&Hot");
    Pump();
    const Ink prefixed = LabelInk();
    EXPECT_EQ(prefixed.box.left, plain.box.left);
    EXPECT_EQ(prefixed.box.right, plain.box.right);
    EXPECT_GT(prefixed.box.bottom, plain.box.bottom);  // the underline below the letters
    label->SetShowAccelChar(false);
    Pump();
    EXPECT_GT(LabelInk().box.right, plain.box.right + 4);  // the "&" itself is shown
}

TEST_F(Labels, ATransparentLabelShowsTheParentAndTheControlsBeneath) {
    form->SetColor(TColor(0x00A0B0));
    auto* shape = new TShape(form);
    shape->SetBounds(7, 9, 60, 45);
    shape->SetBrushColor(clNavy);
    shape->SetPenColor(clNavy);
    shape->SetParent(form);
    label->BringToFront();
    label->SetParentColor(false);
    label->SetColor(clWhite);
    label->SetCaption("W");
    ShowForm();
    // Opaque: the label's own colour hides the shape and the form.
    EXPECT_EQ(ControlPixel(*label, 30, 40), 0xFFFFFFu);
    EXPECT_EQ(ControlPixel(*label, 120, 40), 0xFFFFFFu);
    label->SetTransparent(true);
    Pump();
    EXPECT_EQ(ControlPixel(*label, 30, 40), Rgb(clNavy));
    EXPECT_EQ(ControlPixel(*label, 120, 40), Rgb(TColor(0x00A0B0)));
    EXPECT_EQ(FramePixel(*form, 5, 5), Rgb(TColor(0x00A0B0)));
}

// A windowless control that paints only its left half.
class THalfPainted : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;

  protected:
    void Paint() override {
        Canvas().Brush().SetColor(clLime);
        Canvas().FillRect({0, 0, Width() / 2, Height()});
    }
};

TEST_F(Labels, WindowlessControlsLeaveWhatTheyDoNotPaintToTheParent) {
    form->SetColor(clNavy);
    auto* half = new THalfPainted(form);
    half->SetBounds(150, 60, 47, 33);
    half->SetParent(form);
    ShowForm();
    for (int y = 0; y < 33; y += 8) {
        EXPECT_EQ(ControlPixel(*half, 0, y), Rgb(clLime));
        EXPECT_EQ(ControlPixel(*half, 22, y), Rgb(clLime));
        EXPECT_EQ(ControlPixel(*half, 23, y), Rgb(clNavy));
        EXPECT_EQ(ControlPixel(*half, 46, y), Rgb(clNavy));
    }
}

class Accelerators : public Labels {
  protected:
    void SetUp() override {
        Labels::SetUp();
        label->SetCaption("&Hot suffix:");
        edit = new TMaskEdit(form);
        edit->SetBounds(170, 9, 37, 21);
        edit->SetParent(form);
        button = new TButton(form);
        button->SetCaption("&Close");
        button->SetBounds(200, 90, 75, 25);
        button->SetParent(form);
        button->SetTabOrder(0);
        button->OnClick = [this](TComponent*) { ++clicks; };
        label->SetFocusControl(edit);
    }
    TMaskEdit* edit = nullptr;
    TButton* button = nullptr;
    int clicks = 0;
};

TEST_F(Accelerators, AltAndTheLabelsLetterFocusesItsControl) {
    ShowForm();
    ASSERT_TRUE(button->Focused());
    Key('H', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(edit->Focused());
    Key('C', window::Shift::Alt);
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(Accelerators, APlainLetterActsOnlyWhereTheFocusedControlTakesNoCharacters) {
    ShowForm();
    Type("h");
    Pump();
    EXPECT_TRUE(edit->Focused());
    Type("c");
    Pump();
    EXPECT_EQ(clicks, 0);  // the edit took the letter
}

TEST_F(Accelerators, NothingHappensWithoutAFocusableTarget) {
    label->SetShowAccelChar(false);
    ShowForm();
    Key('H', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(button->Focused());
    label->SetShowAccelChar(true);
    edit->SetEnabled(false);
    Key('H', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(button->Focused());
}

TEST_F(Accelerators, TheLabelForgetsAControlThatIsFreed) {
    ShowForm();
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    Key('H', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(button->Focused());
}

TEST_F(Accelerators, HintsAreKeptForEveryControl) {
    label->SetHint("The suffix of the hot image");
    edit->SetHint("One letter");
    EXPECT_EQ(label->Hint(), "The suffix of the hot image");
    EXPECT_EQ(edit->Hint(), "One letter");
    EXPECT_EQ(button->Hint(), "");
}

}  // namespace
}  // namespace plexon::test
