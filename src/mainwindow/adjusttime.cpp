// "Adjust Time +-": shifts the selected one-time reminder's own due moment on the wall clock.
#include "mainwindow/mainform.h"
#include "model/reminder.h"

namespace pellino {

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
