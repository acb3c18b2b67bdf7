// The vertical scroll bar through the headless desktop: the thumb drawn where the position says,
// and a held arrow repeating until released.
#include "FormTestSupport.h"

#include "framework/ScrollBar.h"

namespace plexon::test {
namespace {

class ScrollBars : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 100, 140);
        bar = new TScrollBar(form);
        bar->SetBounds(10, 10, 16, 120);
        bar->SetParent(form);
        bar->SetParams(100, 10, 0);
        bar->OnScroll = [this](TComponent*) { ++scrolls; };
        form->Show();
        Pump();
    }
    std::vector<std::uint32_t> Pixels() {
        Pump();
        return FrameArea(form->Handle(), {10, 10, 26, 130});
    }
    TForm* form = nullptr;
    TScrollBar* bar = nullptr;
    int scrolls = 0;
};

TEST_F(ScrollBars, TheThumbAtTheEndIsTheThumbAtTheStartMovedDownTheTrack) {
    const std::vector<std::uint32_t> top = Pixels();
    bar->SetPosition(90);
    const std::vector<std::uint32_t> bottom = Pixels();
    // The model: arrows as they were, the thumb's rows moved to the track's end, plain track above.
    const int width = 16, arrow = 16, track = 120 - 2 * arrow, thumb = track / 10;
    auto row = [&](int y) { return top.begin() + std::ptrdiff_t(y * width); };
    std::vector<std::uint32_t> model(top.begin(), row(arrow));
    for (int y = 0; y < track - thumb; ++y) model.insert(model.end(), row(arrow + thumb), row(arrow + thumb + 1));
    model.insert(model.end(), row(arrow), row(arrow + thumb));
    model.insert(model.end(), row(arrow + track), top.end());
    EXPECT_EQ(bottom, model);
    EXPECT_EQ(scrolls, 0);  // set in code: no OnScroll
}

TEST_F(ScrollBars, AHeldArrowStepsOnceThenRepeatsUntilReleased) {
    const gdi::POINT down = FormPoint(*bar, 8, 115);
    Desk().InputMouseButton(form->Handle(), down, MouseButton::Left, true, 1, Shift::Left);
    Pump();
    EXPECT_EQ(bar->Position(), 1);
    Headless().AdvanceTime(TScrollBar::kRepeatDelay);
    Pump();
    for (int i = 0; i < 3; ++i) {
        Headless().AdvanceTime(TScrollBar::kRepeatInterval);
        Pump();
    }
    EXPECT_EQ(bar->Position(), 4);
    Desk().InputMouseButton(form->Handle(), down, MouseButton::Left, false, 1, Shift::None);
    Pump();
    Headless().AdvanceTime(10 * TScrollBar::kRepeatInterval);
    Pump();
    EXPECT_EQ(bar->Position(), 4);
    EXPECT_EQ(scrolls, 4);
}

}  // namespace
}  // namespace plexon::test
