// The what's-this texts of the main window: a sentence or two on what each control does, shown by
// a right click and "What's this?", or by F1 on the focused control.
#include "mainwindow/mainform.h"

namespace pellino {

void TMainForm::SetUpWhatsThis() {
    WhatsThis.SetTexts({
        {AddAlarmButton,
         "Adds a new reminder to the list shown: a one-time reminder on the Reminders page, a "
         "repeating one on the Repeat Reminders page."},
        {EditAlarmButton,
         "Opens the selected reminder to change its message, time, days or sound. Double-clicking "
         "a reminder or pressing Enter in the list does the same. Not available while the list is "
         "empty."},
        {DeleteAlarmButton,
         "Deletes the selected reminder after asking you to confirm. The Delete key in the list "
         "does the same."},
        {CloneButton,
         "Makes a copy of the selected one-time reminder, placed just above it, ready to be "
         "edited."},
        {AdjustTimeButton,
         "Moves the selected one-time reminder later or earlier by a fixed step, from one minute "
         "to one week, chosen from the menu that drops down."},
        {TimePanel,
         "The time of day. Every few seconds Pellino! checks whether a reminder has fallen due."},
        {Panel1, "The commands for the reminders of the list shown below."},
        {AlarmGrid,
         "Your one-time reminders, in the order they fall due, with their status. Double-click one "
         "to change it; drag the edge of a column heading to make the column wider or narrower."},
        {RepeatingAlarmGrid,
         "Your repeating reminders, with their days of the week and times. Double-click one to "
         "change it."},
        {TabSet_, "Switches between your one-time reminders and your repeating reminders."},
        {Minimizebutton,
         "Minimizes Pellino! to the taskbar, or to the system tray when \"Minimize to System "
         "Tray\" is checked in the File menu. Reminders still fall due while it is minimized."},
        {Exitbutton,
         "Saves your reminders and closes Pellino!. Reminders do not fall due while Pellino! is "
         "not running."},
        {Panel4, "Minimize Pellino! or close it."},
    });
}

}  // namespace pellino
