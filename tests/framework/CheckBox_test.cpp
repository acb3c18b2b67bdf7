// A check box as drawn, its sunken box and mark against a model, and as it answers: a click, Space
// and Alt+letter turn it over.
#include "framework/CheckBox.h"

#include "FormTestSupport.h"

namespace plexon::test {
namespace {

class CheckBoxes : public FormTest {};

TEST_F(CheckBoxes, DrawTheBoxItsMarkAndTheFocusAndTurnOverByClickSpaceOrAccelerator) {
    auto* form = new TForm(&Application());
    form->SetBounds(0, 0, 120, 40);
    auto* box = new TCheckBox(form);
    box->SetBounds(9, 9, 97, 17);
    box->SetCaption("&Derive");
    box->SetParent(form);
    int clicks = 0;
    box->OnClick = [&](TComponent*) { ++clicks; };
    form->Show();
    Pump();
    // Shadow over dark shadow at the top and left, highlight over light at the bottom and right, the
    // window colour inside and the mark, columns three pixels tall, in the text colour.
    const auto drawn = [&] {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) pixels.push_back(ControlPixel(*box, x, 2 + y));
        return pixels;
    };
    const auto model = [](bool checked) {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const int column = x - 3, top = column <= 2 ? 5 + column : 9 - column;
                const bool mark = checked && column >= 0 && column < 7 && y >= top && y < top + 3;
                pixels.push_back(Rgb(x == 12 || y == 12   ? clBtnHighlight
                                     : x == 0 || y == 0   ? clBtnShadow
                                     : x == 11 || y == 11 ? cl3DLight
                                     : x == 1 || y == 1   ? cl3DDkShadow
                                     : mark               ? clWindowText
                                                          : clWindow));
            }
        return pixels;
    };
    EXPECT_EQ(drawn(), model(false));
    Click(*box);
    Pump();
    EXPECT_EQ(drawn(), model(true));
    // The only control has the focus: a dotted rectangle left of the caption, clear of the box.
    int dots = 0;
    for (int y = 0; y < 17; ++y) dots += ControlPixel(*box, 16, y) != Rgb(clBtnFace);
    EXPECT_GT(dots, 4);
    Key(window::vk::kSpace);
    Pump();
    EXPECT_FALSE(box->Checked());
    Key('D', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(box->Checked());
    box->SetChecked(false);  // the program's change is no click
    EXPECT_EQ(clicks, 3);
}

}  // namespace
}  // namespace plexon::test
