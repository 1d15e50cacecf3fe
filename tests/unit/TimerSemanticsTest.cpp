#include <gtest/gtest.h>

#include <vector>

#include "platform/core/Timer.h"
#include "platform/virtual/VirtualEventLoop.h"

using platform::Timer;
using platform::VirtualEventLoop;

namespace {

// Records the virtual times at which a timer ticked.
struct Ticks {
    explicit Ticks(VirtualEventLoop& loop) : loop(loop) {}
    std::function<void()> recorder() {
        return [this] { times.push_back(loop.now()); };
    }
    VirtualEventLoop& loop;
    std::vector<std::int64_t> times;
};

}  // namespace

TEST(TimerSemantics, RepeatingTimerKeepsItsPeriod) {
    VirtualEventLoop loop;
    Ticks ticks(loop);
    Timer timer(loop, 100, true);
    timer.onTick(ticks.recorder());
    loop.runFor(350);
    EXPECT_EQ(ticks.times, (std::vector<std::int64_t>{100, 200, 300}));
}

TEST(TimerSemantics, EnablingAnEnabledTimerKeepsItsPhase) {
    VirtualEventLoop loop;
    Ticks ticks(loop);
    Timer timer(loop, 100, true);
    timer.onTick(ticks.recorder());
    loop.runFor(60);
    timer.setEnabled(true);
    loop.runFor(60);
    EXPECT_EQ(ticks.times, (std::vector<std::int64_t>{100}));
}

TEST(TimerSemantics, IntervalChangesRestartOnlyWhenTheyChange) {
    VirtualEventLoop loop;
    Ticks ticks(loop);
    Timer timer(loop, 100, true);
    timer.onTick(ticks.recorder());
    loop.runFor(60);
    timer.setInterval(100);  // the same: nothing changes
    loop.runFor(60);         // t = 120
    timer.setInterval(50);   // changed: restarts from now
    loop.runFor(60);         // t = 180
    EXPECT_EQ(ticks.times, (std::vector<std::int64_t>{100, 170}));
}

TEST(TimerSemantics, IntervalZeroNeverFires) {
    VirtualEventLoop loop;
    Ticks ticks(loop);
    Timer timer(loop, 0, true);
    timer.onTick(ticks.recorder());
    loop.runFor(10'000);
    EXPECT_TRUE(ticks.times.empty());
    EXPECT_TRUE(timer.enabled());
}

TEST(TimerSemantics, LateRepeatingTimerFiresOnceAndIsNextDueOneIntervalLater) {
    VirtualEventLoop loop;
    Ticks ticks(loop);
    Timer timer(loop, 100, true);
    timer.onTick(ticks.recorder());
    loop.runFor(50);
    loop.sleep(400);  // blocks: five periods pass without delivery
    loop.runFor(160);
    EXPECT_EQ(ticks.times, (std::vector<std::int64_t>{450, 550}));
}

TEST(TimerSemantics, SleepDeliversNothing) {
    VirtualEventLoop loop;
    Ticks ticks(loop);
    Timer timer(loop, 10, true);
    timer.onTick([&] {
        ticks.times.push_back(loop.now());
        timer.setEnabled(false);
    });
    bool posted = false;
    loop.post([&] { posted = true; });
    loop.sleep(300);
    EXPECT_TRUE(ticks.times.empty());
    EXPECT_FALSE(posted);
    EXPECT_EQ(loop.now(), 300);
    loop.processEvents();
    EXPECT_EQ(ticks.times, (std::vector<std::int64_t>{300}));
    EXPECT_TRUE(posted);
}

TEST(TimerSemantics, NestedLoopKeepsOtherTimersRunningButNotTheTickingOne) {
    VirtualEventLoop loop;
    Ticks inner(loop);
    int outerTicks = 0;
    Timer other(loop, 100, true);
    other.onTick(inner.recorder());
    Timer outer(loop, 50, true);
    outer.onTick([&] {
        ++outerTicks;
        if (outerTicks == 1) {
            // A modal window opened from a tick: everything else keeps running inside it.
            loop.runUntil([&] { return loop.now() >= 400; });
        }
    });
    loop.runFor(400);
    EXPECT_EQ(inner.times, (std::vector<std::int64_t>{100, 200, 300, 400}));
    EXPECT_EQ(outerTicks, 2);  // not re-entered while nested; fires once when late
}

TEST(TimerSemantics, TimersDueTogetherFireInTheOrderTheyWereArmed) {
    VirtualEventLoop loop;
    std::vector<char> order;
    Timer b(loop, 100, false);
    Timer a(loop, 100, false);
    a.onTick([&] { order.push_back('a'); });
    b.onTick([&] { order.push_back('b'); });
    a.setEnabled(true);
    b.setEnabled(true);
    loop.runFor(200);
    EXPECT_EQ(order, (std::vector<char>{'a', 'b', 'a', 'b'}));
}

TEST(TimerSemantics, OneShotSwitchesItselfOffAndDestroyingInsideItsTickIsSafe) {
    VirtualEventLoop loop;
    auto timer = std::make_unique<Timer>(loop, 100, true);
    int ticks = 0;
    timer->onTick([&] {
        ++ticks;
        timer.reset();
    });
    loop.runFor(500);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
}

TEST(TimerSemantics, NestedLoopThatNothingCanEndFailsAtOnce) {
    VirtualEventLoop loop;
    EXPECT_THROW(loop.runUntil([] { return false; }), platform::VirtualLoopStuck);
}

TEST(TimerSemantics, QuitEndsNestedLoops) {
    VirtualEventLoop loop;
    Timer stopper(loop, 100, true);
    stopper.onTick([&] { loop.quit(); });
    loop.runUntil([] { return false; });
    EXPECT_TRUE(loop.quitRequested());
    EXPECT_EQ(loop.now(), 100);
}

TEST(TimerSemantics, WallClockAdvancesWithVirtualTimeAcrossMidnight) {
    VirtualEventLoop loop({2024, 2, 29, 23, 59, 59, 900});
    loop.runFor(250);
    EXPECT_EQ(loop.wallNow(), (platform::DateTime{2024, 3, 1, 0, 0, 0, 150}));
}
