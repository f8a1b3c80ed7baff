// The program's conversions by a zone's rules against the platform's own: the platform's
// conversion from universal to local time by a given zone (which Windows 95 lacks, so the
// program has its own), and its local clock in the zone it runs in.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/clock.h"
#include "platform/timezone.h"
#include "platform/win32/win32.h"
#include "zones.h"

namespace pellino {
namespace {

SYSTEMTIME SystemTimeOf(const ZoneChange& c) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(c.year);
    st.wMonth = static_cast<WORD>(c.month);
    st.wDayOfWeek = static_cast<WORD>(c.dayOfWeek);
    st.wDay = static_cast<WORD>(c.day);
    st.wHour = static_cast<WORD>(c.hour);
    st.wMinute = static_cast<WORD>(c.minute);
    st.wSecond = static_cast<WORD>(c.second);
    st.wMilliseconds = static_cast<WORD>(c.millisecond);
    return st;
}

SYSTEMTIME SystemTimeOf(std::int64_t ms) {
    const LocalTime t = TimeFromMs(ms);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

std::int64_t MsOf(const SYSTEMTIME& st) {
    return MsFromTime(LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                                st.wMilliseconds});
}

TEST(Win32TimeZone, TheProgramsConversionIsThePlatformsForEveryQuarterHourOfTheYear) {
    struct Zone {
        const char* name;
        TimeZoneRules rules;
    };
    const Zone zones[] = {
        {"New York", testing::NewYork()},
        {"Sydney", testing::Sydney()},
        {"London", testing::London()},
    };
    for (const Zone& zone : zones) {
        SCOPED_TRACE(zone.name);
        TIME_ZONE_INFORMATION info{};
        info.Bias = zone.rules.bias;
        info.StandardBias = zone.rules.standardBias;
        info.DaylightBias = zone.rules.daylightBias;
        info.StandardDate = SystemTimeOf(zone.rules.toStandard);
        info.DaylightDate = SystemTimeOf(zone.rules.toDaylight);
        const std::int64_t start = MsFromTime(LocalTime{2027, 1, 1, 0, 0, 0, 0});
        const std::int64_t end = MsFromTime(LocalTime{2028, 1, 1, 0, 0, 0, 0});
        for (std::int64_t utc = start; utc < end; utc += 15 * 60'000) {
            const SYSTEMTIME universal = SystemTimeOf(utc);
            SYSTEMTIME local{};
            ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&info, &universal, &local));
            ASSERT_EQ(LocalFromUtcMs(utc, zone.rules), MsOf(local))
                << "at " << utc / 60'000 << " minutes since 1970, universal time";
        }
    }
}

TEST(Win32TimeZone, TheLocalClockIsUniversalTimeByTheZonesRules) {
    // Read the two clocks within one second of each other, and compare them to the second.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const LocalTime before = NowLocal();
        const LocalTime utc = NowUtc();
        const LocalTime after = NowLocal();
        if (before.second != after.second) continue;
        const LocalTime converted =
            TimeFromMs(LocalFromUtcMs(MsFromTime(utc) / 1000 * 1000, CurrentTimeZoneRules()));
        EXPECT_EQ(MsFromTime(converted) / 1000,
                  MsFromTime(LocalTime{before.year, before.month, before.day, before.hour,
                                       before.minute, before.second, 0}) /
                      1000);
        return;
    }
    FAIL() << "the clock's second never held still across three readings";
}

}  // namespace
}  // namespace pellino
