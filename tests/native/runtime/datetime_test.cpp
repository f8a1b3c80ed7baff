#include "runtime/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/errors.h"
#include "runtime/formats.h"
#include "runtime/runtime_fixture.h"

namespace pellino {
namespace {

using testing::at;
using testing::on;

class DateTimeTest : public testing::RuntimeTest {};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Walks every day of the calendar with a plain day/month/year counter and checks that encoding
// gives consecutive values, decoding gives the counter back and the weekday advances by one.
TEST_F(DateTimeTest, EveryDayOfTheCalendarConvertsThereAndBack) {
    int year = 1, month = 1, day = 1;
    int weekday = DayOfWeek(kMinDateTime);
    for (double value = kMinDateTime; value < kMaxDateTime; value += 1) {
        TDateTime encoded = 0;
        ASSERT_TRUE(TryEncodeDate(year, month, day, encoded)) << year << "-" << month << "-" << day;
        ASSERT_EQ(encoded, value) << year << "-" << month << "-" << day;
        const DateFields decoded = DecodeDate(value);
        ASSERT_TRUE(decoded.year == year && decoded.month == month && decoded.day == day) << value;
        ASSERT_EQ(DayOfWeek(value), weekday) << value;
        weekday = (weekday + 1) % 7;
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(year, 10000);
}

TEST_F(DateTimeTest, KnownDaysAndWeekdays) {
    EXPECT_EQ(on(1899, 12, 30), 0.0);
    EXPECT_EQ(on(2000, 1, 1), 36526.0);
    EXPECT_EQ(on(1, 1, 1), kMinDateTime);
    EXPECT_EQ(on(9999, 12, 31), kMaxDateTime - 1);
    EXPECT_EQ(DayOfWeek(0), 6);                      // 30 December 1899 was a Saturday
    EXPECT_EQ(DayOfWeek(on(2026, 1, 5) + 0.99), 1);  // a Monday, whatever the time of day
    EXPECT_EQ(DayOfWeek(-1.5), 5);                   // the whole day -1: Friday 29 December 1899
}

TEST_F(DateTimeTest, EncodingRefusesFieldsOutsideTheCalendar) {
    struct Case {
        int year, month, day;
        bool valid;
    };
    const Case cases[] = {
        {2000, 2, 29, true},   // divisible by 400: leap
        {1900, 2, 29, false},  // divisible by 100 only: not leap
        {2024, 2, 29, true},  {2023, 2, 29, false}, {2024, 4, 31, false},
        {2024, 0, 1, false},  {2024, 13, 1, false}, {2024, 1, 0, false},
        {0, 12, 31, false},   {10000, 1, 1, false}, {-5, 1, 1, false},
    };
    for (const Case& c : cases) {
        TDateTime result = 42;
        EXPECT_EQ(TryEncodeDate(c.year, c.month, c.day, result), c.valid)
            << c.year << "-" << c.month << "-" << c.day;
        if (!c.valid) {
            EXPECT_EQ(result, 42) << "output touched";
            EXPECT_THROW(EncodeDate(c.year, c.month, c.day), EConvertError);
        }
    }

    const int badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000},
                               {-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, -1}};
    for (const auto& t : badTimes) {
        TDateTime result = 42;
        EXPECT_FALSE(TryEncodeTime(t[0], t[1], t[2], t[3], result)) << t[0] << ":" << t[1];
        EXPECT_EQ(result, 42);
        EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);
    }
    EXPECT_EQ(at(23, 59, 59, 999), 86'399'999.0 / 86'400'000.0);
}

// Decoding rounds to the nearest millisecond; a time that rounds up to midnight moves to the next
// day. Before the epoch the fraction's magnitude is the time of day and the next day lies further
// from zero.
TEST_F(DateTimeTest, DecodingRoundsToTheMillisecondAndCarries) {
    constexpr double kMs = 1.0 / 86'400'000.0;
    struct Case {
        double value;
        DateFields date;
        TimeFields time;
    };
    const Case cases[] = {
        {on(2026, 3, 4) + at(14, 30, 15, 250), {2026, 3, 4}, {14, 30, 15, 250}},
        {on(2026, 3, 4) + at(12, 0) + 0.4 * kMs, {2026, 3, 4}, {12, 0, 0, 0}},
        {on(2026, 3, 4) + at(12, 0) + 0.6 * kMs, {2026, 3, 4}, {12, 0, 0, 1}},
        {on(2026, 12, 31) + 1 - 0.3 * kMs, {2027, 1, 1}, {0, 0, 0, 0}},
        {-1.25, {1899, 12, 29}, {6, 0, 0, 0}},
        {-0.5, {1899, 12, 30}, {12, 0, 0, 0}},
        {-2 + 0.3 * kMs, {1899, 12, 28}, {0, 0, 0, 0}},
        {kMinDateTime - 0.5, {1, 1, 1}, {12, 0, 0, 0}},  // still the first day, by truncation
    };
    for (const Case& c : cases) {
        DateFields date;
        TimeFields time;
        ASSERT_TRUE(TryDecodeDateTime(c.value, date, time)) << c.value;
        EXPECT_TRUE(date.year == c.date.year && date.month == c.date.month &&
                    date.day == c.date.day)
            << c.value << " gave " << date.year << "-" << date.month << "-" << date.day;
        EXPECT_TRUE(time.hour == c.time.hour && time.minute == c.time.minute &&
                    time.second == c.time.second && time.millisecond == c.time.millisecond)
            << c.value << " gave " << time.hour << ":" << time.minute << ":" << time.second << "."
            << time.millisecond;
    }
}

