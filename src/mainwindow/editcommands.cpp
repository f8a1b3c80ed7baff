// The commands that open the reminder editors: "&New" and "&Edit", and Enter and a double click in
// the lists.
#include <cmath>
#include <exception>
#include <utility>

#include "editors/editalarmexact.h"
#include "editors/editalarmrepeating.h"
#include "editors/timetext.h"
#include "mainwindow/mainform.h"
#include "model/reminder.h"
#include "model/settings.h"
#include "platform/files.h"

namespace pellino {

void TMainForm::SetUpEditCommands() {
    AddAlarmButton.OnClick = [this] { AddAlarmButtonClick(); };
    EditAlarmButton.OnClick = [this] { EditAlarmButtonClick(); };
    AlarmGrid.OnDblClick = [this] { AlarmGridDblClick(); };
    RepeatingAlarmGrid.OnDblClick = [this] { RepeatingAlarmGridDblClick(); };
    for (TClickableStringGrid* grid : {&AlarmGrid, &RepeatingAlarmGrid}) {
        // Enter in a list edits its current reminder instead of pressing a button.
        grid->SetWantReturns(true);
        grid->OnKeyPress = [this](char& key) { AlarmGridKeyPress(key); };
    }
}

void TMainForm::AddAlarmButtonClick() {
    if (Notebook_.PageIndex() == 0) {
        AddNormal();
    } else if (Notebook_.PageIndex() == 1) {
        AddRepeating();
    }
    SetButtons();
}

void TMainForm::EditAlarmButtonClick() {
    if (Notebook_.PageIndex() == 0) {
        EditNormal();
    } else if (Notebook_.PageIndex() == 1) {
        EditRepeating();
    }
    SetButtons();
}

std::string TMainForm::SoundForNewReminder() const {
    if (mnuNoAlarmSound.Checked() || !FileExists(DefaultSoundFile())) return "";
    return DefaultSoundFile();
}

void TMainForm::AlarmGridDblClick() {
    EditAlarmButtonClick();
}

void TMainForm::RepeatingAlarmGridDblClick() {
    EditAlarmButtonClick();
}

void TMainForm::AlarmGridKeyPress(char& key) {
    if (key == '\r') EditAlarmButtonClick();
}

void TMainForm::AddNormal() {
    RunCommand(nullptr, [this] {
        TEditAlarmExact editor;
        CenterOverMainForm(editor);
        editor.SoundFile = SoundForNewReminder();
        // Five minutes from now, date and time of the same moment: a reminder added just before
        // midnight and saved unchanged falls due early tomorrow, not in this morning's past.
        editor.ProposeMoment(AddMinutes(5, Now()));
        editor.NotifyMode = kNotifyMessageAndSound;
        if (editor.ShowModal() != mr::kOk) return;
        auto reminder = TReminder::CreateOneTime(editor.DueDateTime, editor.Descript.Text(),
                                                 editor.SoundFile, editor.NotifyMode);
        reminder->RefreshStatus();
        AppendOneTimeReminder(std::move(reminder));
        SaveChanges();
    });
}

void TMainForm::EditNormal() {
    TReminder* reminder = ReminderAt(AlarmGrid, AlarmGrid.Row());
    if (!reminder) return;
    RunCommand(reminder, [this, reminder] {
        TEditAlarmExact editor;
        CenterOverMainForm(editor);
        editor.SoundFile = reminder->SoundFile;
        // A stored moment that no calendar can show is offered as now.
        std::string time;
        try {
            time = UserTimeText(reminder->DueTime());
        } catch (const std::exception&) {
            time = UserTimeText(TimeOfDay());
        }
        editor.TimeEdit.SetText(time);
        const TDateTime date = reminder->DueDate();
        const bool showable = std::isfinite(date) && date >= editor.Calendar.FirstDate() &&
                              date <= editor.Calendar.LastDate();
        editor.Calendar.SetDate(static_cast<std::int32_t>(showable ? date : Today()));
        editor.NotifyMode = reminder->NotifyMode;
        editor.Descript.SetText(reminder->Description);
        if (editor.ShowModal() != mr::kOk) return;
        // The clock may have moved rows under the editor; the record is where the reminder went.
        const int row = RowOf(AlarmGrid, reminder);
        if (row == 0) return;
        // Taken from the list afresh for the change: the list then knows that its record changes,
        // and what the clock worked out from the rows while the editor was open is worked out
        // again.
        TReminder& edited = *ReminderAt(AlarmGrid, row);
        edited.SoundFile = editor.SoundFile;
        edited.DueDateTime = editor.DueDateTime;
        edited.NotifyMode = editor.NotifyMode;
        edited.Description = editor.Descript.Text();
        // An edited reminder that was Done or Expired is armed again.
        edited.Status = kStatusPending;
        edited.RefreshStatus();
        MoveGridRowToCorrectDateTimeSlot(row, true);
        AlarmGrid.Invalidate();
        SaveChanges();
    });
}

namespace {

// The record of a repeating reminder as the editor's final state gives it.
std::unique_ptr<TReminder> RepeatingFrom(const TEditAlarmRepeating& editor) {
    const std::int32_t interval =
        editor.OncePerDayCheck.Checked() ? 0 : editor.RepeatEverySpinner.Value();
    auto reminder = TReminder::CreateRepeating(
        editor.FirstTime, editor.UntilTime.Checked(), editor.StopTime, editor.DaySet, interval,
        editor.Descript.Text(), editor.SoundFile, editor.NotifyMode);
    reminder->ScheduleNext();
    return reminder;
}

}  // namespace

void TMainForm::AddRepeating() {
    RunCommand(nullptr, [this] {
        TEditAlarmRepeating editor;
        CenterOverMainForm(editor);
        editor.SoundFile = SoundForNewReminder();
        editor.TimeEdit.SetText(UserTimeText(TimeOfDay()));
        editor.UntilTimeEdit.SetText(UserTimeText(AddMinutes(60, TimeOfDay())));
        editor.NotifyMode = kNotifyMessageAndSound;
        if (editor.ShowModal() != mr::kOk) return;
        RepeatingAlarmGrid.AddRow();
        RepeatingAlarmGrid.SetObjectOf(0, RepeatingAlarmGrid.RowCount() - 1, RepeatingFrom(editor));
        RepeatingAlarmGrid.Invalidate();
        SaveChanges();
    });
}

void TMainForm::EditRepeating() {
    const TReminder* reminder = ReminderAt(RepeatingAlarmGrid, RepeatingAlarmGrid.Row());
    if (!reminder) return;
    RunCommand(reminder, [this, reminder] {
        TEditAlarmRepeating editor;
        CenterOverMainForm(editor);
        editor.SoundFile = reminder->SoundFile;
        // A stored time that no clock can show is offered as now.
        for (auto [field, time] : {std::pair{&editor.TimeEdit, reminder->FirstTime},
                                   std::pair{&editor.UntilTimeEdit, reminder->StopTime}}) {
            try {
                field->SetText(UserTimeText(time));
            } catch (const std::exception&) {
                field->SetText(UserTimeText(TimeOfDay()));
            }
        }
        editor.NotifyMode = reminder->NotifyMode;
        editor.Descript.SetText(reminder->Description);
        for (int digit = 0; digit < 7; ++digit) {
            editor.DayBox(digit).SetChecked(reminder->DaySet.find(static_cast<char>('0' + digit)) !=
                                            std::string::npos);
        }
        if (reminder->IntervalMinutes == 0) {
            editor.OncePerDayCheck.SetChecked(true);
        } else {
            editor.RepeatEveryCheck.SetChecked(true);
            editor.RepeatEverySpinner.SetValue(reminder->IntervalMinutes);
        }
        if (reminder->HasUntil) {
            editor.UntilTime.SetChecked(true);
        } else {
            editor.ForRemainderOfDay.SetChecked(true);
        }
        if (editor.ShowModal() != mr::kOk) return;
        const int row = RowOf(RepeatingAlarmGrid, reminder);
        if (row == 0) return;
        // A new record in the same row: what the dialog does not carry starts afresh.
        RepeatingAlarmGrid.SetObjectOf(0, row, RepeatingFrom(editor));
        RepeatingAlarmGrid.Invalidate();
        SaveChanges();
    });
}

}  // namespace pellino
