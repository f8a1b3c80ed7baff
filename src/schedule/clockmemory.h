#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/datetime.h"

namespace pellino {

// What the reminder clock keeps across a stop of the program, in the section "Clock" of the
// settings file:
//   LastLook=2026-01-05 12:00:00.250
//   SecondPass=2027-11-07 01:04:48.250;2027-11-07 01:30:00.000
// LastLook is the moment up to which the clock had looked at the reminders: the occurrences of
// repeating reminders after it and before the next start went by unseen. It is written while
// the program keeps repeating reminders (the only ones it serves): at each write of the data
// file, every few minutes, at a wake or a change of the clock, and at the close; a write of the
// data file with no repeating reminder empties it. An empty value stands for none. SecondPass lists
// the due moments that were set as the second showing of a time that the change back from daylight
// saving repeats, so that they still wait for it after a restart. Both are local times, written the
// same in every locale.
struct ClockMemory {
    std::optional<TDateTime> lastLook;
    std::vector<TDateTime> secondPass;

    // Whether `due` is one of the second-pass moments (to the millisecond that the text keeps).
    bool InSecondPass(TDateTime due) const;
};

// "2026-01-05 12:00:00.250" for a moment within the calendar.
std::string MomentText(TDateTime moment);
// The moment of such a text; none for any other text.
std::optional<TDateTime> MomentFromText(std::string_view text);
// Moments joined by ";", and back (texts that are no moment are left out).
std::string MomentsText(const std::vector<TDateTime>& moments);
std::vector<TDateTime> MomentsFromText(std::string_view text);

// Reads the section; a missing file or key, or a text that is no moment, gives nothing.
ClockMemory ReadClockMemory();
// Write one key each; raise EIniFileError when the settings file refuses it.
void WriteLastLook(std::optional<TDateTime> moment);
void WriteSecondPass(const std::vector<TDateTime>& moments);

}  // namespace pellino
