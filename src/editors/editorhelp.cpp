// What the controls of the two reminder editors and of the time picker are for, in a sentence or
// two each, for the what's-this pop-up.
#include "editors/editorhelp.h"

#include "editors/editalarmexact.h"
#include "editors/editalarmrepeating.h"
#include "editors/settimedialog.h"

namespace pellino {

namespace {

constexpr const char* kMessage =
    "The message the reminder shows when it falls due, up to 100 characters.";
constexpr const char* kPicker =
    "Opens a clock face on which you set the time with two clicks: one on the hour, one on the "
    "minute.";
constexpr const char* kSave =
    "Saves the reminder as it stands here and closes this window. Enter does the same from any "
    "field.";
constexpr const char* kCancel =
    "Closes this window and leaves the reminder as it was. Escape does the same.";
constexpr const char* kOptions =
    "Chooses what happens when the reminder falls due: the message, its sound, both or neither, "
    "and which sound file plays.";
constexpr const char* kHelp = "Opens the help topic on this window.";

}  // namespace

void ExplainControls(TEditAlarmExact& e) {
    e.WhatsThis.SetTexts({
        {e.Descript, kMessage},
        {e.TimeEdit,
         "The time of day the reminder falls due, written the way your regional "
         "settings write times."},
        {e.ExplorerButton1, kPicker},
        {e.PrevYear, "Shows the same day one year earlier on the calendar."},
        {e.PrevMonth, "Shows the same day one month earlier on the calendar."},
        {e.CurrentDate, "Goes back to today on the calendar."},
        {e.NextMonth, "Shows the same day one month later on the calendar."},
        {e.NextYear, "Shows the same day one year later on the calendar."},
        {e.DateLabel, "The date chosen on the calendar, written out in full."},
        {e.Calendar, "Click the day the reminder falls due; the arrow keys move the day too."},
        {e.SetAlarmButton, kSave},
        {e.CancelButton, kCancel},
        {e.AlarmOptionsButton, kOptions},
        {e.Helpbutton, kHelp},
    });
}

void ExplainControls(TEditAlarmRepeating& e) {
    e.WhatsThis.SetTexts({
        {e.Descript, kMessage},
        {e.DaysPanel, "The days of the week the reminder falls due on; check one day at least."},
        {e.AllDaysCheck, "Checks all seven days at once, or clears them all."},
        {e.TimeEdit,
         "The time of day the reminder first falls due, written the way your regional "
         "settings write times."},
        {e.ExplorerButton1, kPicker},
        {e.OncePerDayCheck, "The reminder falls due once a day, at the starting time."},
        {e.RepeatEveryCheck,
         "The reminder falls due at the starting time and again every so many minutes "
         "after it."},
        {e.RepeatEverySpinner, "How many minutes lie between two repeats."},
        {e.ForRemainderOfDay, "The repeats go on until the end of the day."},
        {e.UntilTime, "The repeats stop at the ending time written beside."},
        {e.UntilTimeEdit, "The time of day after which the reminder no longer repeats."},
        {e.EndingtimeButton, kPicker},
        {e.TimesPanel, "When on each chosen day the reminder falls due."},
        {e.SetAlarmButton, kSave},
        {e.CancelButton, kCancel},
        {e.AlarmOptionsButton, kOptions},
        {e.Helpbutton, kHelp},
    });
}

void ExplainControls(TSetTimeDialog& p) {
    p.WhatsThis.SetTexts({
        {p.HourPanel,
         "Click the hour: the upper two rows are the morning (AM), the lower two the "
         "afternoon and evening (PM)."},
        {p.MinutePanel, "Click the minute."},
        {p.Okbutton, "Takes the time shown in the title into the reminder."},
        {p.CancelButton, "Closes the clock face and keeps the time you had."},
        {p.Helpbutton, kHelp},
    });
}

}  // namespace pellino
