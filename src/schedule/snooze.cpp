// Snooze. A reminder answered with one of the "Remind me again in:" buttons is due again that many
// minutes of real time after the moment of the answer, shown in local time: across a change of
// the clock the wall clock then shows an hour more or less.
#include "model/reminder.h"
#include "platform/stringgrid.h"
#include "runtime/zonetime.h"
#include "schedule/reminderclock.h"

namespace pellino {

void ReminderClock::AdjustForSnooze(int row, int minutes) {
    StringGrid& grid = host_.OneTimeList();
    TReminder* reminder = ReminderAt(grid, row);
    if (!reminder) return;
    reminder->SetDueMoment(MinutesFromNow(minutes));
    // Pending while the new moment is today, Not Today when it falls on a later date.
    reminder->RefreshStatus();
    host_.PlaceInDueOrder(row);
    grid.Invalidate();
}

void ReminderClock::AdjustRepeatForSnooze(int row, int minutes) {
    StringGrid& grid = host_.RepeatingList();
    TReminder* reminder = ReminderAt(grid, row);
    if (!reminder) return;
    // Only the next due moment moves; the status stays Pending and the schedule is consulted
    // again once the snoozed notification is acknowledged.
    reminder->SetDueMoment(MinutesFromNow(minutes));
    grid.Invalidate();
}

}  // namespace pellino
