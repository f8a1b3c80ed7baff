#include "model/reminder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/reminder_fields.h"
#include "model/stream.h"
#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "runtime/errors.h"

namespace pellino {
namespace {

using testing::fieldsOf;
using Bytes = std::vector<std::uint8_t>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TDateTime timeOf(int hour, int minute, int second = 0, int ms = 0) {
    return EncodeTime(hour, minute, second, ms);
}

class ReminderTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }

    // 5 January 2026 is a Monday.
    static void setClock(int day, int hour, int minute, int second = 0, int ms = 0) {
        headless::SetClock(LocalTime{2026, 1, day, hour, minute, second, ms});
    }
    static TDateTime date(int day) { return EncodeDate(2026, 1, day); }

    static std::unique_ptr<TReminder> repeating(std::string days, TDateTime first, int interval,
                                                bool hasUntil = false, TDateTime stop = 0) {
        return TReminder::CreateRepeating(first, hasUntil, stop, std::move(days), interval, "r", "",
                                          kNotifyMessageAndSound);
    }
};

TEST_F(ReminderTest, ConstructorsAndCloneSetTheirFields) {
    const auto empty = TReminder::Create();
    EXPECT_EQ(fieldsOf(*empty), fieldsOf(TReminder{}));
    EXPECT_EQ(empty->Kind, kKindOneTime);
    EXPECT_EQ(empty->Status, kStatusPending);

    const auto once = TReminder::CreateOneTime(35000.5, "abc", "C:\\a.wav", kNotifySoundOnly);
    TReminder expected;
    expected.DueDateTime = 35000.5;
    expected.Description = "abc";
    expected.SoundFile = "C:\\a.wav";
    expected.NotifyMode = kNotifySoundOnly;
    EXPECT_EQ(fieldsOf(*once), fieldsOf(expected));

    const auto rep =
        TReminder::CreateRepeating(0.375, true, 0.7, "135", 30, "d", "s.wav", kNotifyMessageOnly);
    expected = TReminder{};
    expected.Kind = kKindRepeating;
    expected.FirstTime = 0.375;
    expected.HasUntil = true;
    expected.StopTime = 0.7;
    expected.DaySet = "135";
    expected.IntervalMinutes = 30;
    expected.Description = "d";
    expected.SoundFile = "s.wav";
    expected.NotifyMode = kNotifyMessageOnly;
    EXPECT_EQ(fieldsOf(*rep), fieldsOf(expected));

    rep->DueDateTime = 46027.5;
    rep->Status = kStatusNotToday;
    rep->ReservedFlag = true;
    EXPECT_EQ(fieldsOf(*rep->Clone()), fieldsOf(*rep));
}

TEST_F(ReminderTest, DueDateAndTimeSplitTowardZero) {
    TReminder r;
    r.DueDateTime = 46027.75;
    EXPECT_EQ(r.DueDate(), 46027.0);
    EXPECT_EQ(r.DueTime(), 0.75);
    r.DueDateTime = -1.25;  // before 1899: the date part is truncated, not floored
    EXPECT_EQ(r.DueDate(), -1.0);
    EXPECT_EQ(r.DueTime(), -0.25);
}

