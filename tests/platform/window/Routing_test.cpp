// Input routing: the window under the mouse, capture, hover announcements, focus order, disabled
// windows, the close box, dropped files, and waiting loops in the headless back end.
#include "WindowTestSupport.h"

#include "runtime/Exceptions.h"

namespace plexon::window::test {
namespace {

class Routing : public DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        top = Make(nullptr, {0, 0, 47, 33}, 0);
        left = Make(top, {0, 0, 20, 33}, 0);
        right = Make(top, {20, 0, 47, 33}, 0);
        Pump();
        log.clear();
    }
    HWND top = nullptr, left = nullptr, right = nullptr;
};

TEST_F(Routing, MouseGoesToTheWindowUnderItInClientCoordinates) {
    desk().InputMouseButton(top, {25, 7}, MouseButton::Left, true, 1, Shift::Left);
    desk().InputMouseButton(top, {25, 7}, MouseButton::Left, false, 1, Shift::None);
    Pump();
    EXPECT_EQ(InputKinds(), (std::vector{MessageKind::MouseEnter, MessageKind::MouseMove, MessageKind::MouseDown,
                                         MessageKind::MouseUp}));
    EXPECT_EQ(log.back().window, right);
    EXPECT_EQ(log.back().point.x, 5);
    EXPECT_EQ(log.back().point.y, 7);
}

TEST_F(Routing, MovingAcrossWindowsAnnouncesLeaveBeforeEnter) {
    desk().InputMouseMove(top, {1, 1}, Shift::None);
    desk().InputMouseMove(top, {30, 1}, Shift::None);
    Pump();
    EXPECT_EQ(InputKinds(), (std::vector{MessageKind::MouseEnter, MessageKind::MouseMove, MessageKind::MouseLeave,
                                         MessageKind::MouseEnter, MessageKind::MouseMove}));
    EXPECT_EQ(log[2].window, left);
    EXPECT_EQ(log[3].window, right);
}

TEST_F(Routing, TheCapturingWindowGetsTheMouseEverywhere) {
    desk().SetCapture(left);
    desk().InputMouseMove(top, {40, 2}, Shift::None);
    Pump();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().window, left);
    EXPECT_EQ(log.back().point.x, 40);
    log.clear();
    desk().SetCapture(right);
    EXPECT_EQ(InputKinds(), std::vector{MessageKind::CaptureLost});
    EXPECT_EQ(log.back().window, left);
    desk().ReleaseCapture();
    EXPECT_EQ(log.back().window, right);
    EXPECT_EQ(desk().Capture(), nullptr);
}

TEST_F(Routing, ADoubleClickReplacesTheSecondButtonDown) {
    for (int clicks : {1, 2}) {
        desk().InputMouseButton(top, {3, 3}, MouseButton::Left, true, clicks, Shift::Left);
        desk().InputMouseButton(top, {3, 3}, MouseButton::Left, false, clicks, Shift::None);
    }
    Pump();
    EXPECT_EQ(InputKinds(), (std::vector{MessageKind::MouseEnter, MessageKind::MouseMove, MessageKind::MouseDown,
                                         MessageKind::MouseUp, MessageKind::DoubleClick, MessageKind::MouseUp}));
}

TEST_F(Routing, ADisabledWindowSwallowsTheMouse) {
    desk().Enable(right, false);
    desk().InputMouseButton(top, {30, 3}, MouseButton::Left, true, 1, Shift::Left);
    Pump();
    EXPECT_TRUE(InputKinds().empty());
    desk().Enable(top, false);
    desk().InputMouseButton(top, {3, 3}, MouseButton::Left, true, 1, Shift::Left);
    Pump();
    EXPECT_TRUE(InputKinds().empty());
}

TEST_F(Routing, FocusChangesTellTheOldWindowFirst) {
    desk().SetFocus(left);
    desk().SetFocus(right);
    EXPECT_EQ(InputKinds(), (std::vector{MessageKind::SetFocus, MessageKind::KillFocus, MessageKind::SetFocus}));
    EXPECT_EQ(log[1].window, left);
    EXPECT_EQ(log[2].window, right);
    EXPECT_EQ(desk().ActiveTopLevel(), top);
}

