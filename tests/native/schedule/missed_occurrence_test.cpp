// Which occurrence of a repeating reminder went by between the clock's last look and now, and the
// text the clock keeps its moments in.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/reminder.h"
#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "schedule/clockmemory.h"
#include "schedule/missedreminders.h"

namespace pellino::testing {
namespace {

// 2026-01-05 is a Monday.
TDateTime Day(int offset) {
    return EncodeDate(2026, 1, 5) + offset;
}
TDateTime At(int hour, int minute) {
    return EncodeTime(hour, minute, 0, 0);
}

class MissedOccurrenceTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
};

TEST_F(MissedOccurrenceTest, TheLatestOccurrenceAfterTheLastLookAndUpToNow) {
    struct Case {
        const char* what;
        std::string days;
        TDateTime first;
        std::int32_t interval;
        std::optional<TDateTime> until;
        TDateTime after;
        TDateTime upTo;
        std::optional<TDateTime> expected;  // to the second
    };
    const Case cases[] = {
        {"daily, the next day",
         "0123456",
         At(10, 0),
         0,
         {},
         Day(0) + At(12, 0),
         Day(1) + At(11, 0),
         Day(1) + At(10, 0)},
        {"daily, the next day before its time",
         "0123456",
         At(10, 0),
         0,
         {},
         Day(0) + At(12, 0),
         Day(1) + At(9, 0),
         std::nullopt},
        {"daily, days off",
         "0123456",
         At(10, 0),
         0,
         {},
         Day(0) + At(12, 0),
         Day(3) + At(9, 0),
         Day(2) + At(10, 0)},
        {"daily, at now itself",
         "0123456",
         At(10, 0),
         0,
         {},
         Day(0) + At(12, 0),
         Day(1) + At(10, 0),
         Day(1) + At(10, 0)},
        {"daily, only before the last look",
         "0123456",
         At(10, 0),
         0,
         {},
         Day(0) + At(10, 0),
         Day(0) + At(23, 0),
         std::nullopt},
        {"on Tuesdays, three weeks off",
         "2",
         At(8, 0),
         0,
         {},
         Day(0),
         Day(22) + At(7, 0),
         Day(15) + At(8, 0)},
        {"on no day of the gap", "06", At(8, 0), 0, {}, Day(0), Day(4) + At(23, 0), std::nullopt},
        {"every 30 minutes until 17:00: the until time counts", "12345", At(8, 0), 30, At(17, 0),
         Day(0) + At(12, 0), Day(0) + At(20, 0), Day(0) + At(17, 0)},
        {"every 45 minutes to the day's end",
         "1",
         At(0, 0),
         45,
         {},
         Day(0) + At(12, 0),
         Day(1) + At(12, 0),
         Day(0) + At(23, 15)},
        {"every 30 minutes, the step before now",
         "0123456",
         At(8, 0),
         30,
         {},
         Day(0) + At(9, 0),
         Day(0) + At(9, 40),
         Day(0) + At(9, 30)},
        {"the clock set back: no window",
         "0123456",
         At(10, 0),
         0,
         {},
         Day(1) + At(12, 0),
         Day(0) + At(12, 0),
         std::nullopt},
        {"a first time after the until time never comes", "0123456", At(18, 0), 30, At(17, 0),
         Day(0), Day(2), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto reminder =
            TReminder::CreateRepeating(c.first, c.until.has_value(), c.until.value_or(0), c.days,
                                       c.interval, "r", "", kNotifyMessageOnly);
        const std::optional<TDateTime> found = LatestOccurrence(*reminder, c.after, c.upTo);
        ASSERT_EQ(found.has_value(), c.expected.has_value());
        if (found) {
            EXPECT_NEAR(*found, *c.expected, 1.0 / 86400) << MomentText(*found);
        }
    }
}

TEST_F(MissedOccurrenceTest, MomentsAreKeptAsTextAndOnlyThatTextIsReadBack) {
    const TDateTime moment = Day(0) + EncodeTime(9, 5, 3, 250);
    EXPECT_EQ(MomentText(moment), "2026-01-05 09:05:03.250");
    ASSERT_TRUE(MomentFromText("2026-01-05 09:05:03.250").has_value());
    EXPECT_NEAR(*MomentFromText("2026-01-05 09:05:03.250"), moment, 0.5 / kMsPerDay);
    for (const char* refused :
         {"", "2026-01-05 09:05:03", "2026-02-30 09:05:03.250", "2026-01-05 24:00:00.000",
          "2026-01-05T09:05:03.250", "2026-01-05 09:05:03.250x", "yesterday at nine",
          "2026-01-05  9:05:03.250", "+026-01-05 09:05:03.250", "2026-01-05 09:-5:03.250"}) {
        EXPECT_FALSE(MomentFromText(refused).has_value()) << refused;
    }
    const std::vector<TDateTime> kept =
        MomentsFromText("2026-01-05 09:05:03.250;garbage;2027-11-07 01:04:48.000");
    ASSERT_EQ(kept.size(), 2u) << "a part that is no moment is left out";
    EXPECT_EQ(MomentsText(kept), "2026-01-05 09:05:03.250;2027-11-07 01:04:48.000");
    const ClockMemory memory{std::nullopt, kept};
    EXPECT_TRUE(memory.InSecondPass(moment + 0.4 / kMsPerDay));
    EXPECT_FALSE(memory.InSecondPass(moment + 2.0 / kMsPerDay));
}

}  // namespace
}  // namespace pellino::testing
