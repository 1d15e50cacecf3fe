#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/core/Timer.h"
#include "platform/win32/Win32EventLoop.h"

using namespace platform;

namespace {

// Real time on the Win32 message loop: intervals are short and the bounds allow for the host's
// scheduling (kJitter), while still catching a timer that restarts, drifts or queues ticks up.
constexpr std::int64_t kJitter = 30;
TEST(Win32Timers, RepeatingTimerKeepsPeriodAndEnablingAgainKeepsPhase) {
    Win32EventLoop loop;
    std::vector<std::int64_t> ticks;
    Timer timer(loop, 40, true);
    const std::int64_t start = loop.now();
    timer.onTick([&] { ticks.push_back(loop.now() - start); });
    loop.runUntil([&] {
        if (loop.now() - start >= 20) {
            timer.setEnabled(true);  // must not restart the interval
        }
        return ticks.size() >= 3;
    });
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_GE(ticks[0], 40);
    EXPECT_LT(ticks[0], 40 + kJitter);
    EXPECT_GE(ticks[2], 120);
    EXPECT_LT(ticks[2], 120 + kJitter);  // no drift: each tick is due one interval after the last
}

TEST(Win32Timers, ChangedIntervalRestartsAndZeroNeverFires) {
    Win32EventLoop loop;
    int zero = 0;
    std::int64_t firedAt = -1;
    Timer never(loop, 0, true);
    never.onTick([&] { ++zero; });
    Timer timer(loop, 30, true);
    const std::int64_t start = loop.now();
    timer.onTick([&] { firedAt = loop.now() - start; });
    loop.runUntil([&] { return loop.now() - start >= 20; });
    timer.setInterval(30);  // the same interval changes nothing
    loop.runUntil([&] { return firedAt >= 0; });
    EXPECT_GE(firedAt, 30);
    EXPECT_LT(firedAt, 30 + kJitter);
    firedAt = -1;
    const std::int64_t restart = loop.now();
    loop.runUntil([&] { return loop.now() - restart >= 10; });
    timer.setInterval(40);  // restarts from now
    const std::int64_t changed = loop.now();
    loop.runUntil([&] { return firedAt >= 0; });
    EXPECT_GE(firedAt + start - changed, 40);
    EXPECT_EQ(zero, 0);
}

TEST(Win32Timers, SleepDeliversNothingAndALateTimerFiresOnce) {
    Win32EventLoop loop;
    int fast = 0;
    Timer quick(loop, 5, true);
    quick.onTick([&] { ++fast; });
    loop.sleep(50);
    EXPECT_EQ(fast, 0);
    loop.processEvents();
    EXPECT_EQ(fast, 1);  // late: fires once, not once per missed period
    const std::int64_t start = loop.now();
    loop.runUntil([&] { return loop.now() - start >= 60; });
    EXPECT_GE(fast, 8);
}

TEST(Win32Timers, DueTogetherFireInArmingOrder) {
    Win32EventLoop loop;
    std::string order;
    Timer second(loop, 20, false);
    Timer first(loop, 20, false);
    first.onTick([&] { order += 'a'; });
    second.onTick([&] { order += 'b'; });
    first.setEnabled(true);
    second.setEnabled(true);
    loop.sleep(30);  // both are due by now
    loop.processEvents();
    EXPECT_EQ(order.substr(0, 2), "ab");
}

TEST(Win32Timers, NestedLoopRunsOtherTimersButNotTheOneInItsTick) {
    Win32EventLoop loop;
    int inner = 0;
    int outerTicks = 0;
    Timer other(loop, 10, true);
    other.onTick([&] { ++inner; });
    Timer outer(loop, 20, true);
    outer.onTick([&] {
        if (++outerTicks == 1) {
            loop.runUntil([&] { return inner >= 8; });
        }
    });
    loop.runUntil([&] { return outerTicks >= 2; });
    EXPECT_GE(inner, 8);
    EXPECT_EQ(outerTicks, 2);
}

TEST(Win32Timers, TimerDestroyedInItsOwnTickIsCancelled) {
    Win32EventLoop loop;
    int ticks = 0;
    auto timer = std::make_unique<Timer>(loop, 10, true);
    timer->onTick([&] {
        ++ticks;
        timer.reset();
    });
    Timer end(loop, 60, true);
    bool ended = false;
    end.onTick([&] { ended = true; });
    loop.runUntil([&] { return ended; });
    EXPECT_EQ(ticks, 1);
}

TEST(Win32Loop, SignalsFromOtherThreadsArriveOnTheLoopThreadJoined) {
    Win32EventLoop loop;
    const auto loopThread = std::this_thread::get_id();
    int calls = 0;
    bool onLoopThread = true;
    const auto id = loop.addReceiver([&] {
        ++calls;
        onLoopThread = onLoopThread && std::this_thread::get_id() == loopThread;
    });
    std::thread([&] { loop.signal(id); }).join();
    EXPECT_EQ(calls, 0);  // never inside the signalling call
    loop.runUntil([&] { return calls >= 1; });
    EXPECT_TRUE(onLoopThread);
    loop.removeReceiver(id);
    loop.signal(id);
    Timer end(loop, 20, true);
    bool ended = false;
    end.onTick([&] { ended = true; });
    loop.runUntil([&] { return ended; });
    EXPECT_EQ(calls, 1);  // a removed receiver's late signal is dropped
}

TEST(Win32Loop, PostedEventsAndQuitEndTheLoop) {
    Win32EventLoop loop;
    int posted = 0;
    loop.post([&] {
        ++posted;
        loop.post([&] { loop.quit(); });
    });
    loop.runUntil([] { return false; });
    EXPECT_EQ(posted, 1);
    EXPECT_TRUE(loop.quitRequested());
}

}  // namespace
