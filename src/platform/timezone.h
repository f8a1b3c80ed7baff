#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace pellino {

// One yearly change of the clock, in the form the platform describes its time zone: either the
// n-th weekday of a month (every year) or, when `year` is set, one date of that year only.
struct ZoneChange {
    int year = 0;       // 0: every year, on the weekday below; else only in that year, on `day`
    int month = 0;      // 1..12; 0: the zone has no change at all
    int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
    int day = 0;        // the week of the month, 1..5 (5: the last), or the day of an absolute date
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const ZoneChange&) const = default;
};

// The time zone as the platform keeps it: universal time is local time plus `bias` minutes, and
// plus `standardBias` or `daylightBias` more in standard or daylight-saving time. The change to
// standard time is given in the local daylight-saving time that ends, the change to daylight
// saving in the local standard time that ends. A zone whose changes name no month keeps
// standard time all year.
struct TimeZoneRules {
    int bias = 0;
    int standardBias = 0;
    int daylightBias = 0;
    ZoneChange toStandard{};
    ZoneChange toDaylight{};

    bool operator==(const TimeZoneRules&) const = default;
};

// The platform's time zone now. The headless backend's is settable (headless::SetTimeZone) and
// has no daylight-saving time unless a test gives it one.
TimeZoneRules CurrentTimeZoneRules();

// Moments as milliseconds since 1 January 1970: universal time, or the local wall clock counted
// the same way.
std::int64_t MsFromTime(const LocalTime& time);
LocalTime TimeFromMs(std::int64_t ms);

// How far the local clock is ahead of universal time at the universal moment `utcMs`, by the
// rules (negative west of Greenwich).
std::int64_t UtcOffsetMs(std::int64_t utcMs, const TimeZoneRules& rules);

// The local wall clock at the universal moment `utcMs`. `laterPass`, when given, says whether the
// change back from daylight saving shows that local time twice and this is its second showing.
std::int64_t LocalFromUtcMs(std::int64_t utcMs, const TimeZoneRules& rules,
                            bool* laterPass = nullptr);

// The universal moment at which the wall clock shows `localMs`: of a time shown twice, the first
// showing, or the second with `laterPass`. A time the change to daylight saving skips is taken
// with the offset in force before the change (02:30 where 02:00 becomes 03:00 is 03:30).
std::int64_t UtcFromLocalMs(std::int64_t localMs, const TimeZoneRules& rules,
                            bool laterPass = false);

}  // namespace pellino
