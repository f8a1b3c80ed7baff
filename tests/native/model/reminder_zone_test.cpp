// The reminder rules on the days the clock changes, in a zone with daylight-saving time: the
// steps of a repeating reminder count real time, and a due moment in the second pass of the
// repeated autumn hour waits for that pass.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/reminder.h"
#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "runtime/formats.h"
#include "zones.h"

namespace pellino {
namespace {

using testing::NewYork;

TDateTime at(int hour, int minute, int second = 0) {
    return EncodeTime(hour, minute, second, 0);
}

// The two days of change in New York in 2027, both Sundays.
const TDateTime kSpring = EncodeDate(2027, 3, 14);
const TDateTime kAutumn = EncodeDate(2027, 11, 7);

class ReminderZoneTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        headless::SetTimeZone(NewYork());
    }

    static std::unique_ptr<TReminder> every(int minutes, TDateTime first = 0, bool hasUntil = false,
                                            TDateTime stop = 0) {
        return TReminder::CreateRepeating(first, hasUntil, stop, "0123456", minutes, "r", "",
                                          kNotifyMessageAndSound);
    }
};

TEST_F(ReminderZoneTest, IntervalStepsCountRealTimeOnTheDaysTheClockChanges) {
    struct Case {
        const char* what;
        int interval;
        LocalTime utcNow;
        TDateTime due;  // 0: none left today
        bool laterPass;
    };
    const Case cases[] = {
        // From 00:00 every 15 minutes; at 01:45 summer time the clock is an hour from going back.
        {"after 01:45 summer time comes the first 01:00 standard time",
         15,
         {2027, 11, 7, 5, 45, 5},
         kAutumn + at(1, 0),
         true},
        {"within the first pass", 15, {2027, 11, 7, 5, 10, 0}, kAutumn + at(1, 15), false},
        {"within the second pass", 15, {2027, 11, 7, 6, 10, 0}, kAutumn + at(1, 15), true},
        {"after the repeated hour", 15, {2027, 11, 7, 7, 5, 0}, kAutumn + at(2, 15), false},
        // Every 25 minutes: 01:40 summer time, then 25 real minutes later 01:05 standard time.
        {"a step that does not divide the hour",
         25,
         {2027, 11, 7, 5, 41, 0},
         kAutumn + at(1, 5),
         true},
        // 13 hours of real time from the first, 12:00 standard time: 32 steps make 12:20.
        {"the same step later in the day",
         25,
         {2027, 11, 7, 17, 0, 0},
         kAutumn + at(12, 20),
         false},
        // 01:45 standard time, then the clock jumps from 02:00 to 03:00.
        {"after 01:45 standard time comes 03:00 summer time",
         15,
         {2027, 3, 14, 6, 45, 5},
         kSpring + at(3, 0),
         false},
        {"25 minutes after 01:40 standard time",
         25,
         {2027, 3, 14, 6, 41, 0},
         kSpring + at(3, 5),
         false},
        {"the same step later in the day",
         25,
         {2027, 3, 14, 16, 0, 0},
         kSpring + at(12, 15),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::SetClockUtc(c.utcNow);
        auto r = every(c.interval);
        r->ScheduleNext();
        EXPECT_EQ(r->Status, kStatusPending);
        // Each minute step is 60.000048 s long: some 40 ms over a day of steps.
        EXPECT_NEAR(r->DueDateTime, c.due, 0.05 / 86400)
            << FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", r->DueDateTime);
        EXPECT_EQ(r->WaitsForLaterPass(), c.laterPass);
    }
}

TEST_F(ReminderZoneTest, TheUntilTimeIsTheWallClocksAndOtherDaysKeepTheirSteps) {
    // Until 01:40: after the first 01:30 the next step shows 01:45, past it; nothing follows,
    // though the wall clock shows 01:00 to 01:40 once more.
    headless::SetClockUtc({2027, 11, 7, 5, 31, 0});
    auto r = every(15, 0, true, at(1, 40));
    r->Status = kStatusInactive;
    r->DueDateTime = 12345.5;
    r->ScheduleNext();
    EXPECT_EQ(r->Status, kStatusInactive);
    EXPECT_EQ(r->DueDateTime, 12345.5);

    // The day before the change, in the same zone: the wall clock's steps, bit for bit.
    headless::SetClock({2027, 11, 6, 16, 45, 0});
    r = every(30, at(9, 0));
    r->ScheduleNext();
    TDateTime expected = at(9, 0);
    for (int i = 0; i < 16; ++i) expected = AddMinutes(30, expected);
    EXPECT_EQ(r->DueDateTime, EncodeDate(2027, 11, 6) + expected);
    EXPECT_FALSE(r->WaitsForLaterPass());

    // Once a day at a time the change repeats: its first showing, as a plain due time.
    headless::SetClockUtc({2027, 11, 7, 4, 0, 0});
    r = every(0, at(1, 30));
    r->ScheduleNext();
    EXPECT_EQ(r->DueDateTime, kAutumn + at(1, 30));
    EXPECT_FALSE(r->WaitsForLaterPass());
}

TEST_F(ReminderZoneTest, AMomentInTheSecondPassWaitsForItAndStaysPending) {
    auto r = TReminder::CreateOneTime(0, "r", "", kNotifyMessageAndSound);
    headless::SetClockUtc({2027, 11, 7, 5, 59, 48});  // the first 01:59:48
    r->SetDueMoment({kAutumn + at(1, 4, 48), true});
    r->RefreshStatus();
    EXPECT_EQ(r->Status, kStatusPending) << "not Expired: its moment is still to come";
    EXPECT_TRUE(r->WaitsForLaterPass());

    headless::SetClockUtc({2027, 11, 7, 6, 4, 48});  // the second 01:04:48
    EXPECT_FALSE(r->WaitsForLaterPass()) << "its moment has come";
    r->RefreshStatus();
    EXPECT_EQ(r->Status, kStatusPending);

    // A due moment changed by other means (an edit, an adjustment) is a wall-clock time again.
    headless::SetClockUtc({2027, 11, 7, 5, 59, 48});
    r->DueDateTime = kAutumn + at(1, 4, 48) + 1.0 / 1440;
    EXPECT_FALSE(r->WaitsForLaterPass());
    r->RefreshStatus();
    EXPECT_EQ(r->Status, kStatusExpired);
    EXPECT_FALSE(r->Clone()->WaitsForLaterPass());
    r->SetDueMoment({kAutumn + at(1, 4, 48), true});
    EXPECT_TRUE(r->Clone()->WaitsForLaterPass()) << "a copy waits as the original does";
}

}  // namespace
}  // namespace pellino
