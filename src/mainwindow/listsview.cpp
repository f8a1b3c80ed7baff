// The two reminder lists on the main window. (Being written.)
#include "mainwindow/mainform.h"
#include "model/reminder.h"

namespace pellino {

void TMainForm::SetUpLists() {}
void TMainForm::AlarmGridGetCellFormat(TClickableStringGrid&, int, int, const TGridDrawState&, TFormatOptions&) {}
void TMainForm::RepeatingAlarmGridGetCellFormat(TClickableStringGrid&, int, int, const TGridDrawState&, TFormatOptions&) {}
void TMainForm::AlarmGridGetHeaderCellFormat(TClickableStringGrid&, int, int, const TGridDrawState&, TFormatOptions&) {}
void TMainForm::RepeatingAlarmGridGetHeaderCellFormat(TClickableStringGrid&, int, int, const TGridDrawState&, TFormatOptions&) {}
void TMainForm::MoveGridRowToCorrectDateTimeSlot(int, bool) {}
void TMainForm::SetButtons() {}
void TMainForm::TabSetClick() {}
void TMainForm::NotebookPageChanged() {}
void TMainForm::FormResize() {}
TReminder* TMainForm::ReminderAt(const TClickableStringGrid&, int) { return nullptr; }

}  // namespace pellino
