#include "platform/timezone.h"

#include <algorithm>
#include <optional>

#include "platform/civil.h"

namespace pellino {

namespace {

using civil::kMsPerDay;
constexpr std::int64_t kMsPerMinute = 60'000;

// The local moment of a change in `year`, or none when the change does not happen that year (an
// absolute date of another year) or its fields name no moment.
std::optional<std::int64_t> ChangeInYear(const ZoneChange& change, std::int64_t year) {
    if (change.month < 1 || change.month > 12 || change.hour < 0 || change.hour > 23 ||
        change.minute < 0 || change.minute > 59 || change.second < 0 || change.second > 59 ||
        change.millisecond < 0 || change.millisecond > 999) {
        return std::nullopt;
    }
    const auto month = static_cast<unsigned>(change.month);
    const std::int64_t monthStart = civil::DaysFromCivil(year, month, 1);
    const std::int64_t length =  // [28, 31]
        (month == 12 ? civil::DaysFromCivil(year + 1, 1, 1)
                     : civil::DaysFromCivil(year, month + 1, 1)) -
        monthStart;
    std::int64_t day = 0;
    if (change.year != 0) {
        if (change.year != year || change.day < 1 || change.day > length) return std::nullopt;
        day = change.day;
    } else {
        if (change.dayOfWeek < 0 || change.dayOfWeek > 6 || change.day < 1 || change.day > 5) {
            return std::nullopt;
        }
        const auto firstWeekday = static_cast<int>(civil::WeekdayFromDays(monthStart));
        day = 1 + (change.dayOfWeek - firstWeekday + 7) % 7 + (change.day - 1) * 7;  // [1, 35]
        // The fifth week is the last one: in a month with four such weekdays, the fourth.
        while (day > length) day -= 7;
    }
    return (monthStart + day - 1) * kMsPerDay +
           ((change.hour * 60LL + change.minute) * 60 + change.second) * 1000 + change.millisecond;
}

std::int64_t StandardOffset(const TimeZoneRules& rules) {
    return -(static_cast<std::int64_t>(rules.bias) + rules.standardBias) * kMsPerMinute;
}

std::int64_t DaylightOffset(const TimeZoneRules& rules) {
    return -(static_cast<std::int64_t>(rules.bias) + rules.daylightBias) * kMsPerMinute;
}

bool IsDaylightTime(std::int64_t utcMs, const TimeZoneRules& rules) {
    if (rules.toDaylight.month == 0 || rules.toStandard.month == 0) return false;
    const std::int64_t standardOffset = StandardOffset(rules);
    // The year of the changes is the year of the local standard time: no change lies near its
    // end, so the choice between the two calendars of a moment around New Year does not matter.
    const std::int64_t year = TimeFromMs(utcMs + standardOffset).year;
    const std::optional<std::int64_t> toDaylight = ChangeInYear(rules.toDaylight, year);
    const std::optional<std::int64_t> toStandard = ChangeInYear(rules.toStandard, year);
    if (!toDaylight || !toStandard) return false;
    const std::int64_t daylightStarts = *toDaylight - standardOffset;
    const std::int64_t daylightEnds = *toStandard - DaylightOffset(rules);
    // South of the equator daylight saving spans the turn of the year.
    if (daylightStarts < daylightEnds) return utcMs >= daylightStarts && utcMs < daylightEnds;
    return utcMs >= daylightStarts || utcMs < daylightEnds;
}

}  // namespace

std::int64_t MsFromTime(const LocalTime& t) {
    const std::int64_t days =
        civil::DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day));
    return days * kMsPerDay + ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

LocalTime TimeFromMs(std::int64_t ms) {
    std::int64_t days = ms / kMsPerDay;
    std::int64_t rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    const auto ymd = civil::CivilFromDays(days);
    LocalTime t;
    t.year = static_cast<int>(ymd.year);
    t.month = static_cast<int>(ymd.month);
    t.day = static_cast<int>(ymd.day);
    t.hour = static_cast<int>(rest / 3'600'000);
    t.minute = static_cast<int>(rest / 60'000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.millisecond = static_cast<int>(rest % 1000);
    return t;
}

std::int64_t UtcOffsetMs(std::int64_t utcMs, const TimeZoneRules& rules) {
    return IsDaylightTime(utcMs, rules) ? DaylightOffset(rules) : StandardOffset(rules);
}

std::int64_t LocalFromUtcMs(std::int64_t utcMs, const TimeZoneRules& rules, bool* laterPass) {
    const std::int64_t offset = UtcOffsetMs(utcMs, rules);
    const std::int64_t local = utcMs + offset;
    if (laterPass) {
        // The same local time under the other offset, if the clock shows it then too, is the
        // other showing of a time shown twice.
        const std::int64_t other =
            offset == StandardOffset(rules) ? DaylightOffset(rules) : StandardOffset(rules);
        const std::int64_t otherUtc = local - other;
        *laterPass = otherUtc < utcMs && UtcOffsetMs(otherUtc, rules) == other;
    }
    return local;
}

std::int64_t UtcFromLocalMs(std::int64_t localMs, const TimeZoneRules& rules, bool laterPass) {
    const std::int64_t asStandard = localMs - StandardOffset(rules);
    const std::int64_t asDaylight = localMs - DaylightOffset(rules);
    const bool standardShows = UtcOffsetMs(asStandard, rules) == StandardOffset(rules);
    const bool daylightShows = UtcOffsetMs(asDaylight, rules) == DaylightOffset(rules);
    if (standardShows && daylightShows) {
        return laterPass ? std::max(asStandard, asDaylight) : std::min(asStandard, asDaylight);
    }
    if (standardShows) return asStandard;
    if (daylightShows) return asDaylight;
    // Skipped: the smaller offset is the one in force before the clock jumped forward.
    return std::max(asStandard, asDaylight);
}

}  // namespace pellino
