// Timers on the fake clock: periods, restarts, order, and the refusal error.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/exception.h"
#include "platform/headless/testing.h"
#include "platform/timer.h"

namespace pellino {
namespace {

class TimersTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
};

TEST_F(TimersTest, APeriodEndsOneIntervalAfterTheStartAndSwitchingOffAndOnRestartsIt) {
    Timer timer;
    std::vector<std::int64_t> at;
    timer.OnTimer = [&] { at.push_back(TickCountMs()); };
    timer.SetEnabled(true);
    headless::AdvanceClock(2500);
    EXPECT_EQ(at, (std::vector<std::int64_t>{1000, 2000}));
    timer.SetEnabled(false);
    timer.SetEnabled(true);  // at 2500: the next tick comes a whole period later
    headless::AdvanceClock(1000);
    EXPECT_EQ(at.back(), 3500);
    timer.SetEnabled(false);
    headless::AdvanceClock(10'000);
    EXPECT_EQ(at.size(), 3u) << "a timer switched off fires no more";
}

TEST_F(TimersTest, AHandlerThatSwitchesItsTimerOffAndOnAgainDoesNotNest) {
    Timer timer;
    int depth = 0, maxDepth = 0, ticks = 0;
    timer.OnTimer = [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        timer.SetEnabled(false);
        headless::AdvanceClock(300);  // time passes inside the tick, as a modal window makes it
        ++ticks;
        timer.SetEnabled(true);
        --depth;
    };
    timer.SetEnabled(true);
    headless::AdvanceClock(5000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(ticks, 4) << "each tick starts a whole period after the previous one ended";
}

TEST_F(TimersTest, DueTimersFireInTheOrderOfTheirMomentsAndTheWallClockFollows) {
    Timer slow, fast;
    std::vector<std::string> events;
    slow.SetInterval(1000);
    fast.SetInterval(400);
    slow.OnTimer = [&] {
        events.push_back("slow " + std::to_string(NowLocal().second) + "." +
                         std::to_string(NowLocal().millisecond));
    };
    fast.OnTimer = [&] {
        events.push_back("fast " + std::to_string(NowLocal().second) + "." +
                         std::to_string(NowLocal().millisecond));
    };
    headless::SetClock(LocalTime{2026, 3, 1, 8, 0, 0, 0});
    slow.SetEnabled(true);
    fast.SetEnabled(true);
    headless::AdvanceClock(1200);
    EXPECT_EQ(events,
              (std::vector<std::string>{"fast 0.400", "fast 0.800", "slow 1.0", "fast 1.200"}));
}

TEST_F(TimersTest, ARefusedTimerRaisesAndStaysOffUntilSwitchedOnAgain) {
    Timer timer;
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    headless::RefuseTimers(true);
    try {
        timer.SetEnabled(true);
        FAIL() << "the platform had no timer to give";
    } catch (const EOutOfResources& error) {
        EXPECT_STREQ(error.what(), "Not enough timers available");
    }
    EXPECT_FALSE(timer.Enabled());
    headless::RefuseTimers(false);
    headless::AdvanceClock(5000);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    headless::AdvanceClock(1000);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimersTest, TheFakeClockCarriesAcrossMidnightAndTheMonthEnd) {
    headless::SetClock(LocalTime{2028, 2, 29, 23, 59, 59, 500});
    headless::AdvanceClock(600);
    const LocalTime t = NowLocal();
    EXPECT_EQ(t.year, 2028);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(t.millisecond, 100);
}

}  // namespace
}  // namespace pellino
