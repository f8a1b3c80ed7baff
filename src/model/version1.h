#pragma once

#include <memory>
#include <string_view>

#include "model/reminder.h"

namespace pellino {

// The first version kept its reminders in a text file "ALARMS.DAT", a line a reminder, with the
// fields separated by "^": time of day, text, (unused), kind code, date "mm/dd/yyyy", sound file,
// notification mode.
inline constexpr char kVersion1FileName[] = "ALARMS.DAT";

// The one-time reminder a line of that file gives, or null when the line gives none: its time
// does not read, its kind code is not the integer 3, or its date lies before today or after the
// last date a reminder may be due on. A date that
// does not read is taken as today's. Times and dates are read under the fixed formats. The
// record's status is not computed here.
std::unique_ptr<TReminder> ReminderFromVersion1Line(std::string_view line);

}  // namespace pellino
