// The conversions between universal time and the local wall clock by a zone's rules, as the
// platform describes them: the yearly changes, the hour the autumn change repeats and the hour
// the spring change skips.

#include "platform/timezone.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "zones.h"

namespace pellino {
namespace {

using testing::London;
using testing::NewYork;
using testing::Sydney;

std::int64_t Ms(int year, int month, int day, int hour, int minute, int second = 0) {
    return MsFromTime(LocalTime{year, month, day, hour, minute, second, 0});
}

constexpr std::int64_t kHour = 3'600'000;

TEST(TimeZone, UniversalTimeShowsOnTheWallClockByTheRulesOfItsDate) {
    struct Case {
        const char* what;
        TimeZoneRules rules;
        std::int64_t utc;
        std::int64_t local;
        bool laterPass;
    };
    const Case cases[] = {
        {"New York in winter", NewYork(), Ms(2027, 1, 15, 12, 0), Ms(2027, 1, 15, 7, 0), false},
        {"New York in summer", NewYork(), Ms(2027, 7, 1, 12, 0), Ms(2027, 7, 1, 8, 0), false},
        // 14 March: 01:59:59 is followed by 03:00:00.
        {"the last second before spring", NewYork(), Ms(2027, 3, 14, 6, 59, 59),
         Ms(2027, 3, 14, 1, 59, 59), false},
        {"the spring change", NewYork(), Ms(2027, 3, 14, 7, 0), Ms(2027, 3, 14, 3, 0), false},
        // 7 November: the hour from 01:00 to 02:00 is shown twice.
        {"the first 01:00", NewYork(), Ms(2027, 11, 7, 5, 0), Ms(2027, 11, 7, 1, 0), false},
        {"the first 01:59:59", NewYork(), Ms(2027, 11, 7, 5, 59, 59), Ms(2027, 11, 7, 1, 59, 59),
         false},
        {"the second 01:00", NewYork(), Ms(2027, 11, 7, 6, 0), Ms(2027, 11, 7, 1, 0), true},
        {"the second 01:59:59", NewYork(), Ms(2027, 11, 7, 6, 59, 59), Ms(2027, 11, 7, 1, 59, 59),
         true},
        {"02:00 after the repeated hour", NewYork(), Ms(2027, 11, 7, 7, 0), Ms(2027, 11, 7, 2, 0),
         false},
        // South of the equator summer spans New Year.
        {"Sydney in January", Sydney(), Ms(2027, 1, 15, 0, 0), Ms(2027, 1, 15, 11, 0), false},
        {"Sydney in June", Sydney(), Ms(2027, 6, 15, 0, 0), Ms(2027, 6, 15, 10, 0), false},
        {"Sydney's first 02:30 in April", Sydney(), Ms(2027, 4, 3, 15, 30), Ms(2027, 4, 4, 2, 30),
         false},
        {"Sydney's second 02:30 in April", Sydney(), Ms(2027, 4, 3, 16, 30), Ms(2027, 4, 4, 2, 30),
         true},
        {"Sydney's October change", Sydney(), Ms(2027, 10, 2, 16, 0), Ms(2027, 10, 3, 3, 0), false},
        // March 2027 has four Sundays, the 28th the last; October five, the 31st the last.
        {"London before its last Sunday of March", London(), Ms(2027, 3, 28, 0, 59),
         Ms(2027, 3, 28, 0, 59), false},
        {"London on its last Sunday of March", London(), Ms(2027, 3, 28, 1, 0),
         Ms(2027, 3, 28, 2, 0), false},
        {"London's second 01:30 of October", London(), Ms(2027, 10, 31, 1, 30),
         Ms(2027, 10, 31, 1, 30), true},
        {"London a week before", London(), Ms(2027, 10, 24, 1, 30), Ms(2027, 10, 24, 2, 30), false},
        {"a zone without changes", TimeZoneRules{-90}, Ms(2027, 7, 1, 12, 0),
         Ms(2027, 7, 1, 13, 30), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool laterPass = !c.laterPass;
        EXPECT_EQ(LocalFromUtcMs(c.utc, c.rules, &laterPass), c.local);
        EXPECT_EQ(laterPass, c.laterPass);
        EXPECT_EQ(UtcFromLocalMs(c.local, c.rules, c.laterPass), c.utc) << "and back";
    }
}

TEST(TimeZone, ATimeShownTwiceOrSkippedHasOneUniversalMoment) {
    // Shown twice: the first showing unless the second is asked for.
    EXPECT_EQ(UtcFromLocalMs(Ms(2027, 11, 7, 1, 30), NewYork()), Ms(2027, 11, 7, 5, 30));
    EXPECT_EQ(UtcFromLocalMs(Ms(2027, 11, 7, 1, 30), NewYork(), true), Ms(2027, 11, 7, 6, 30));
    // Shown once: the second showing is the only one.
    EXPECT_EQ(UtcFromLocalMs(Ms(2027, 11, 7, 2, 30), NewYork(), true), Ms(2027, 11, 7, 7, 30));
    // Skipped: taken with the offset before the jump, so 02:30 is where 03:30 is.
    EXPECT_EQ(UtcFromLocalMs(Ms(2027, 3, 14, 2, 30), NewYork()), Ms(2027, 3, 14, 7, 30));
    EXPECT_EQ(UtcFromLocalMs(Ms(2027, 3, 14, 2, 30), NewYork(), true), Ms(2027, 3, 14, 7, 30));
}

TEST(TimeZone, ChangesOfOneYearOnlyHappenInThatYear) {
    TimeZoneRules rules = NewYork();
    rules.toDaylight = ZoneChange{2027, 3, 0, 14, 2};
    rules.toStandard = ZoneChange{2027, 11, 0, 7, 2};
    EXPECT_EQ(UtcOffsetMs(Ms(2027, 7, 1, 12, 0), rules), -4 * kHour);
    EXPECT_EQ(UtcOffsetMs(Ms(2027, 3, 14, 6, 59), rules), -5 * kHour);
    EXPECT_EQ(UtcOffsetMs(Ms(2027, 3, 14, 7, 0), rules), -4 * kHour);
    EXPECT_EQ(UtcOffsetMs(Ms(2028, 7, 1, 12, 0), rules), -5 * kHour) << "standard time in 2028";
    // Fields that name no moment are no change: the zone keeps standard time.
    rules = NewYork();
    rules.toDaylight.day = 6;
    EXPECT_EQ(UtcOffsetMs(Ms(2027, 7, 1, 12, 0), rules), -5 * kHour);
    rules = NewYork();
    rules.toStandard.hour = 24;
    EXPECT_EQ(UtcOffsetMs(Ms(2027, 7, 1, 12, 0), rules), -5 * kHour);
}

// Every minute of the two days of change in each zone goes to the wall clock and back to the
// same moment, and the wall clock never stands still or runs back except at the autumn change.
TEST(TimeZone, EveryMinuteOfTheDaysOfChangeGoesThereAndBack) {
    struct Zone {
        const char* name;
        TimeZoneRules rules;
        std::int64_t springDay;
        std::int64_t autumnDay;
    };
    const Zone zones[] = {
        {"New York", NewYork(), Ms(2027, 3, 14, 0, 0), Ms(2027, 11, 7, 0, 0)},
        {"Sydney", Sydney(), Ms(2027, 10, 2, 0, 0), Ms(2027, 4, 3, 0, 0)},
        {"London", London(), Ms(2027, 3, 28, 0, 0), Ms(2027, 10, 31, 0, 0)},
    };
    for (const Zone& zone : zones) {
        SCOPED_TRACE(zone.name);
        for (const std::int64_t day : {zone.springDay, zone.autumnDay}) {
            int backwards = 0;
            std::int64_t previous = LocalFromUtcMs(day - 60'000, zone.rules);
            for (std::int64_t utc = day; utc < day + 48 * kHour; utc += 60'000) {
                bool laterPass = false;
                const std::int64_t local = LocalFromUtcMs(utc, zone.rules, &laterPass);
                ASSERT_EQ(UtcFromLocalMs(local, zone.rules, laterPass), utc) << utc;
                if (local <= previous) {
                    ++backwards;
                    EXPECT_EQ(local, previous - kHour + 60'000) << "back by one hour, once";
                }
                previous = local;
            }
            EXPECT_EQ(backwards, day == zone.autumnDay ? 1 : 0);
        }
    }
}

}  // namespace
}  // namespace pellino