// Values read from a damaged file may be anything; none of them may crash or reach undefined
// behaviour, and each is refused by every form.
TEST_F(DateTimeTest, ValuesOutsideTheCalendarAreRefusedEverywhere) {
    const double values[] = {
        kNaN,
        kInf,
        -kInf,
        1e300,
        -1e300,
        kMaxDateTime,
        kMinDateTime - 1,
        kMaxDateTime - 1e-9,  // rounds up into 1 January 10000
        static_cast<double>(std::numeric_limits<std::int64_t>::max()),
    };
    for (const double value : values) {
        DateFields date{7, 7, 7};
        TimeFields time{7, 7, 7, 7};
        EXPECT_FALSE(TryDecodeDateTime(value, date, time)) << value;
        EXPECT_TRUE(date.year == 7 && time.hour == 7) << "output touched for " << value;
        EXPECT_THROW(DecodeDate(value), EConvertError) << value;
        EXPECT_THROW(DecodeTime(value), EConvertError) << value;
        EXPECT_THROW(FormatDateTime("hh:nn", value), EConvertError) << value;
        if (!(value >= kMaxDateTime - 1 && value < kMaxDateTime)) {
            EXPECT_THROW(DayOfWeek(value), EConvertError) << value;
        }
    }
    try {
        FormatDateTime("yyyy", kNaN);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Invalid argument to date encode");
    }
}

TEST_F(DateTimeTest, NowTodayAndTimeOfDayComeFromThePlatformClock) {
    headless::SetClock({2026, 3, 4, 14, 30, 15, 250});
    EXPECT_EQ(Today(), on(2026, 3, 4));
    EXPECT_EQ(TimeOfDay(), at(14, 30, 15, 250));
    EXPECT_EQ(Now(), on(2026, 3, 4) + at(14, 30, 15, 250));
    EXPECT_EQ(DecodeTime(Now()).millisecond, 250);
    // One reading gives the three of the same moment, bit for bit.
    for (const LocalTime& t :
         {LocalTime{2026, 3, 4, 14, 30, 15, 250}, LocalTime{2026, 12, 31, 23, 59, 59, 999},
          LocalTime{2027, 1, 1, 0, 0, 0, 0}}) {
        headless::SetClock(t);
        const ClockReading reading = ReadClock();
        EXPECT_EQ(reading.today, Today()) << t.year;
        EXPECT_EQ(reading.timeOfDay, TimeOfDay()) << t.year;
        EXPECT_EQ(reading.now, Now()) << t.year;
    }
}

TEST_F(DateTimeTest, AddMinutesDriftsLaterByTheLongMinute) {
    struct Case {
        const char* what;
        TDateTime start;
        int steps;
        int minutes;
        TDateTime target;
        double driftMs;  // 48 microseconds per minute stepped
    };
    const Case cases[] = {
        {"09:00 to 17:00 in 30-minute steps", at(9, 0), 16, 30, at(17, 0), 23.04},
        {"09:00 to 17:00 in 1-minute steps", at(9, 0), 480, 1, at(17, 0), 23.04},
        {"a week in 1440-minute steps", on(2026, 1, 5), 7, 1440, on(2026, 1, 12), 483.84},
        {"back ten minutes", at(12, 0), 1, -10, at(11, 50), -0.48},
    };
    for (const Case& c : cases) {
        TDateTime t = c.start;
        for (int i = 0; i < c.steps; ++i) t = AddMinutes(c.minutes, t);
        EXPECT_NEAR((t - c.target) * 86'400'000.0, c.driftMs, 0.01) << c.what;
    }
    // The sum is rounded to a double once, from the extended value: computed in doubles this gives
    // a different last bit.
    EXPECT_EQ(AddMinutes(57, 36000.0), 0x1.1940144445544p+15);
}

TEST_F(DateTimeTest, AddMinutesNeverFailsAndNeverGoesBelowZero) {
    const struct {
        const char* what;
        int minutes;
        double value;
        double expected;
    } cases[] = {
        {"ten minutes back from 00:05", -10, at(0, 5), 0},
        {"ten long minutes back from 00:10", -10, at(0, 10), 0},
        {"a negative start", 0, -5, 0},
        {"the lowest count", std::numeric_limits<std::int32_t>::min(), 0, 0},
        {"NaN", 5, kNaN, 0},
        {"infinity", 5, kInf, 0},
        {"minus infinity", 5, -kInf, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(AddMinutes(c.minutes, c.value), c.expected) << c.what;
    EXPECT_NEAR(AddMinutes(std::numeric_limits<std::int32_t>::max(), 0), 1'491'309.28, 0.01);
}

}  // namespace
}  // namespace pellino
