// TTimer driven by the message loop on the headless clock: intervals, enabling, restarting, and a
// handler that is not entered again while it runs a loop of its own.
#include "FormTestSupport.h"

#include "framework/Timer.h"

namespace plexon::test {
namespace {

class Timers : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        owner = new TForm(&Application());
        timer = new TTimer(owner);
        timer->OnTimer = [this](TComponent* sender) {
            EXPECT_EQ(sender, timer);
            ++ticks;
        };
    }
    static void Advance(std::uint64_t ms) {
        Headless().AdvanceTime(ms);
        Pump();
    }
    TForm* owner = nullptr;
    TTimer* timer = nullptr;
    int ticks = 0;
};

TEST_F(Timers, TickEveryIntervalWhileEnabled) {
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 1000u);
    Advance(999);
    EXPECT_EQ(ticks, 0);
    Advance(1);
    EXPECT_EQ(ticks, 1);
    Advance(1000);
    EXPECT_EQ(ticks, 2);
}

TEST_F(Timers, DisabledOrZeroIntervalTimersStayQuiet) {
    timer->SetEnabled(false);
    Advance(5000);
    EXPECT_EQ(ticks, 0);
    timer->SetEnabled(true);
    timer->SetInterval(0);
    Advance(5000);
    EXPECT_EQ(ticks, 0);
    timer->SetInterval(10);
    Advance(10);
    EXPECT_EQ(ticks, 1);
}

TEST_F(Timers, ANewIntervalOrARestartBeginsTheCountAgain) {
    timer->SetInterval(100);
    Advance(60);
    timer->Restart();
    Advance(60);
    EXPECT_EQ(ticks, 0);
    Advance(40);
    EXPECT_EQ(ticks, 1);
    Advance(50);
    timer->SetInterval(200);
    Advance(150);
    EXPECT_EQ(ticks, 1);
    Advance(50);
    EXPECT_EQ(ticks, 2);
}

TEST_F(Timers, AFreedTimerStopsWithItsOwner) {
    timer->SetInterval(10);
    delete owner;
    Advance(100);
    EXPECT_EQ(ticks, 0);
}

TEST_F(Timers, AHandlerRunningALoopIsNotEnteredAgain) {
    timer->SetInterval(10);
    int depth = 0, deepest = 0;
    timer->OnTimer = [&](TComponent*) {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        // A nested loop, as a message box in the handler would run, with time passing.
        Advance(10);
        Advance(10);
        --depth;
    };
    Advance(10);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(deepest, 1);
    Advance(10);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace plexon::test
