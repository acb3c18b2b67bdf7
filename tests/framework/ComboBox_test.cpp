// The drop-down-list combo box through the headless desktop: keyboard choices, the open list with
// mouse and keys, closing on a click outside, and OnChange only for the user's changes.
#include "FormTestSupport.h"

#include "framework/Button.h"
#include "framework/ComboBox.h"

namespace plexon::test {
namespace {

class ComboBoxes : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 397, 100);
        combo = new TComboBox(form);
        combo->SetBounds(12, 24, 85, 21);
        combo->SetParent(form);
        for (const char* item : {"Normal", "Hot", "Disabled", "Pressed"}) combo->Items().Add(item);
        combo->SetItemIndex(0);
        combo->OnChange = [this](TComponent* sender) {
            EXPECT_EQ(sender, combo);
            changes.push_back(combo->ItemIndex());
        };
        other = new TButton(form);
        other->SetBounds(300, 60, 75, 25);
        other->SetParent(form);
        form->Show();
        Pump();
    }
    TForm* form = nullptr;
    TComboBox* combo = nullptr;
    TButton* other = nullptr;
    std::vector<int> changes;
};

TEST_F(ComboBoxes, ArrowsHomeAndEndChooseWithoutWrapping) {
    ASSERT_TRUE(combo->Focused());
    Key(window::vk::kDown);
    Key(window::vk::kDown);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 2);
    Key(window::vk::kEnd);
    Key(window::vk::kDown);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 3);
    Key(window::vk::kHome);
    Key(window::vk::kUp);
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(ComboBoxes, ATypedLetterChoosesTheNextItemStartingWithIt) {
    Type("d");
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 2);
    Type("H");
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 1);
    Type("x");
    Pump();
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBoxes, SettingTheIndexInCodeRaisesNoChange) {
    combo->SetItemIndex(3);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(changes.empty());
}

TEST_F(ComboBoxes, AClickOpensTheListAndAClickOnAnItemChoosesIt) {
    Click(*combo);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    // The list lies below the box; items are 13 pixels high after a 1-pixel border.
    window::HWND top = form->Handle();
    const gdi::POINT item = FormPoint(*combo, 10, combo->Height() + 1 + 2 * 13 + 6);
    Desk().InputMouseMove(top, item, Shift::None);
    Pump();
    EXPECT_EQ(combo->HotIndex(), 2);
    Desk().InputMouseButton(top, item, MouseButton::Left, true, 1, Shift::Left);
    Desk().InputMouseButton(top, item, MouseButton::Left, false, 1, Shift::None);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(changes, std::vector<int>{2});
}

TEST_F(ComboBoxes, AClickOutsideClosesTheListWithoutChoosing) {
    Click(*combo);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    Desk().InputMouseButton(form->Handle(), {390, 5}, MouseButton::Left, true, 1, Shift::Left);
    Desk().InputMouseButton(form->Handle(), {390, 5}, MouseButton::Left, false, 1, Shift::None);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_TRUE(changes.empty());
}

TEST_F(ComboBoxes, AltDownOpensArrowsMoveEnterChoosesEscCloses) {
    Key(window::vk::kDown, Shift::Alt);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    Key(window::vk::kDown);
    Key(window::vk::kDown);
    Key(window::vk::kEscape);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 0);
    Key(window::vk::kDown, Shift::Alt);
    Key(window::vk::kEnd);
    Key(window::vk::kReturn);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(changes, std::vector<int>{3});
}

TEST_F(ComboBoxes, AClickOnAnotherControlOnlyClosesTheListAndLeavingClosesItToo) {
    Key(window::vk::kDown, Shift::Alt);
    Pump();
    Click(*other);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(combo->Focused());
    Key(window::vk::kDown, Shift::Alt);
    Pump();
    other->SetFocus();
    EXPECT_FALSE(combo->DroppedDown());
}

// Where the back end cannot place windows the open list is drawn inside the form as its own window
// shows it, below the box or, with no room there, above it, and the mouse chooses in it there.
TEST_F(ComboBoxes, InsideTheFormTheListLooksAsItsWindowAndOpensAboveWithoutRoomBelow) {
    for (const auto& [boxTop, listTop] : {std::pair{24, 45}, std::pair{60, 6}}) {
        combo->SetTop(boxTop);
        Key(window::vk::kDown, Shift::Alt);
        Pump();
        const window::HWND own = Desk().TopLevels().back();
        const gdi::RECT list{12, listTop, 12 + own->Width(), listTop + own->Height()};
        std::vector<std::uint32_t> model = FrameArea(form->Handle(), {0, 0, 397, 100});
        const std::vector<std::uint32_t> drawn = FrameArea(own, {0, 0, own->Width(), own->Height()});
        for (int y = 0; y < own->Height(); ++y)
            std::copy_n(&drawn[std::size_t(y * own->Width())], own->Width(),
                        &model[std::size_t((listTop + y) * 397 + 12)]);
        Key(window::vk::kEscape);
        Headless().SetCanPlaceWindows(false);
        Key(window::vk::kDown, Shift::Alt);
        Pump();
        EXPECT_EQ(Desk().TopLevels().size(), 1u);
        EXPECT_EQ(FrameArea(form->Handle(), {0, 0, 397, 100}), model) << "box at " << boxTop;
        const gdi::POINT item{list.left + 10, list.top + 1 + 2 * 13 + 6};
        Desk().InputMouseMove(form->Handle(), item, Shift::None);
        Pump();
        EXPECT_EQ(combo->HotIndex(), 2);
        Desk().InputMouseButton(form->Handle(), item, MouseButton::Left, true, 1, Shift::Left);
        Desk().InputMouseButton(form->Handle(), item, MouseButton::Left, false, 1, Shift::None);
        Pump();
        EXPECT_EQ(combo->ItemIndex(), 2);
        Headless().SetCanPlaceWindows(true);
        combo->SetItemIndex(0);
    }
}

TEST_F(ComboBoxes, TheFocusedBoxHighlightsItsItemInsideADottedFocusRectangle) {
    ASSERT_TRUE(combo->Focused());
    const std::uint32_t highlight = Rgb(SystemColor(13)), dot = highlight ^ 0xFFFFFFu;
    EXPECT_EQ(ControlPixel(*combo, 3, 3), dot);
    EXPECT_EQ(ControlPixel(*combo, 4, 3), highlight);
    EXPECT_EQ(ControlPixel(*combo, 3, 5), dot);
    EXPECT_EQ(ControlPixel(*combo, 4, 4), highlight);
    Key(window::vk::kTab);
    Pump();
    EXPECT_EQ(ControlPixel(*combo, 3, 3), Rgb(clWindow));
    EXPECT_EQ(ControlPixel(*combo, 4, 4), Rgb(clWindow));
}

}  // namespace
}  // namespace plexon::test
