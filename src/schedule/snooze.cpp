// Snooze and time adjustment. A reminder answered with one of the "Remind me again in:" buttons is
// due again that many minutes of real time after the moment of the answer, shown in local time:
// across a change of the clock the wall clock then shows an hour more or less. "Adjust Time +-"
// shifts the selected one-time reminder's own due moment on the wall clock.
#include "mainwindow/mainform.h"
#include "model/reminder.h"
#include "runtime/zonetime.h"

namespace pellino {

void TMainForm::AdjustForSnooze(int row, int minutes) {
    TReminder* reminder = ReminderAt(AlarmGrid, row);
    if (!reminder) return;
    reminder->SetDueMoment(MinutesFromNow(minutes));
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
    reminder->SetDueMoment(MinutesFromNow(minutes));
    RepeatingAlarmGrid.Invalidate();
}

void TMainForm::AdjustTime(MenuItem& sender) {
    const int row = AlarmGrid.Row();
    TReminder* reminder = ReminderAt(AlarmGrid, row);
    if (row < 1 || !reminder) return;
    reminder->DueDateTime = AddMinutes(sender.Tag(), reminder->DueDateTime);
    // Armed again: a Done or Expired reminder moved to a moment still to come is Pending (or Not
    // Today) once more.
    reminder->Status = kStatusPending;
    reminder->RefreshStatus();
    MoveGridRowToCorrectDateTimeSlot(row, true);
    AlarmGrid.Invalidate();
    // At once in the data file, as every change of a reminder: the reload at a new date reads
    // the file, and an adjustment made before midnight must not be lost by it.
    SaveChanges();
}

}  // namespace pellino
