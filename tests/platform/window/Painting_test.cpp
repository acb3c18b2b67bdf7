// Painting and composing frames: surfaces per window, z-order, clipping by ancestors, visibility.
#include "WindowTestSupport.h"

namespace plexon::window::test {
namespace {

constexpr gdi::COLORREF kRed = gdi::RGB(255, 0, 0), kGreen = gdi::RGB(0, 255, 0), kBlue = gdi::RGB(0, 0, 255);

class Painting : public DesktopTest {};

TEST_F(Painting, ChildrenAreComposedOverTheirParentInZOrder) {
    HWND top = Make(nullptr, {100, 100, 147, 133}, kRed);
    Make(top, {5, 5, 20, 20}, kGreen);
    HWND upper = Make(top, {10, 10, 30, 25}, kBlue);
    Pump();
    EXPECT_EQ(FramePixel(top, 0, 0), 0xFF0000u);
    EXPECT_EQ(FramePixel(top, 46, 32), 0xFF0000u);
    EXPECT_EQ(FramePixel(top, 6, 6), 0x00FF00u);
    EXPECT_EQ(FramePixel(top, 12, 12), 0x0000FFu);
    desk().SendToBack(upper);
    Pump();
    EXPECT_EQ(FramePixel(top, 12, 12), 0x00FF00u);
    EXPECT_EQ(FramePixel(top, 25, 22), 0x0000FFu);
}

TEST_F(Painting, GrandchildrenAreClippedByTheirParent) {
    HWND top = Make(nullptr, {0, 0, 7, 3}, kRed);
    HWND child = Make(top, {1, 0, 4, 3}, kGreen);
    Make(child, {2, 1, 10, 2}, kBlue);  // runs past its parent's right edge
    Pump();
    EXPECT_EQ(FramePixel(top, 3, 1), 0x0000FFu);
    EXPECT_EQ(FramePixel(top, 4, 1), 0xFF0000u);
    EXPECT_EQ(FramePixel(top, 3, 0), 0x00FF00u);
}

TEST_F(Painting, HiddenChildrenLeaveTheParentVisible) {
    HWND top = Make(nullptr, {0, 0, 7, 3}, kRed);
    HWND child = Make(top, {0, 0, 7, 3}, kGreen);
    Pump();
    EXPECT_EQ(FramePixel(top, 6, 2), 0x00FF00u);
    desk().Show(child, false);
    Pump();
    EXPECT_EQ(FramePixel(top, 6, 2), 0xFF0000u);
}

TEST_F(Painting, OnlyInvalidWindowsPaintAgainAndParentsPaintFirst) {
    HWND top = Make(nullptr, {0, 0, 47, 33}, kRed);
    HWND child = Make(top, {1, 1, 5, 5}, kGreen);
    Pump();
    log.clear();
    desk().Invalidate(child);
    Pump();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].kind, MessageKind::EraseBackground);
    EXPECT_EQ(log[1].kind, MessageKind::Paint);
    EXPECT_EQ(log[1].window, child);
    log.clear();
    desk().Invalidate(child);
    desk().Invalidate(top);
    Pump();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1].window, top);
    EXPECT_EQ(log[3].window, child);
}

TEST_F(Painting, AResizedWindowGetsASurfaceOfItsNewSize) {
    HWND top = Make(nullptr, {0, 0, 1, 1}, kBlue);
    Pump();
    EXPECT_EQ(desk().Frame(top).width, 1);
    desk().SetBounds(top, {0, 0, 7, 3});
    Pump();
    EXPECT_EQ(desk().Frame(top).width, 7);
    EXPECT_EQ(desk().Frame(top).height, 3);
    EXPECT_EQ(FramePixel(top, 6, 2), 0x0000FFu);
}

TEST_F(Painting, UpdateWindowPaintsAndPresentsAtOnce) {
    HWND top = Make(nullptr, {0, 0, 7, 3}, kGreen);
    const int before = Headless().Presents();
    desk().UpdateWindow(top);
    EXPECT_EQ(Headless().Presents(), before + 1);
    EXPECT_EQ(FramePixel(top, 0, 0), 0x00FF00u);
    EXPECT_FALSE(top->Invalid());
}

TEST_F(Painting, AHiddenTopLevelIsNotPainted) {
    HWND top = Make(nullptr, {0, 0, 7, 3}, kGreen, false);
    Pump();
    EXPECT_EQ(desk().Frame(top).pixels, nullptr);
    EXPECT_TRUE(InputKinds().empty());
}

}  // namespace
}  // namespace plexon::window::test