TEST_F(ReminderTest, RefreshStatusOfOneTimeReminders) {
    struct Case {
        const char* what;
        int clockDay, clockHour, clockMinute;
        int dueDay, dueHour, dueMinute;
        std::uint8_t before;
        std::uint8_t after;
    };
    const std::vector<Case> cases = {
        {"due exactly now", 5, 12, 0, 5, 12, 0, kStatusExpired, kStatusPending},
        {"ten minutes ago is within the grace", 5, 12, 10, 5, 12, 0, kStatusNotToday,
         kStatusPending},
        {"eleven minutes ago", 5, 12, 11, 5, 12, 0, kStatusPending, kStatusExpired},
        {"later today", 5, 12, 0, 5, 18, 0, kStatusExpired, kStatusPending},
        {"grace clamped at midnight", 5, 0, 5, 5, 0, 1, kStatusPending, kStatusPending},
        {"yesterday just before midnight", 5, 0, 2, 4, 23, 59, kStatusPending, kStatusExpired},
        {"a later date", 5, 12, 0, 6, 0, 0, kStatusPending, kStatusNotToday},
        {"a past date", 5, 12, 0, 1, 12, 0, kStatusNotToday, kStatusExpired},
        {"done stays done in the past", 5, 12, 0, 1, 12, 0, kStatusDone, kStatusDone},
        {"done stays done today", 5, 12, 0, 5, 12, 5, kStatusDone, kStatusDone},
        {"inactive stays inactive", 5, 12, 0, 9, 12, 0, kStatusInactive, kStatusInactive},
        {"a removal mark is re-derived", 5, 12, 0, 9, 12, 0, kStatusRemove, kStatusNotToday},
    };
    for (const Case& c : cases) {
        setClock(c.clockDay, c.clockHour, c.clockMinute);
        const ClockReading reading = ReadClock();
        // By the clock, and by a reading of it taken then, whatever the clock says later: a load
        // judges every record by the one reading it took.
        for (const bool byReading : {false, true}) {
            TReminder r;
            r.DueDateTime = date(c.dueDay) + timeOf(c.dueHour, c.dueMinute);
            r.Status = c.before;
            const TDateTime due = r.DueDateTime;
            if (byReading) {
                setClock(20, 23, 59);
                r.RefreshStatus(reading);
            } else {
                r.RefreshStatus();
            }
            const std::string what = std::string(c.what) + (byReading ? ", by a reading" : "");
            EXPECT_EQ(int{r.Status}, int{c.after}) << what;
            EXPECT_EQ(r.DueDateTime, due) << what << ": the due value is never moved";
        }
    }
}

TEST_F(ReminderTest, RefreshStatusWithinAMillisecondOfTheGraceLimit) {
    // The limit lies ten minutes and 480 microseconds before now: AddMinutes' minute is longer.
    setClock(5, 12, 10, 0, 0);
    TReminder r;
    r.DueDateTime = date(5) + timeOf(12, 0, 0, 0);
    r.RefreshStatus();
    EXPECT_EQ(r.Status, kStatusPending);
    r.DueDateTime = date(5) + timeOf(11, 59, 59, 999);
    r.RefreshStatus();
    EXPECT_EQ(r.Status, kStatusExpired);
}

TEST_F(ReminderTest, RefreshStatusOfADamagedDueValueDoesNotCrash) {
    for (double due : {kNaN, kInf, -kInf, 1e300}) {
        TReminder r;
        r.DueDateTime = due;
        r.RefreshStatus();
        EXPECT_LE(r.Status, kStatusNotToday) << due;
    }
}

