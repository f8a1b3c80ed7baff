#pragma once

#include <cstdint>

namespace pellino::civil {

// Days from 1970-01-01 in the proleptic Gregorian calendar, and back, by Howard Hinnant's
// era-based algorithms. Valid for every year that fits in an int.
static_assert(sizeof(std::int64_t) * 8 >= 64, "day arithmetic needs 64-bit integers");

struct YearMonthDay {
    std::int64_t year;
    unsigned month;  // [1, 12]
    unsigned day;    // [1, 31]
};

constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);                 // [0, 399]
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // [0, 146096]
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr YearMonthDay CivilFromDays(std::int64_t z) noexcept {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);                    // [0, 146096]
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);  // [0, 365]
    const unsigned mp = (5 * doy + 2) / 153;                       // [0, 11]
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;               // [1, 31]
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;                  // [1, 12]
    return {y + (m <= 2), m, d};
}

// 30 December 1899, day 0 of the program's date-time values, counted from 1970-01-01.
inline constexpr std::int64_t kDateTimeEpoch = DaysFromCivil(1899, 12, 30);
static_assert(kDateTimeEpoch == -25569);

// Milliseconds in a day of the program's clock, which knows no leap seconds.
inline constexpr std::int64_t kMsPerDay = 86'400'000;

// The calendar's range, 1 January 0001 to 31 December 9999, as days of the program's date-time
// values: every date the program reads, shows or lets the user choose lies within it.
inline constexpr std::int64_t kFirstCalendarDay = DaysFromCivil(1, 1, 1) - kDateTimeEpoch;
inline constexpr std::int64_t kLastCalendarDay = DaysFromCivil(9999, 12, 31) - kDateTimeEpoch;

constexpr bool IsLeapYear(std::int64_t year) noexcept {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// [28, 31] for a month in [1, 12].
constexpr unsigned DaysInMonth(std::int64_t year, unsigned month) noexcept {
    constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// 0 = Sunday .. 6 = Saturday.
constexpr unsigned WeekdayFromDays(std::int64_t z) noexcept {
    return static_cast<unsigned>(z >= -4 ? (z + 4) % 7 : (z + 5) % 7 + 6);
}

}  // namespace pellino::civil
