#include "runtime/datetime.h"

#include <cfloat>
#include <cmath>

#include "platform/civil.h"
#include "platform/clock.h"
#include "runtime/errors.h"

namespace pellino {

// The minute step must be computed in the same 80-bit extended format on every build, or times
// reached by many steps would drift differently on Linux and on Windows.
static_assert(LDBL_MANT_DIG == 64, "AddMinutes needs the 80-bit x87 extended format");

namespace {

constexpr char kDateEncodeError[] = "Invalid argument to date encode";
constexpr char kTimeEncodeError[] = "Invalid argument to time encode";

constexpr std::int64_t kFirstDay = civil::kFirstCalendarDay;
constexpr std::int64_t kLastDay = civil::kLastCalendarDay;
static_assert(kFirstDay == static_cast<std::int64_t>(kMinDateTime));
static_assert(kLastDay + 1 == static_cast<std::int64_t>(kMaxDateTime));

// A value split into its whole day (truncated toward zero, as everywhere in the program) and the
// milliseconds of its time of day. Before 30 December 1899 the fraction counts from the same
// midnight in the other direction, so its magnitude is the time of day.
struct DayAndTime {
    std::int64_t day = 0;  // [kFirstDay, kLastDay]
    std::int64_t ms = 0;   // [0, kMsPerDay)
};

// Whether the whole-day part of a value lies in the calendar. This test comes before any
// conversion to an integer: NaN fails every comparison, and a huge value never reaches a cast whose
// behaviour would otherwise be undefined.
bool wholeDayInCalendar(TDateTime value) {
    return value > static_cast<double>(kFirstDay - 1) && value < static_cast<double>(kLastDay + 1);
}

bool split(TDateTime value, DayAndTime& out) {
    if (!wholeDayInCalendar(value)) return false;
    const double whole = std::trunc(value);
    std::int64_t day = static_cast<std::int64_t>(whole);
    std::int64_t ms = std::llround(std::fabs(value - whole) * static_cast<double>(kMsPerDay));
    // A time that rounds up to the next midnight belongs to the next day, which for a value before
    // the epoch lies further from zero.
    if (ms == kMsPerDay) {
        ms = 0;
        day += value < 0 ? -1 : 1;
    }
    if (day < kFirstDay || day > kLastDay) return false;
    out = {day, ms};
    return true;
}

DateFields dateOfDay(std::int64_t day) {
    const civil::YearMonthDay ymd = civil::CivilFromDays(day + civil::kDateTimeEpoch);
    // The year fits in an int: the day lies within years 1 to 9999.
    return {static_cast<int>(ymd.year), static_cast<int>(ymd.month), static_cast<int>(ymd.day)};
}

TimeFields timeOfMs(std::int64_t ms) {
    const auto t = static_cast<int>(ms);  // [0, 86399999]
    return {t / 3'600'000, t / 60'000 % 60, t / 1000 % 60, t % 1000};
}

// Joins a date and a time of day the way values are laid out: before the epoch the time counts
// away from zero, like the date.
TDateTime combine(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

}  // namespace

bool IsLeapYear(int year) {
    return civil::IsLeapYear(year);
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    return static_cast<int>(civil::DaysInMonth(year, static_cast<unsigned>(month)));
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return false;
    }
    const std::int64_t days =
        civil::DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        civil::kDateTimeEpoch;
    result = static_cast<TDateTime>(days);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        return false;
    }
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    // Divided in extended precision and then rounded, so that the i686 build (which computes in
    // x87 registers) and the x86-64 build give the same bits.
    result =
        static_cast<double>(static_cast<long double>(ms) / static_cast<long double>(kMsPerDay));
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) throw EConvertError(kDateEncodeError);
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result)) {
        throw EConvertError(kTimeEncodeError);
    }
    return result;
}

bool TryDecodeDateTime(TDateTime value, DateFields& date, TimeFields& time) {
    DayAndTime parts;
    if (!split(value, parts)) return false;
    date = dateOfDay(parts.day);
    time = timeOfMs(parts.ms);
    return true;
}

void DecodeDateTime(TDateTime value, DateFields& date, TimeFields& time) {
    if (!TryDecodeDateTime(value, date, time)) throw EConvertError(kDateEncodeError);
}

DateFields DecodeDate(TDateTime value) {
    DateFields date;
    TimeFields time;
    DecodeDateTime(value, date, time);
    return date;
}

TimeFields DecodeTime(TDateTime value) {
    DateFields date;
    TimeFields time;
    DecodeDateTime(value, date, time);
    return time;
}

int DayOfWeek(TDateTime value) {
    // The weekday belongs to the whole-day part alone, as the date does everywhere else in the
    // program; the rounding of the time of day does not move it.
    if (!wholeDayInCalendar(value)) throw EConvertError(kDateEncodeError);
    const auto day = static_cast<std::int64_t>(std::trunc(value));
    return static_cast<int>(civil::WeekdayFromDays(day + civil::kDateTimeEpoch));
}

TDateTime Now() {
    const LocalTime t = NowLocal();
    return combine(EncodeDate(t.year, t.month, t.day),
                   EncodeTime(t.hour, t.minute, t.second, t.millisecond));
}

TDateTime Today() {
    const LocalTime t = NowLocal();
    return EncodeDate(t.year, t.month, t.day);
}

TDateTime TimeOfDay() {
    const LocalTime t = NowLocal();
    return EncodeTime(t.hour, t.minute, t.second, t.millisecond);
}

ClockReading ReadClock() {
    const LocalTime t = NowLocal();
    ClockReading reading;
    reading.today = EncodeDate(t.year, t.month, t.day);
    reading.timeOfDay = EncodeTime(t.hour, t.minute, t.second, t.millisecond);
    reading.now = combine(reading.today, reading.timeOfDay);
    return reading;
}

TDateTime AddMinutes(std::int32_t minutes, TDateTime value) {
    // The decimal constant rounded to the extended format, a little more than 1/1440 of a day.
    constexpr long double kDaysPerMinute = 0.000694445L;
    const long double sum =
        static_cast<long double>(minutes) * kDaysPerMinute + static_cast<long double>(value);
    // NaN fails both tests below. A sum too large for a double would overflow the final rounding;
    // it counts as a failed computation like a NaN or infinite input.
    if (!(sum >= 0.0L)) return 0;
    if (sum > static_cast<long double>(DBL_MAX)) return 0;
    return static_cast<double>(sum);
}

}  // namespace pellino