TEST_F(ReminderTest, ScheduleNextOfRepeatingReminders) {
    constexpr double kUnchanged = -1;  // expected due value: the one set before the rule ran
    struct Case {
        const char* what;
        std::string days;
        TDateTime first;
        int interval;
        bool hasUntil;
        TDateTime stop;
        int clockDay, hour, minute, second;
        std::uint8_t status;
        TDateTime due;  // time of day today, or kUnchanged
    };
    const TDateTime nine = timeOf(9, 0);
    const TDateTime five = timeOf(17, 0);
    // Occurrences are stepped from the first time, so they carry the minute steps' drift.
    const auto stepped = [](TDateTime t, int minutes, int steps) {
        for (int i = 0; i < steps; ++i) t = AddMinutes(minutes, t);
        return t;
    };
    const std::vector<Case> cases = {
        {"once a day, before", "0123456", nine, 0, false, 0, 5, 8, 0, 0, kStatusPending, nine},
        {"once a day, at the very time", "0123456", nine, 0, false, 0, 5, 9, 0, 0, kStatusPending,
         nine},
        {"once a day, a second later", "0123456", nine, 0, false, 0, 5, 9, 0, 1, kStatusNotToday,
         kUnchanged},
        {"every 30 minutes, before the first", "0123456", nine, 30, false, 0, 5, 8, 0, 0,
         kStatusPending, nine},
        {"every 30 minutes, the occurrence at now is passed over", "0123456", nine, 30, false, 0, 5,
         9, 0, 0, kStatusPending, AddMinutes(30, nine)},
        {"every 30 minutes, none left before midnight", "0123456", nine, 30, false, 0, 5, 23, 40, 0,
         kStatusInactive, kUnchanged},
        {"until 17:00, at the stop time", "0123456", nine, 30, true, five, 5, 17, 0, 0,
         kStatusNotToday, kUnchanged},
        {"every 60 minutes until 09:30, at 09:10: the next one is past the until time", "0123456",
         nine, 60, true, timeOf(9, 30), 5, 9, 10, 0, kStatusInactive, kUnchanged},
        {"every 30 minutes until 17:00, the one at the until time is scheduled", "0123456", nine,
         30, true, five, 5, 16, 45, 0, kStatusPending, stepped(nine, 30, 16)},
        {"weekdays on a Sunday", "12345", nine, 0, false, 0, 4, 8, 0, 0, kStatusNotToday,
         kUnchanged},
        {"weekdays on a Saturday", "12345", nine, 0, false, 0, 10, 8, 0, 0, kStatusNotToday,
         kUnchanged},
        {"weekends on a Saturday", "06", nine, 0, false, 0, 10, 8, 0, 0, kStatusPending, nine},
        {"Monday only on a Sunday", "1", nine, 0, false, 0, 4, 8, 0, 0, kStatusNotToday,
         kUnchanged},
        {"a negative interval counts as once a day", "0123456", nine, -30, false, 0, 5, 8, 0, 0,
         kStatusPending, nine},
        {"a negative interval, past its time", "0123456", nine, -30, false, 0, 5, 10, 0, 0,
         kStatusNotToday, kUnchanged},
        {"a NaN first time schedules nothing", "0123456", kNaN, 30, false, 0, 5, 10, 0, 0,
         kStatusInactive, kUnchanged},
    };
    for (const Case& c : cases) {
        setClock(c.clockDay, c.hour, c.minute, c.second);
        const ClockReading reading = ReadClock();
        // By the clock, and by a reading of it taken then, whatever the clock says later.
        for (const bool byReading : {false, true}) {
            auto r = repeating(c.days, c.first, c.interval, c.hasUntil, c.stop);
            r->Status = kStatusInactive;
            r->DueDateTime = 12345.5;
            if (byReading) {
                setClock(11, 0, 1);  // a Sunday, just after midnight
                r->ScheduleNext(reading);
            } else {
                r->ScheduleNext();
            }
            const std::string what = std::string(c.what) + (byReading ? ", by a reading" : "");
            EXPECT_EQ(int{r->Status}, int{c.status}) << what;
            const TDateTime expected = c.due == kUnchanged ? 12345.5 : date(c.clockDay) + c.due;
            EXPECT_EQ(r->DueDateTime, expected) << what;
        }
    }
}

TEST_F(ReminderTest, ScheduleNextEndsForAnyStoredFirstTime) {
    // Values a damaged file may hold: the stepping starts from midnight at the latest.
    setClock(5, 10, 0);
    for (double first : {-1e300, -kInf, -0.5, -1e-300}) {
        auto r = repeating("0123456", first, 1);
        r->ScheduleNext();
        EXPECT_EQ(r->Status, kStatusPending) << first;
        EXPECT_GT(r->DueDateTime, date(5) + timeOf(10, 0)) << first;
        EXPECT_LE(r->DueDateTime, date(5) + timeOf(10, 1)) << first;
    }
}

