#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/stringgrid.h"
#include "runtime/datetime.h"
#include "schedule/clockmemory.h"

namespace pellino {

class TReminder;

// A reminder whose moment went by without a notification: while the program was not running,
// while the machine slept, or across a change of the clock.
struct MissedReminder {
    TDateTime due = 0;
    std::string message;
};

// What a status rule is about to change of a record, kept so that the change can be judged after.
// `unseen` is the latest occurrence of a repeating reminder that went by since the clock last
// looked, past the grace; 0 when none.
struct ReminderState {
    std::uint8_t status = 0;
    TDateTime due = 0;
    TDateTime unseen = 0;
};
ReminderState StateOf(const TReminder& reminder);

// Whether the status rule that took a record from `before` to its present state let a stored
// moment go by unnotified: a one-time reminder that was still to come (Pending or Not Today) and
// is now Expired, or a repeating one whose scheduled occurrence (Pending, with a moment) lies
// before `now` and has been given up for a later one.
bool WentMissed(const TReminder& reminder, bool repeating, const ReminderState& before,
                TDateTime now);

// Whether a repeating reminder's stored occurrence came due only minutes before `now`, on the same
// day, so that it is still notified rather than given up: the same grace a one-time reminder has.
bool WithinGrace(const ReminderState& before, TDateTime now);

// The latest occurrence of a repeating reminder after `after` and not after `upTo`, on its days,
// as ScheduleNext places them; none when there is none.
std::optional<TDateTime> LatestOccurrence(const TReminder& reminder, TDateTime after,
                                          TDateTime upTo);

// Adds the reminder to `missed` when WentMissed says so or an occurrence went by unseen, once,
// with the latest moment it missed; true then.
bool NoteIfMissed(std::vector<MissedReminder>& missed, const TReminder& reminder, bool repeating,
                  const ReminderState& before, TDateTime now);

// Gives a record the statuses of the day of `clock`, as a load does: a one-time reminder its
// status rule, a repeating one its next occurrence, unless its stored occurrence came due within
// the grace. A moment the clock kept as the second showing of a repeated hour waits for it. When
// the clock knows when it last looked, the latest occurrence of a repeating reminder since then
// is notified as today's when it is within the grace, else noted as unseen. Returns the record's
// state before, for NoteIfMissed.
ReminderState RefreshForToday(TReminder& reminder, bool repeating, const ClockReading& clock,
                              const ClockMemory& memory = {});

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
