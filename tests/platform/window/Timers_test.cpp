// Desktop timers on the headless clock: when they are due, their place in the queue, stopping
// them, and waiting loops that end at a timer.
#include "WindowTestSupport.h"
#include "runtime/Exceptions.h"

namespace plexon::window::test {
namespace {

class Timers : public DesktopTest {
  protected:
    static HeadlessBackend& clock() { return Headless(); }
    // Dispatches everything queued now; returns the kinds of the messages handled.
    std::vector<MessageKind> Drain() {
        std::vector<MessageKind> kinds;
        Message m;
        while (desk().GetMessage(m, Wait::No)) {
            kinds.push_back(m.kind);
            desk().DispatchMessage(m);
        }
        return kinds;
    }
};

TEST_F(Timers, FireOnlyOnceTheIntervalHasPassed) {
    int ticks = 0;
    const int id = desk().SetTimer(100, [&] { ++ticks; });
    EXPECT_GT(id, 0);
    Drain();
    EXPECT_EQ(ticks, 0);
    clock().AdvanceTime(99);
    Drain();
    EXPECT_EQ(ticks, 0);
    clock().AdvanceTime(1);
    Drain();
    EXPECT_EQ(ticks, 1);
    clock().AdvanceTime(100);
    Drain();
    EXPECT_EQ(ticks, 2);
}

TEST_F(Timers, ALateTimerFiresOnceAndStartsAFreshInterval) {
    int ticks = 0;
    desk().SetTimer(10, [&] { ++ticks; });
    clock().AdvanceTime(95);
    Drain();
    EXPECT_EQ(ticks, 1);
    clock().AdvanceTime(9);
    Drain();
    EXPECT_EQ(ticks, 1);
    clock().AdvanceTime(1);
    Drain();
    EXPECT_EQ(ticks, 2);
}

TEST_F(Timers, KilledTimersStayQuietAndOthersGoOn) {
    int first = 0, second = 0;
    const int a = desk().SetTimer(10, [&] { ++first; });
    desk().SetTimer(10, [&] { ++second; });
    desk().KillTimer(a);
    EXPECT_FALSE(desk().HasTimer(a));
    clock().AdvanceTime(10);
    Drain();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    desk().KillTimer(12345);  // unknown ids are ignored
}

TEST_F(Timers, AnActionMayKillItsOwnTimer) {
    int ticks = 0, id = 0;
    id = desk().SetTimer(5, [&] {
        ++ticks;
        desk().KillTimer(id);
    });
    clock().AdvanceTime(50);
    Drain();
    clock().AdvanceTime(50);
    Drain();
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(desk().HasTimer(id));
}

TEST_F(Timers, ComeAfterPostedMessagesAndPainting) {
    HWND top = Make(nullptr, {0, 0, 20, 20}, gdi::RGB(1, 2, 3));
    desk().SetTimer(1, [] {});
    clock().AdvanceTime(1);
    desk().PostMessage(top, 7);
    const std::vector<MessageKind> kinds = Drain();
    ASSERT_EQ(kinds.size(), 3u);
    EXPECT_EQ(kinds[0], MessageKind::Posted);
    EXPECT_EQ(kinds[1], MessageKind::Paint);
    EXPECT_EQ(kinds[2], MessageKind::Timer);
}

TEST_F(Timers, AZeroIntervalDoesNotKeepTheQueueBusy) {
    int ticks = 0;
    desk().SetTimer(0, [&] { ++ticks; });
    Drain();
    EXPECT_EQ(ticks, 0);
    clock().AdvanceTime(1);
    Drain();
    EXPECT_EQ(ticks, 1);
}

TEST_F(Timers, AWaitingLoopGetsTheTimerOnceTheScriptMovesTheClock) {
    int ticks = 0;
    desk().SetTimer(500, [&] { ++ticks; });
    clock().WhenIdle([] { clock().AdvanceTime(500); });
    Message m;
    ASSERT_TRUE(desk().GetMessage(m, Wait::Yes));
    EXPECT_EQ(m.kind, MessageKind::Timer);
    desk().DispatchMessage(m);
    EXPECT_EQ(ticks, 1);
    // Nothing scripted: a headless wait refuses instead of hanging, timers or not.
    EXPECT_THROW(desk().GetMessage(m, Wait::Yes), EInvalidOperation);
}

}  // namespace
}  // namespace plexon::window::test