TEST_F(ReminderTest, ScheduleNextCarriesTheDriftOfTheMinuteSteps) {
    // 480 steps of 30 minutes from 09:00, each 48 microseconds long per minute: 17:00:00.023.
    setClock(5, 16, 45);
    auto r = repeating("0123456", timeOf(9, 0), 30, true, timeOf(17, 0));
    r->ScheduleNext();
    ASSERT_EQ(r->Status, kStatusPending);
    const TimeFields t = DecodeTime(r->DueDateTime);
    EXPECT_EQ(r->DueDate(), date(5));
    EXPECT_EQ((std::vector<int>{t.hour, t.minute, t.second, t.millisecond}),
              (std::vector<int>{17, 0, 0, 23}));
}

TEST_F(ReminderTest, DueText) {
    setClock(5, 12, 0);
    struct Case {
        TDateTime due;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0, ""},
        {0.75, ""},  // a time without a date: the repeating list shows "Not today" for it
        {date(5) + timeOf(9, 5), "Today at 9:05am"},
        {date(5), "Today at 12:00am"},
        {EncodeDate(1998, 3, 4) + timeOf(14, 30), "Mar 04, 1998 2:30pm"},
        {date(6) + timeOf(0, 1), "Jan 06, 2026 12:01am"},
        {1e12, ""},
        {-1e12, ""},
        {kNaN, ""},
        {kInf, ""},
    };
    for (const Case& c : cases) {
        TReminder r;
        r.DueDateTime = c.due;
        EXPECT_EQ(r.DueText(), c.text) << c.due;
    }
}

TEST_F(ReminderTest, IntervalText) {
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "0: 0"},   {5, "0: 5"},    {30, "0:30"},    {59, "0:59"},
        {60, "1:00"},  {61, "1: 1"},   {65, "1: 5"},    {90, "1:30"},
        {120, "2:00"}, {600, "10:00"}, {1439, "23:59"}, {2147483647, "35791394: 7"},
    };
    for (const auto& [minutes, text] : cases) EXPECT_EQ(IntervalText(minutes), text) << minutes;
}

TEST_F(ReminderTest, RepeatAndFirstTimeTexts) {
    auto r = repeating("0123456", timeOf(9, 5), 0);
    EXPECT_EQ(r->FirstTimeText(), "9:05am");
    EXPECT_EQ(r->RepeatText(), "");
    r->IntervalMinutes = 90;
    EXPECT_EQ(r->RepeatText(), "1:30");
    r->HasUntil = true;
    r->StopTime = timeOf(17, 0);
    EXPECT_EQ(r->RepeatText(), "1:30 until 5:00pm");

    // Values only a damaged file holds.
    r->StopTime = kNaN;
    EXPECT_EQ(r->RepeatText(), "");
    r->StopTime = timeOf(17, 0);
    r->IntervalMinutes = -30;
    EXPECT_EQ(r->RepeatText(), "");
    r->FirstTime = -kInf;
    EXPECT_EQ(r->FirstTimeText(), "");
}

TEST_F(ReminderTest, DaySetText) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"0123456", "All Days"},
        {"12345", "Weekdays"},
        {"06", "Weekends"},
        {"60", "SunSat"},
        {"1234", "MonTueWedThu"},
        {"135", "MonWedFri"},
        {"", ""},
        {"0123465", "SunMonTueWedThuFriSat"},
        {"9x1", "Mon"},  // stray characters from a damaged file are passed over
    };
    for (const auto& [days, text] : cases) {
        TReminder r;
        r.DaySet = days;
        EXPECT_EQ(r.DaySetText(), text) << days;
    }
}

TEST_F(ReminderTest, StatusText) {
    const std::vector<const char*> texts = {"Pending",  "Done", "Expired", "Not Today",
                                            "Inactive", "",     ""};
    const std::vector<int> codes = {0, 1, 2, 3, 4, 5, 255};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        TReminder r;
        r.Status = static_cast<std::uint8_t>(codes[i]);
        EXPECT_EQ(r.StatusText(), texts[i]) << codes[i];
    }
}

// ---- Storage ----

Bytes saved(const TReminder& r) {
    MemoryStream stream;
    TWriter writer(stream);
    r.SaveToWriter(writer);
    writer.FlushBuffer();
    return stream.Bytes();
}

