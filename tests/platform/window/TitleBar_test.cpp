// Our own title bar: where its close box is, and what it draws in either state.
#include "platform/window/TitleBar.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace plexon::window {
namespace {

constexpr int kWidth = 200;

std::uint32_t Pixel(const std::vector<std::uint8_t>& bar, int x, int y) {
    const std::uint8_t* p = &bar[(std::size_t(y) * kWidth + std::size_t(x)) * 4];
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

TEST(TitleBar, TheCloseBoxIsTheClassicButtonAtTheRightEnd) {
    struct Case {
        gdi::POINT p;
        TitleBarPart part;
    } cases[] = {{{10, 10}, TitleBarPart::Caption},  {{182, 3}, TitleBarPart::CloseBox},
                 {{197, 16}, TitleBarPart::CloseBox}, {{181, 10}, TitleBarPart::Caption},
                 {{198, 10}, TitleBarPart::Caption},  {{190, 2}, TitleBarPart::Caption},
                 {{190, 17}, TitleBarPart::Caption}};
    for (const Case& c : cases) EXPECT_EQ(TitleBarPartAt(kWidth, c.p), c.part) << c.p.x << ", " << c.p.y;
}

TEST(TitleBar, CaptionColoursFollowTheKeyboardAndThePressedCrossMovesDownRight) {
    struct Case {
        bool active, pressed;
        std::uint32_t left, text;
    } cases[] = {
        {true, false, 0x000080, 0xFFFFFF}, {false, false, 0x808080, 0xC0C0C0}, {true, true, 0x000080, 0xFFFFFF}};
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bar =
            DrawTitleBar(kWidth, {.caption = "Options", .active = c.active, .closePressed = c.pressed});
        ASSERT_EQ(bar.size(), std::size_t(kWidth) * kTitleBarHeight * 4);
        EXPECT_EQ(Pixel(bar, 0, 0), c.left);
        int ink = 0;
        for (int y = 0; y < kTitleBarHeight; ++y)
            for (int x = 0; x < 60; ++x) ink += Pixel(bar, x, y) == c.text;
        EXPECT_GT(ink, 40) << "the caption's letters";
        // The cross's top-left pixel: at (186, 6) in the raised box, a pixel further when pressed.
        const int at = c.pressed ? 1 : 0;
        EXPECT_EQ(Pixel(bar, 186 + at, 6 + at), 0x000000u);
        if (c.pressed) {
            EXPECT_NE(Pixel(bar, 186, 6), 0x000000u);
        }
    }
}

}  // namespace
}  // namespace plexon::window
