// Snooze: a reminder answered with one of the "Remind me again in:" buttons is due again that many
// minutes after the moment of the answer.
#include "mainwindow/mainform.h"
#include "model/reminder.h"

namespace pellino {

void TMainForm::AdjustForSnooze(int row, int minutes) {
    TReminder* reminder = ReminderAt(AlarmGrid, row);
    if (!reminder) return;
    reminder->DueDateTime = AddMinutes(minutes, Now());
    // Pending while the new moment is today, Not Today when it falls on a later date.
    reminder->RefreshStatus();
    MoveGridRowToCorrectDateTimeSlot(row, false);
    AlarmGrid.Invalidate();
}

void TMainForm::AdjustRepeatForSnooze(int row, int minutes) {
    TReminder* reminder = ReminderAt(RepeatingAlarmGrid, row);
    if (!reminder) return;
    // Only the next due moment moves; the status stays Pending and the schedule is consulted
    // again once the snoozed notification is acknowledged.
    reminder->DueDateTime = AddMinutes(minutes, Now());
    RepeatingAlarmGrid.Invalidate();
}

}  // namespace pellino