TEST_F(ReminderTest, SavesTheTwelveValuesInFileOrder) {
    const auto r = TReminder::CreateOneTime(35000.5, "abc", "", kNotifyMessageAndSound);
    const Bytes expected = {0x02, 0x00, 0x02, 0x00,                                            //
                            0x05, 0,    0,    0,    0,    0,    0x80, 0xB8, 0x88, 0x0E, 0x40,  //
                            0x05, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     //
                            0x05, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,     //
                            0x08, 0x06, 0x03, 0x61, 0x62, 0x63, 0x06, 0x00, 0x06, 0x00,        //
                            0x02, 0x00, 0x02, 0x00, 0x08};
    EXPECT_EQ(saved(*r), expected);
}

TEST_F(ReminderTest, EveryFieldSurvivesSaveAndLoad) {
    auto r = TReminder::CreateRepeating(timeOf(9, 0), true, timeOf(17, 30), "135", 45,
                                        std::string(300, 'D') + "\r\"x\"", "C:\\WINDOWS\\ding.wav",
                                        kNotifyNothing);
    r->DueDateTime = 46027.1;
    r->Status = kStatusNotToday;
    r->ReservedFlag = true;
    const Bytes bytes = saved(*r);

    MemoryStream stream(bytes);
    TReader reader(stream);
    TReminder loaded;
    EXPECT_TRUE(loaded.LoadFromReader(reader));
    EXPECT_EQ(fieldsOf(loaded), fieldsOf(*r));
    EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size()));
}

TEST_F(ReminderTest, EveryDueDateAReminderMayHaveIsReadBackAsItself) {
    EXPECT_EQ(kFirstDueDate, EncodeDate(1900, 1, 1));
    EXPECT_EQ(kLastDueDate, EncodeDate(3797, 12, 31));
    // The last moment of every 97th day of the range, and a year of weekly time adjustments past
    // its end.
    const TDateTime lastMoment = EncodeTime(23, 59, 59, 999);
    std::vector<TDateTime> days;
    for (TDateTime day = kFirstDueDate; day <= kLastDueDate; day += 97) days.push_back(day);
    days.push_back(kLastDueDate);
    for (int week = 1; week <= 51; ++week) days.push_back(kLastDueDate + 7 * week);
    for (const TDateTime day : days) {
        auto r = TReminder::CreateOneTime(day + lastMoment, "", "", kNotifyMessageAndSound);
        const Bytes bytes = saved(*r);
        MemoryStream stream(bytes);
        TReader reader(stream);
        TReminder loaded;
        ASSERT_TRUE(loaded.LoadFromReader(reader));
        ASSERT_EQ(loaded.DueDateTime, r->DueDateTime) << "day " << day;
    }
}

