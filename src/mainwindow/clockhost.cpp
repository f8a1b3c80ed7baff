// The main window's side of the reminder clock: its timer and the platform's word of a changed
// clock, and what the clock asks of the window (the lists, the clock panel, the notification
// window and the boxes it shows).
#include <cassert>
#include <exception>

#include "mainwindow/mainform.h"
#include "model/reminder.h"
#include "runtime/formats.h"
#include "schedule/alarmshow.h"

namespace pellino {

void TMainForm::SetUpClock() {
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    OnSystemEvent = [this](SystemEvent event) { FormSystemEvent(event); };
    mnuSelectSoundFile.OnClick = [this](MenuItem&) { mnuSelectSoundFileClick(); };
    mnuNoAlarmSound.OnClick = [this](MenuItem&) { mnuNoAlarmSoundClick(); };
}

void TMainForm::Timer1Timer() {
    clock_.Tick();
}

void TMainForm::CheckNormalAlarms() {
    clock_.CheckNormalAlarms();
}

void TMainForm::CheckRepeatAlarms() {
    clock_.CheckRepeatAlarms();
}

void TMainForm::FormSystemEvent(SystemEvent event) {
    switch (event) {
        case SystemEvent::Resumed:
        case SystemEvent::TimeChanged:
            // Reminders that came due while the machine slept, or that a new clock time has
            // reached, are looked for at once and not at the next fifth tick.
            if (!firstActivation_) clock_.CheckNow();
            break;
        case SystemEvent::SessionEnding:
            clock_.KeepLastLook();
            EndSession();
            break;
    }
}

void TMainForm::EndSession() {
    // The session may end the process as soon as this returns, with no close command: what is
    // not on the disk yet goes there now, without a question. A data file that another program
    // holds gets a last try.
    try {
        ReadWaitingDataFile();
    } catch (const std::exception&) {
        // Nothing of it was added; the changes below are kept all the same.
    }
    if (!ChangesUnsaved()) return;
    try {
        SaveToDisk();
        if (!ChangesUnsaved()) return;
    } catch (const std::exception&) {
        // The data file refused them (and stays whole): they go beside it below.
    }
    // What the data file could not take waits beside it for the next start. Should even that
    // fail, there is nobody left to tell.
    try {
        KeepUnsavedChanges();
    } catch (const std::exception&) {
    }
}

void TMainForm::ShowTimeOfDay() {
    // A 12-hour clock with a two-digit hour and seconds, "am" or "pm" right after: '09:05:03pm'.
    TimePanel.SetText(FormatDateTime("hh:mm:ssam/pm", Now()));
}

void TMainForm::PlaceInDueOrder(int row) {
    MoveGridRowToCorrectDateTimeSlot(row, false);
}

void TMainForm::ListsChanged() {
    SetButtons();
}

int TMainForm::ShowNotification(const TReminder& reminder, bool oneTime) {
    assert(alarmShow_ && "the notification window is made at start-up");
    alarmShow_->AlarmMsg.SetText(reminder.Description);
    alarmShow_->DeleteButton.SetVisible(oneTime);
    return alarmShow_->ShowModal();
}

void TMainForm::RunDialog(const std::function<void()>& dialog) {
    RunCommand(nullptr, dialog);
}

}  // namespace pellino
