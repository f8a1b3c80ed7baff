// The reminder clock: the time display, the watch for a new date, and the due checks that notify
// each due reminder and apply the user's answer.
#include <cassert>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/reminder.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "runtime/formats.h"
#include "schedule/alarmshow.h"

namespace pellino {

namespace {

// Due checks run on every fifth tick, about every five seconds.
constexpr int kTicksPerCheck = 5;

// The clock as one reading: the date and the time of day of the same moment.
struct ClockReading {
    TDateTime today = 0;
    TDateTime timeOfDay = 0;
};

ClockReading ReadClock() {
    const LocalTime t = NowLocal();
    return ClockReading{EncodeDate(t.year, t.month, t.day),
                        EncodeTime(t.hour, t.minute, t.second, t.millisecond)};
}

// Due in a pass for the reminders of `day`: Pending, of that day, and its moment has come. A pass
// for a day that is already over (the first tick of a new date, or a pass that a notification
// held open across midnight) finds every Pending reminder of that day due.
bool IsDue(const TReminder& reminder, TDateTime day, const ClockReading& clock) {
    if (reminder.Status != kStatusPending || reminder.DueDate() != day) return false;
    return day < clock.today || (day == clock.today && clock.timeOfDay >= reminder.DueTime());
}

bool DataFileReadable() {
    return OpenFileExclusiveRead(DataFilePath()) != nullptr;
}

bool PlaysSound(const TReminder& reminder) {
    return reminder.NotifyMode == kNotifyMessageAndSound || reminder.NotifyMode == kNotifySoundOnly;
}

bool ShowsMessage(const TReminder& reminder) {
    return reminder.NotifyMode == kNotifyMessageAndSound ||
           reminder.NotifyMode == kNotifyMessageOnly;
}

}  // namespace

void TMainForm::SetUpClock() {
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    mnuSelectSoundFile.OnClick = [this](MenuItem&) { mnuSelectSoundFileClick(); };
    mnuNoAlarmSound.OnClick = [this](MenuItem&) { mnuNoAlarmSoundClick(); };
}

void TMainForm::ShowTimeOfDay() {
    // A 12-hour clock with a two-digit hour and seconds, "am" or "pm" right after: '09:05:03pm'.
    TimePanel.SetText(FormatDateTime("hh:mm:ssam/pm", Now()));
}

void TMainForm::Timer1Timer() {
    // The timer stays off for the whole tick, so no tick starts inside another, not even while a
    // notification window holds the tick open; an error shown by the dispatch does not stop the
    // clock for good. Should anything switch the timer on inside the tick all the same, its tick
    // is dropped: a second pass under the first would notify the same reminder twice.
    if (inTick_) return;
    inTick_ = true;
    struct TickEnd {
        bool& inTick;
        ~TickEnd() { inTick = false; }
    } tickEnd{inTick_};
    WithClockStopped([this] {
        ShowTimeOfDay();
        Application::ProcessMessages();
        if (Today() > loadDate_) {
            // The reminders of the day that has just ended come first: one due in its last
            // seconds, or one that fell due while a window held the clock across midnight, is
            // notified before the lists move on to the new date.
            CheckAlarmsOf(loadDate_);
            if (Application::Terminated()) return;
            // The reload reads the data file, so whatever the clock changed must be in it first.
            // When the file refuses the write, is held by another program so that it cannot be
            // read, or has gone, a reload would lose those changes or empty the lists: they then
            // stay and only move on to the new date. A file that has gone is written anew from
            // them, so that the reminders are on the disk again.
            SaveClockChanges();
            const bool fileGone = !FileExists(DataFilePath());
            if (changesUnsaved_ || fileGone || !DataFileReadable()) {
                RefreshForNewDate();
                if (fileGone) {
                    changesUnsaved_ = true;
                    SaveClockChanges();
                }
            } else {
                Reload();
            }
            AlarmGrid.Invalidate();
            RepeatingAlarmGrid.Invalidate();
            // The lists read may hold more or fewer reminders than before.
            SetButtons();
        } else if (++tickCounter_ >= kTicksPerCheck) {
            tickCounter_ = 0;
            CheckAlarmsOf(Today());
        }
    });
}

void TMainForm::CheckAlarmsOf(TDateTime day) {
    if (CheckAlarms(AlarmGrid, true, day)) changesUnsaved_ = true;
    SaveClockChanges();
    if (CheckAlarms(RepeatingAlarmGrid, false, day)) changesUnsaved_ = true;
    SaveClockChanges();
}

void TMainForm::CheckNormalAlarms() {
    if (CheckAlarms(AlarmGrid, true, Today())) changesUnsaved_ = true;
    SaveClockChanges();
}

void TMainForm::CheckRepeatAlarms() {
    if (CheckAlarms(RepeatingAlarmGrid, false, Today())) changesUnsaved_ = true;
    SaveClockChanges();
}

bool TMainForm::CheckAlarms(TClickableStringGrid& grid, bool oneTime, TDateTime day) {
    // Time passes within a pass only while a notification is up, so the clock is read at the
    // start and again after each notification; between them every row sees the same moment.
    ClockReading clock = ReadClock();
    // Most passes find nothing due: the index says so without a look at the rows.
    if (!(oneTime ? oneTimeDue_ : repeatingDue_).AnyDue(grid, day, clock.today, clock.timeOfDay)) {
        return false;
    }
    // The rows present at the start of the pass are tested once each, in the list's order. A
    // snoozed row moves, and the row that moves up into its place waits for the next pass.
    const int rows = grid.RowCount() - 1;
    bool removal = false;
    bool changed = false;
    for (int row = 1; row <= rows && !Application::Terminated(); ++row) {
        TReminder* reminder = ReminderAt(grid, row);
        if (!reminder || !IsDue(*reminder, day, clock)) continue;
        if (PlaysSound(*reminder)) PlaySoundNow(reminder->SoundFile);
        int result = 0;
        if (ShowsMessage(*reminder)) {
            assert(alarmShow_ && "the notification window is made at start-up");
            alarmShow_->AlarmMsg.SetText(reminder->Description);
            alarmShow_->DeleteButton.SetVisible(oneTime);
            result = alarmShow_->ShowModal();
            clock = ReadClock();
            // The program was closed while the window was up, and the window answered with the
            // close command's code. Nobody chose anything: this reminder and the rest of the
            // pass stay as they are, to be notified at the next start.
            if (Application::Terminated()) break;
        }
        if (result < 0) {
            if (oneTime) {
                AdjustForSnooze(row, -result);
            } else {
                AdjustRepeatForSnooze(row, -result);
            }
            changed = true;
        } else if (result == 0 || result == kAlarmOk) {
            if (oneTime) {
                reminder->Status = kStatusDone;
                reminder->RefreshStatus();
            } else {
                reminder->DueDateTime = 0;
                reminder->ScheduleNext();
            }
            grid.Invalidate();
            changed = true;
        } else if (result == kAlarmDelete) {
            // Rows go only after the pass, so the row numbers of the pass stay valid.
            reminder->Status = kStatusRemove;
            removal = true;
            changed = true;
        }
    }
    if (removal) {
        grid.DeleteRowsOf<TReminder>(
            [](const TReminder& reminder) { return reminder.Status == kStatusRemove; });
        grid.Invalidate();
        // The list may be empty now; Edit, Delete, Clone and Adjust must not stay enabled.
        SetButtons();
    }
    return changed;
}

void TMainForm::RefreshForNewDate() {
    // What a reload does to each record read, done to the records in memory.
    loadDate_ = Today();
    for (int row = 1; row < AlarmGrid.RowCount(); ++row) {
        if (TReminder* reminder = ReminderAt(AlarmGrid, row)) reminder->RefreshStatus();
    }
    for (int row = 1; row < RepeatingAlarmGrid.RowCount(); ++row) {
        if (TReminder* reminder = ReminderAt(RepeatingAlarmGrid, row)) {
            reminder->DueDateTime = 0;
            reminder->ScheduleNext();
        }
    }
}

void TMainForm::SaveClockChanges() {
    // Acknowledgements, snoozes and removals go to the data file at once: the reload at a new
    // date reads the file, and so does the next start after a crash or a power cut.
    // Once the program is ending, its close has written the lists.
    if (!changesUnsaved_ || Application::Terminated()) return;
    try {
        SaveToDisk();
    } catch (const std::exception& error) {
        // The clock goes on and the next pass writes again. A disk that stays unwritable is
        // reported once, not every five seconds.
        if (!saveFailureShown_) {
            saveFailureShown_ = true;
            Application::ShowException(error);
        }
    }
}

}  // namespace pellino