TEST_F(ReminderTest, LoadingKeepsLowBytesCorrectsYearOneDatesAndNeverReadsTheRemovalMark) {
    struct Case {
        const char* what;
        std::int32_t kind, notify, status;
        double due, first;
        std::uint8_t kindRead, notifyRead, statusRead;
        double dueRead, firstRead;
    };
    const std::vector<Case> cases = {
        {"plain values", 1, 2, 3, 35000.5, 0.5, 1, 2, 3, 35000.5, 0.5},
        {"low 8 bits", 300, -1, 259, 0, 0, 44, 255, 3, 0, 0},
        {"a date counted from year 1", 0, 0, 0, 729000, 0, 0, 0, 0, 35406, 0},
        {"1 January 1900 counted from year 1", 0, 0, 0, 693596.25, 0, 0, 0, 0, 2.25, 0},
        // The program's own dates after 8 April 2064 are kept as they are, up to the threshold.
        {"9 April 2064", 0, 0, 0, 60001.5, 0, 0, 0, 0, 60001.5, 0},
        {"the last due date, late", 0, 0, 0, kLastDueDate + 0.999, 0, 0, 0, 0, kLastDueDate + 0.999,
         0},
        {"the threshold itself is kept", 0, 0, 0, 693594, 0, 0, 0, 0, 693594, 0},
        {"only the due value is corrected", 0, 0, 0, 729000.5, 700000, 0, 0, 0, 35406.5, 700000},
        // Beyond what the correction can bring below the threshold: kept, so it stays the same
        // through every later write and read.
        {"the last value corrected", 0, 0, 0, 1387188, 0, 0, 0, 0, 693594, 0},
        {"just beyond it", 0, 0, 0, 1387188.5, 0, 0, 0, 0, 1387188.5, 0},
        {"year 9999 counted from year 1", 0, 0, 0, 3652059, 0, 0, 0, 0, 3652059, 0},
        // A status no record can have is read as Not Today, never as the removal mark.
        {"status 4 is kept", 0, 0, 4, 0, 0, 0, 0, 4, 0, 0},
        {"the removal mark", 0, 0, 5, 0, 0, 0, 0, 3, 0, 0},
        {"a removal mark in the low 8 bits", 0, 0, 261, 0, 0, 0, 0, 3, 0, 0},
        {"a code beyond every status", 0, 0, 200, 0, 0, 0, 0, 3, 0, 0},
        {"a negative code", 0, 0, -1, 0, 0, 0, 0, 3, 0, 0},
    };
    for (const Case& c : cases) {
        MemoryStream stream;
        {
            TWriter w(stream);
            w.WriteInteger(c.kind);
            w.WriteInteger(c.notify);
            w.WriteFloat(c.due);
            w.WriteFloat(c.first);
            w.WriteFloat(0);
            w.WriteBoolean(false);
            w.WriteString("");
            w.WriteString("");
            w.WriteString("");
            w.WriteInteger(0);
            w.WriteInteger(c.status);
            w.WriteBoolean(false);
            w.FlushBuffer();
        }
        stream.Rewind();
        TReader reader(stream);
        TReminder r;
        ASSERT_TRUE(r.LoadFromReader(reader)) << c.what;
        EXPECT_EQ(int{r.Kind}, int{c.kindRead}) << c.what;
        EXPECT_EQ(int{r.NotifyMode}, int{c.notifyRead}) << c.what;
        EXPECT_EQ(int{r.Status}, int{c.statusRead}) << c.what;
        EXPECT_EQ(r.DueDateTime, c.dueRead) << c.what;
        EXPECT_EQ(r.FirstTime, c.firstRead) << c.what;
    }
}

TEST_F(ReminderTest, LoadingStopsSilentlyAtAValueOfTheWrongKind) {
    auto original = TReminder::CreateOneTime(46027.5, "message", "sound.wav", kNotifyMessageOnly);
    Bytes bytes = saved(*original);
    // The sound file's tag becomes an integer tag: reading stops there, having consumed it.
    const std::size_t soundTag = 2 + 2 + 11 * 3 + 1 + 2 + 7;
    ASSERT_EQ(bytes[soundTag], 0x06);
    bytes[soundTag] = 0x02;

    MemoryStream stream(bytes);
    TReader reader(stream);
    TReminder r;
    r.SoundFile = "kept";
    r.Status = kStatusDone;
    std::string failure;
    EXPECT_FALSE(r.LoadFromReader(reader, &failure));
    EXPECT_EQ(failure, "Invalid property value");
    EXPECT_EQ(r.Description, "message") << "fields before the failure are read";
    EXPECT_EQ(r.DueDateTime, 46027.5);
    EXPECT_EQ(r.SoundFile, "kept") << "fields from the failure on keep their values";
    EXPECT_EQ(r.Status, kStatusDone);
    EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(soundTag + 1));
}

