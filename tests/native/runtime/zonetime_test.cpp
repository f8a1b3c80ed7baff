// Moments counted in real time and shown on the wall clock: a number of minutes from now across
// a change of the clock, and the second showing of a repeated time.

#include "runtime/zonetime.h"

#include <gtest/gtest.h>

#include "runtime/runtime_fixture.h"
#include "zones.h"

namespace pellino {
namespace {

using testing::at;
using testing::NewYork;
using testing::on;

class ZoneTimeTest : public testing::RuntimeTest {};

TEST_F(ZoneTimeTest, MinutesFromNowCountRealTimeAcrossAChangeOfTheClock) {
    struct Case {
        const char* what;
        LocalTime utcNow;
        std::int32_t minutes;
        TDateTime shown;
        bool laterPass;
    };
    const Case cases[] = {
        // 01:59:48 summer time; five minutes later the clock has gone back an hour.
        {"into the repeated hour",
         {2027, 11, 7, 5, 59, 48},
         5,
         on(2027, 11, 7) + at(1, 4, 48),
         true},
        {"within the first pass", {2027, 11, 7, 4, 58, 0}, 5, on(2027, 11, 7) + at(1, 3, 0), false},
        {"within the second pass",
         {2027, 11, 7, 6, 10, 0},
         5,
         on(2027, 11, 7) + at(1, 15, 0),
         true},
        {"an hour from the first pass",
         {2027, 11, 7, 5, 30, 0},
         60,
         on(2027, 11, 7) + at(1, 30, 0),
         true},
        {"past the repeated hour",
         {2027, 11, 7, 5, 30, 0},
         90,
         on(2027, 11, 7) + at(2, 0, 0),
         false},
        // 01:58 standard time; the clock jumps from 02:00 to 03:00 on the way.
        {"across the spring change",
         {2027, 3, 14, 6, 58, 0},
         5,
         on(2027, 3, 14) + at(3, 3, 0),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::SetTimeZone(NewYork());
        headless::SetClockUtc(c.utcNow);
        const LocalMoment then = MinutesFromNow(c.minutes);
        // A minute step of the program is 60.000048 s: the moment may lie a few ms later.
        EXPECT_NEAR(then.value, c.shown, 0.01 / 86400)
            << FormatDateTime("hh:nn:ss.zzz", then.value);
        EXPECT_EQ(then.laterPass, c.laterPass);
    }
}

TEST_F(ZoneTimeTest, MinutesFromNowOnAnOrdinaryDayAreTheWallClockSteps) {
    for (const TimeZoneRules& zone : {TimeZoneRules{}, NewYork()}) {
        headless::SetTimeZone(zone);
        headless::SetClock(LocalTime{2027, 7, 1, 23, 58, 30, 250});
        for (const std::int32_t minutes : {1, 5, 10, 60, 24 * 60}) {
            const LocalMoment then = MinutesFromNow(minutes);
            EXPECT_EQ(then.value, AddMinutes(minutes, Now())) << minutes << " bit for bit";
            EXPECT_FALSE(then.laterPass);
        }
    }
}

TEST_F(ZoneTimeTest, TheSecondShowingOfARepeatedTimeIsReachedOnlyInTheSecondPass) {
    headless::SetTimeZone(NewYork());
    const TDateTime repeated = on(2027, 11, 7) + at(1, 4, 48);
    headless::SetClockUtc({2027, 11, 7, 5, 59, 48});  // the first 01:59:48
    EXPECT_FALSE(LaterPassReached(repeated));
    headless::SetClockUtc({2027, 11, 7, 6, 4, 47});  // the second 01:04:47
    EXPECT_FALSE(LaterPassReached(repeated));
    headless::SetClockUtc({2027, 11, 7, 6, 4, 48});
    EXPECT_TRUE(LaterPassReached(repeated));
    // A time shown once is reached when it is shown.
    headless::SetClock({2027, 11, 7, 14, 0, 0});
    EXPECT_TRUE(LaterPassReached(on(2027, 11, 7) + at(14, 0)));
    EXPECT_FALSE(LaterPassReached(on(2027, 11, 7) + at(14, 0, 1)));
}

TEST_F(ZoneTimeTest, LocalMillisecondsConvertLikeTheEncoders) {
    for (const TDateTime value : {on(1900, 1, 1), on(2027, 11, 7) + at(1, 4, 48, 999),
                                  on(9999, 12, 31) + at(23, 59, 59, 999)}) {
        EXPECT_EQ(ValueOfLocalMs(LocalMsOf(value)), value);
    }
    EXPECT_EQ(LocalMsOf(on(1970, 1, 2) + at(0, 0, 1)), 86'401'000);
}

}  // namespace
}  // namespace pellino
