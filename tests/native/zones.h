#pragma once

// Time zones with daylight-saving time, described as the platform describes them, for the rules
// that count real time across a change of the clock.

#include "platform/timezone.h"

namespace pellino::testing {

// New York: five hours behind universal time, an hour less from the second Sunday of March at
// 02:00 (the clock jumps to 03:00) to the first Sunday of November at 02:00 (back to 01:00).
// In 2027 the changes fall on 14 March and 7 November.
inline TimeZoneRules NewYork() {
    TimeZoneRules rules;
    rules.bias = 300;
    rules.daylightBias = -60;
    rules.toStandard = ZoneChange{0, 11, 0, 1, 2};
    rules.toDaylight = ZoneChange{0, 3, 0, 2, 2};
    return rules;
}

// Sydney: ten hours ahead, an hour more from the first Sunday of October at 02:00 to the first
// Sunday of April at 03:00, so that daylight saving spans the turn of the year.
inline TimeZoneRules Sydney() {
    TimeZoneRules rules;
    rules.bias = -600;
    rules.daylightBias = -60;
    rules.toStandard = ZoneChange{0, 4, 0, 1, 3};
    rules.toDaylight = ZoneChange{0, 10, 0, 1, 2};
    return rules;
}

// London: universal time in winter, an hour ahead from the last Sunday of March at 01:00 to the
// last Sunday of October at 02:00 (the fifth week stands for the last).
inline TimeZoneRules London() {
    TimeZoneRules rules;
    rules.daylightBias = -60;
    rules.toStandard = ZoneChange{0, 10, 0, 5, 2};
    rules.toDaylight = ZoneChange{0, 3, 0, 5, 1};
    return rules;
}

}  // namespace pellino::testing
