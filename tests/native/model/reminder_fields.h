#pragma once

#include <cstdio>
#include <string>

#include "model/reminder.h"

namespace pellino::testing {

// All twelve fields in one line, floats in hexadecimal so that equal texts mean equal bits (NaN
// included) and a failing comparison shows which field differs.
inline std::string fieldsOf(const TReminder& r) {
    char floats[160];
    std::snprintf(floats, sizeof floats, "due=%a first=%a stop=%a", r.DueDateTime, r.FirstTime,
                  r.StopTime);
    return "kind=" + std::to_string(r.Kind) + " notify=" + std::to_string(r.NotifyMode) + " " +
           floats + " until=" + std::to_string(r.HasUntil) + " text=[" + r.Description +
           "] sound=[" + r.SoundFile + "] days=[" + r.DaySet +
           "] interval=" + std::to_string(r.IntervalMinutes) +
           " status=" + std::to_string(r.Status) + " reserved=" + std::to_string(r.ReservedFlag);
}

}  // namespace pellino::testing
