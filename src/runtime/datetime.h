#pragma once

#include <cstdint>

#include "platform/civil.h"

namespace pellino {

// Days since 30 December 1899: the integer part is the date, the fraction the time of day.
using TDateTime = double;

inline constexpr double kMinutesPerDay = 1440.0;
using civil::kMsPerDay;

// Calendar range that dates may take: 1 January 0001 to 31 December 9999.
inline constexpr double kMinDateTime = -693593.0;
inline constexpr double kMaxDateTime = 2958466.0;  // exclusive: 1 January 10000

struct DateFields {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

struct TimeFields {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Encoding refuses fields outside the calendar (false / EConvertError); decoding refuses values
// whose whole-day part (truncated toward zero) lies outside years 1 to 9999, NaN and infinities
// (false / EConvertError). Nothing here crashes on a value read from a damaged file.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// Splits a value into date and time of day, the time rounded to the nearest millisecond (a time
// that rounds up to midnight carries into the next day).
bool TryDecodeDateTime(TDateTime value, DateFields& date, TimeFields& time);
void DecodeDateTime(TDateTime value, DateFields& date, TimeFields& time);  // EConvertError
DateFields DecodeDate(TDateTime value);
TimeFields DecodeTime(TDateTime value);

// 0 = Sunday .. 6 = Saturday, of the whole-day part. EConvertError outside the calendar.
int DayOfWeek(TDateTime value);

// From the platform clock: the date and time now; today as a whole-day value; the time of day.
TDateTime Now();
TDateTime Today();
TDateTime TimeOfDay();

// One reading of the platform clock as Today, TimeOfDay and Now give it. Work that applies the
// time rules to many records at once reads the clock once and hands the reading on: every record
// is judged by the same moment, and the platform is asked once, not once a record.
struct ClockReading {
    TDateTime today = 0;
    TDateTime timeOfDay = 0;
    TDateTime now = 0;
};
ClockReading ReadClock();

// Adds n minutes of 0.000694445 day each, in 80-bit extended arithmetic, and never returns less
// than 0. Every minute step of the program goes through here.
TDateTime AddMinutes(std::int32_t minutes, TDateTime value);

}  // namespace pellino