TEST_F(ReminderTest, ABooleanStoredAsAnotherValueReadsOnButCountsAsMisread) {
    auto original = TReminder::CreateRepeating(0.25, true, 0.75, "135", 20, "message", "s.wav",
                                               kNotifySoundOnly);
    original->ReservedFlag = true;
    const Bytes bytes = saved(*original);
    const std::size_t hasUntilTag = 2 + 2 + 11 * 3;
    ASSERT_EQ(bytes[hasUntilTag], 0x09);
    struct Case {
        const char* what;
        std::size_t at;
        std::uint8_t tag;
    };
    const Case cases[] = {
        {"HasUntil stored with a tag no value has", hasUntilTag, 0x07},
        {"HasUntil stored with the end-of-list tag", hasUntilTag, 0x00},
        {"ReservedFlag stored with a tag no value has", bytes.size() - 1, 0x0A},
    };
    for (const Case& c : cases) {
        Bytes damaged = bytes;
        damaged[c.at] = c.tag;
        MemoryStream stream(damaged);
        TReader reader(stream);
        TReminder r;
        std::string failure;
        EXPECT_FALSE(r.LoadFromReader(reader, &failure)) << c.what;
        EXPECT_EQ(failure, "A boolean stored as another value") << c.what;
        // The value is read as false and the record read to its end, as before.
        EXPECT_EQ(c.at == hasUntilTag ? r.HasUntil : r.ReservedFlag, false) << c.what;
        EXPECT_EQ(r.IntervalMinutes, 20) << c.what;
        EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(bytes.size())) << c.what;
    }
}

TEST_F(ReminderTest, LoadingARecordCutAnywhereKeepsWhatWasRead) {
    auto original = TReminder::CreateRepeating(0.25, true, 0.75, "0123456", 20,
                                               std::string(270, 'x'), "s.wav", kNotifySoundOnly);
    original->ReservedFlag = true;
    const Bytes bytes = saved(*original);
    // Each field holds either the original's value (read before the cut) or the empty record's,
    // and the fields read only grow as the cut moves on.
    const TReminder empty;
    int previouslyRead = 0;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        MemoryStream stream(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        TReader reader(stream);
        TReminder r;
        std::string failure;
        EXPECT_FALSE(r.LoadFromReader(reader, &failure)) << cut;
        EXPECT_EQ(failure, "Stream read error") << cut;
        const std::vector<std::pair<bool, bool>> fields = {
            {r.Kind == original->Kind, r.Kind == empty.Kind},
            {r.NotifyMode == original->NotifyMode, r.NotifyMode == empty.NotifyMode},
            {r.FirstTime == original->FirstTime, r.FirstTime == empty.FirstTime},
            {r.StopTime == original->StopTime, r.StopTime == empty.StopTime},
            {r.HasUntil == original->HasUntil, r.HasUntil == empty.HasUntil},
            {r.Description == original->Description, r.Description.empty()},
            {r.SoundFile == original->SoundFile, r.SoundFile.empty()},
            {r.DaySet == original->DaySet, r.DaySet.empty()},
            {r.IntervalMinutes == original->IntervalMinutes, r.IntervalMinutes == 0},
            {r.ReservedFlag == original->ReservedFlag, r.ReservedFlag == empty.ReservedFlag},
        };
        int read = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            EXPECT_TRUE(fields[i].first || fields[i].second) << "field " << i << ", cut " << cut;
            if (fields[i].first && !fields[i].second) ++read;
        }
        EXPECT_GE(read, previouslyRead) << cut;
        previouslyRead = read;
    }
    EXPECT_EQ(previouslyRead, 9) << "all but the flag read before the last byte";
}

TEST_F(ReminderTest, SavingSwallowsAWriteErrorThatTheEndOfTheFileReports) {
    class FullDisk : public MemoryStream {
    public:
        std::size_t Write(const void*, std::size_t) override { return 0; }
    } stream;
    TWriter writer(stream);
    auto r = TReminder::CreateOneTime(1, std::string(400, 'x'), "", 0);
    for (int i = 0; i < 5; ++i) EXPECT_NO_THROW(r->SaveToWriter(writer)) << i;
    EXPECT_THROW(writer.FlushBuffer(), EWriteError);
}

}  // namespace
}  // namespace pellino
