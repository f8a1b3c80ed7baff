#pragma once

// Controls of the headless backend for tests: a fake clock whose advance fires due timers in order,
// scripted message boxes with a log, settable regional settings and a temporary program folder.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/regional.h"

namespace pellino::headless {

// The fake clock. Setting it fires nothing; advancing it fires every timer whose period ends on
// the way, in order of their due moments, with the clock standing at each due moment.
void SetClock(const LocalTime& time);
void AdvanceClock(std::int64_t ms);
// How many timers are switched on now.
int ActiveTimerCount();

void SetRegionalSettings(const RegionalSettings& settings);

// One message box as the program showed it.
struct MessageBoxCall {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// Message boxes: each box takes the next queued answer; with none queued it takes the first button
// (OK or Yes) when allowed, else fails the test loudly.
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxCall>& MessageBoxLog();
void SetUnexpectedMessageBoxHandler(std::function<int(const MessageBoxCall&)> handler);

// A fresh temporary folder standing for "C:\PELLINO\", where the program's executable lives.
// Paths below "C:\" map into it; the folder is removed by ResetAll or at process end.
std::string ProgramFolderOnDisk();
std::string HostPath(const std::string& programPath);

// Holds a file open without sharing, as another program may do: the program's own opens and
// creates of that path fail until it is released.
void LockFile(const std::string& programPath, bool locked);

// Puts every fake back to its start state: clock at 2026-01-05 09:00:00.000 (a Monday), no timers,
// no message boxes queued or logged, en-US regional settings, an empty program folder.
void ResetAll();

}  // namespace pellino::headless
