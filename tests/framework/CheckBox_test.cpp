// Check boxes as drawn and as they answer: the sunken box with its mark against a model, and the
// click, Space and Alt+letter that turn it over.
#include "framework/CheckBox.h"

#include "FormTestSupport.h"
#include "framework/Button.h"

namespace plexon::test {
namespace {

class CheckBoxes : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 211, 57);
        button = new TButton(form);
        button->SetBounds(7, 9, 75, 25);
        button->SetParent(form);
        box = new TCheckBox(form);
        box->SetBounds(99, 9, 97, 17);
        box->SetCaption("&Derive");
        box->SetParent(form);
        box->OnClick = [this](TComponent*) { ++clicks; };
        form->Show();
        Pump();
    }
    // The 13 x 13 box: shadow over dark shadow at the top and left, highlight over light at the
    // bottom and right, the window colour inside with the mark in the window text colour.
    std::vector<std::uint32_t> BoxModel(bool checked) const {
        std::vector<std::uint32_t> model;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const int column = x - 3, top = column <= 2 ? 2 + column : 6 - column;
                const bool mark = checked && column >= 0 && column < 7 && y - 3 >= top && y - 3 < top + 3;
                model.push_back(Rgb(x == 12 || y == 12   ? clBtnHighlight
                                    : x == 0 || y == 0   ? clBtnShadow
                                    : x == 11 || y == 11 ? cl3DLight
                                    : x == 1 || y == 1   ? cl3DDkShadow
                                    : mark               ? clWindowText
                                                         : clWindow));
            }
        return model;
    }
    std::vector<std::uint32_t> BoxDrawn() const {
        std::vector<std::uint32_t> drawn;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) drawn.push_back(ControlPixel(*box, x, 2 + y));
        return drawn;
    }
    TForm* form = nullptr;
    TButton* button = nullptr;
    TCheckBox* box = nullptr;
    int clicks = 0;
};

TEST_F(CheckBoxes, DrawTheSunkenBoxItsMarkAndTheFocusRoundTheCaption) {
    EXPECT_EQ(BoxDrawn(), BoxModel(false));
    const Ink caption = InkOf(*box, Rgb(clBtnFace));
    box->SetChecked(true);
    box->SetFocus();
    Pump();
    EXPECT_EQ(BoxDrawn(), BoxModel(true));
    EXPECT_EQ(clicks, 0);  // set by the program, not the user
    // The dotted rectangle adds ink round the caption, right of the box.
    const Ink focused = InkOf(*box, Rgb(clBtnFace));
    EXPECT_GT(focused.count, caption.count + 20);
    EXPECT_EQ(ControlPixel(*box, 16, 2), Rgb(clBtnFace) ^ 0xFFFFFFu);
}

TEST_F(CheckBoxes, AClickSpaceAndItsAcceleratorTurnItOver) {
    Click(*box);
    Pump();
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused());
    Desk().InputKey(window::vk::kSpace, true, window::Shift::None);
    Pump();
    EXPECT_TRUE(box->Down());
    Desk().InputKey(window::vk::kSpace, false, window::Shift::None);
    Pump();
    EXPECT_FALSE(box->Checked());
    button->SetFocus();
    Key('D', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused());
    // A press that leaves the box before its release does nothing.
    const window::HWND top = form->Handle();
    Desk().InputMouseButton(top, FormPoint(*box, 5, 5), window::MouseButton::Left, true, 1,
                            window::Shift::Left);
    Desk().InputMouseMove(top, FormPoint(*button, 5, 5), window::Shift::Left);
    Desk().InputMouseButton(top, FormPoint(*button, 5, 5), window::MouseButton::Left, false, 1,
                            window::Shift::None);
    Pump();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 3);
}

}  // namespace
}  // namespace plexon::test
