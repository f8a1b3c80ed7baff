#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/stringgrid.h"
#include "runtime/datetime.h"

namespace pellino {

class TReminder;

// A reminder whose moment went by without a notification: while the program was not running,
// while the machine slept, or across a change of the clock.
struct MissedReminder {
    TDateTime due = 0;
    std::string message;
};

// What a status rule is about to change of a record, kept so that the change can be judged after.
struct ReminderState {
    std::uint8_t status = 0;
    TDateTime due = 0;
};
ReminderState StateOf(const TReminder& reminder);

// Whether the status rule that took a record from `before` to its present state let a moment go
// by unnotified, and which: a one-time reminder that was still to come (Pending or Not Today) and
// is now Expired, or a repeating one whose scheduled occurrence (Pending, with a moment) lies
// before `now` and has been given up for a later one.
bool WentMissed(const TReminder& reminder, bool repeating, const ReminderState& before,
                TDateTime now);

// Whether a repeating reminder's stored occurrence came due only minutes before `now`, on the same
// day, so that it is still notified rather than given up: the same grace a one-time reminder has.
bool WithinGrace(const ReminderState& before, TDateTime now);

// Adds the reminder to `missed` when WentMissed says so, with the moment it went by; true then.
bool NoteIfMissed(std::vector<MissedReminder>& missed, const TReminder& reminder, bool repeating,
                  const ReminderState& before, TDateTime now);

// Gives a record the statuses of the day of `clock`, as a load does: a one-time reminder its
// status rule, a repeating one its next occurrence, unless its stored occurrence came due within
// the grace. Returns the record's state before, for WentMissed.
ReminderState RefreshForToday(TReminder& reminder, bool repeating, const ClockReading& clock);

// Oldest first; of reminders due together, in the order they were found.
void SortMissed(std::vector<MissedReminder>& missed);

// "Missed Reminders": the message of each missed reminder and when it was due, in the user's date
// and time formats, oldest first, and "Ok". It only tells: the reminders stay as they are. The
// window can be sized, and its list scrolls, so that any number of reminders can be read.
class TMissedReminders : public Form {
public:
    explicit TMissedReminders(const std::vector<MissedReminder>& missed);

    Label Explanation{this};
    StringGrid List{this};
    Button OkButton{this};

private:
    void LayOut();
};

}  // namespace pellino
