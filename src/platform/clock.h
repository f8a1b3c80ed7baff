#pragma once

#include <cstdint>

namespace pellino {

// The local wall-clock time as the platform reports it, milliseconds included. This is the only
// source of time for the program: no code reads the system clock any other way, so every rule that
// depends on time runs unchanged against the headless backend's fake clock.
struct LocalTime {
    int year = 1899;
    int month = 12;       // 1..12
    int day = 30;         // 1..31
    int hour = 0;         // 0..23
    int minute = 0;       // 0..59
    int second = 0;       // 0..59
    int millisecond = 0;  // 0..999
};

LocalTime NowLocal();
// The same clock in universal time, for the rules that count real time across a change of the
// local clock (platform/timezone.h converts between the two).
LocalTime NowUtc();

// A monotonic millisecond counter (the timers run on it); unrelated to the wall clock.
std::int64_t TickCountMs();

}  // namespace pellino
