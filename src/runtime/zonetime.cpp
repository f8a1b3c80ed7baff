#include "runtime/zonetime.h"

#include "platform/clock.h"

namespace pellino {

std::int64_t LocalMsOf(TDateTime value) {
    DateFields date;
    TimeFields time;
    DecodeDateTime(value, date, time);
    return MsFromTime(LocalTime{date.year, date.month, date.day, time.hour, time.minute,
                                time.second, time.millisecond});
}

TDateTime ValueOfLocalMs(std::int64_t ms) {
    const LocalTime t = TimeFromMs(ms);
    return EncodeDate(t.year, t.month, t.day) +
           EncodeTime(t.hour, t.minute, t.second, t.millisecond);
}

LocalMoment MinutesFromNow(std::int32_t minutes) {
    const TDateTime now = Now();
    const TDateTime wall = AddMinutes(minutes, now);
    const TimeZoneRules rules = CurrentTimeZoneRules();
    const std::int64_t nowUtc = MsFromTime(NowUtc());
    const std::int64_t thenUtc = nowUtc + (LocalMsOf(wall) - LocalMsOf(now));
    LocalMoment then{wall, false};
    LocalFromUtcMs(thenUtc, rules, &then.laterPass);
    // The step itself stays as AddMinutes makes it; only a change of the offset moves it.
    const std::int64_t change = UtcOffsetMs(thenUtc, rules) - UtcOffsetMs(nowUtc, rules);
    if (change != 0) then.value = ValueOfLocalMs(LocalMsOf(wall) + change);
    return then;
}

bool LaterPassReached(TDateTime value) {
    const TimeZoneRules rules = CurrentTimeZoneRules();
    return MsFromTime(NowUtc()) >= UtcFromLocalMs(LocalMsOf(value), rules, true);
}

ZoneDay::ZoneDay(TDateTime day) : rules_(CurrentTimeZoneRules()) {
    // A load of the lists asks for every repeating reminder, all of one day: the last answer is
    // kept.
    static TDateTime lastDay = -1;
    static TimeZoneRules lastRules;
    static bool lastChanges = false;
    if (day != lastDay || !(rules_ == lastRules)) {
        const std::int64_t start = UtcFromLocalMs(LocalMsOf(day), rules_);
        const std::int64_t end = UtcFromLocalMs(LocalMsOf(day + 1), rules_);
        lastChanges = UtcOffsetMs(start, rules_) != UtcOffsetMs(end, rules_);
        lastDay = day;
        lastRules = rules_;
    }
    offsetChanges_ = lastChanges;
}

std::int64_t ZoneDay::RealMs(TDateTime local, bool laterPass) const {
    return UtcFromLocalMs(LocalMsOf(local), rules_, laterPass);
}

LocalMoment ZoneDay::LocalAt(std::int64_t utcMs) const {
    LocalMoment moment;
    moment.value = ValueOfLocalMs(LocalFromUtcMs(utcMs, rules_, &moment.laterPass));
    return moment;
}

}  // namespace pellino
