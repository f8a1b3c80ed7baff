#pragma once

#include <cstdint>

#include "platform/timezone.h"
#include "runtime/datetime.h"

namespace pellino {

// A moment as the wall clock shows it. Where the change back from daylight saving repeats an
// hour, `laterPass` tells the second showing of a time from the first.
struct LocalMoment {
    TDateTime value = 0;
    bool laterPass = false;
};

// The local moment `minutes` of real time from now: AddMinutes's step from Now(), moved by the
// change of the zone's offset between the two moments when there is one (a five-minute snooze
// at 01:59:48 on the night the clocks go back is due at 01:04:48 of the repeated hour).
LocalMoment MinutesFromNow(std::int32_t minutes);

// Whether the present has come to the second showing of the local moment `value` (true for a
// time the clock shows once, as soon as it has shown it).
bool LaterPassReached(TDateTime value);

// Local moments and real time on one local day: whether the zone's offset changes that day, and
// the conversions between the day's moments and universal milliseconds (platform/timezone.h).
class ZoneDay {
public:
    // `day` is a whole-day value.
    explicit ZoneDay(TDateTime day);

    bool OffsetChanges() const { return offsetChanges_; }
    // `local` must lie within the calendar.
    std::int64_t RealMs(TDateTime local, bool laterPass = false) const;
    LocalMoment LocalAt(std::int64_t utcMs) const;

private:
    TimeZoneRules rules_;
    bool offsetChanges_ = false;
};

// A local date-time value as milliseconds since 1 January 1970 on the local clock, and back;
// the value must lie within the calendar. The way back gives the bits EncodeDate and EncodeTime
// give.
std::int64_t LocalMsOf(TDateTime value);
TDateTime ValueOfLocalMs(std::int64_t ms);

}  // namespace pellino