TEST_F(Routing, KeysAndCharactersGoToTheFocusedWindow) {
    desk().SetFocus(right);
    log.clear();
    desk().InputKey('A', true, Shift::Shift);
    desk().InputChar('A');
    desk().InputKey('A', false, Shift::Shift);
    Pump();
    EXPECT_EQ(InputKinds(), (std::vector{MessageKind::KeyDown, MessageKind::Char, MessageKind::KeyUp}));
    EXPECT_EQ(log[0].window, right);
    EXPECT_EQ(log[0].key, 'A');
    EXPECT_EQ(log[1].ch, 'A');
}

TEST_F(Routing, HidingTheFocusedWindowTakesTheFocusAway) {
    desk().SetFocus(left);
    desk().Show(left, false);
    EXPECT_EQ(desk().Focus(), nullptr);
}

TEST_F(Routing, TheCloseBoxOfADisabledWindowDoesNothing) {
    desk().InputClose(top);
    Pump();
    EXPECT_EQ(InputKinds(), std::vector{MessageKind::Close});
    log.clear();
    desk().Enable(top, false);
    desk().InputClose(top);
    Pump();
    EXPECT_TRUE(InputKinds().empty());
}

TEST_F(Routing, ADropReachesItsTopLevelWindowAsOneMessageInDropOrder) {
    std::vector<std::vector<std::string>> drops;
    HWND target = desk().CreateWindow({.bounds = {0, 0, 7, 3}, .caption = "D", .proc = [&](Message& m) {
                                           if (m.kind == MessageKind::FilesDropped) drops.push_back(m.paths);
                                       }});
    desk().Show(target, true);
    desk().InputDrop(target, {"/b/2.bmp", "/a/1.bmp", "/c/\xE9.bmp"});
    desk().InputDrop(target, {});  // a gesture without files is no drop
    desk().InputDrop(left, {"/child.bmp"});  // only top-level windows take drops
    Pump();
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], (std::vector<std::string>{"/b/2.bmp", "/a/1.bmp", "/c/\xE9.bmp"}));
    EXPECT_TRUE(InputKinds().empty());
    desk().Enable(target, false);
    desk().InputDrop(target, {"/x.bmp"});
    Pump();
    EXPECT_EQ(drops.size(), 1u);
    desk().Enable(target, true);
    desk().InputDrop(target, {"/y.bmp"});
    desk().DestroyWindow(target);  // a queued drop dies with its window
    Pump();
    EXPECT_EQ(drops.size(), 1u);
}

TEST_F(Routing, DestroyingAWindowDropsItsQueuedMessagesAndFocus) {
    desk().SetFocus(left);
    desk().InputKey('B', true, Shift::None);
    desk().DestroyWindow(left);
    log.clear();
    Pump();
    EXPECT_TRUE(InputKinds().empty());
    EXPECT_EQ(desk().Focus(), nullptr);
    EXPECT_EQ(top->Children().size(), 1u);
}

TEST_F(Routing, CursorFollowsTheWindowUnlessOverridden) {
    desk().SetWindowCursor(right, Cursor::IBeam);
    desk().InputMouseMove(top, {30, 3}, Shift::None);
    EXPECT_EQ(Headless().CurrentCursor(), Cursor::IBeam);
    desk().SetOverrideCursor(Cursor::Hourglass);
    EXPECT_EQ(Headless().CurrentCursor(), Cursor::Hourglass);
    desk().SetOverrideCursor(Cursor::Default);
    desk().InputMouseMove(top, {3, 3}, Shift::None);
    EXPECT_EQ(Headless().CurrentCursor(), Cursor::Arrow);
}

TEST_F(Routing, AWaitingLoopRunsScriptedActionsAndRefusesToHangWithout) {
    bool ran = false;
    Headless().WhenIdle([&] {
        ran = true;
        desk().PostMessage(top, 7);
    });
    Message m;
    ASSERT_TRUE(desk().GetMessage(m, Wait::Yes));
    EXPECT_TRUE(ran);
    EXPECT_EQ(m.id, 7);
    EXPECT_THROW(desk().GetMessage(m, Wait::Yes), EInvalidOperation);
}

}  // namespace
}  // namespace plexon::window::test
