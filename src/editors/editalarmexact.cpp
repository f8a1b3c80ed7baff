#include "editors/editalarmexact.h"

#include <cmath>

#include "editors/editorhelp.h"
#include "editors/editorparts.h"
#include "editors/timetext.h"
#include "model/reminder.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "runtime/formats.h"

namespace pellino {

namespace {

constexpr int kHelpContext = 1004;

// Whether a one-time reminder due at this moment would be stored as Expired, never to ring: the
// reminder's own status rule decides, with its grace for a moment just gone.
bool HasPassed(TDateTime due) {
    const auto probe = TReminder::CreateOneTime(due, "", "", kNotifyNothing);
    probe->RefreshStatus();
    return probe->Status == kStatusExpired;
}

void SetUpNavigation(Button& button, const char* name, const char* caption, int left,
                     const char* hint) {
    SetUpButton(button, {name, caption, BoundsRect(left, 74, 81, 22), hint});
    button.SetFlat(true);
}

}  // namespace

TEditAlarmExact::TEditAlarmExact() : Form("TEditAlarmExact") {
    LayOut();
    ExplainControls(*this);
    Calendar.OnChange = [this] { CalendarChange(); };
    TimeEdit.OnChange = [this] { TimeEditChange(); };
    PrevYear.OnClick = [this] { PrevYearClick(); };
    PrevMonth.OnClick = [this] { PrevMonthClick(); };
    CurrentDate.OnClick = [this] { CurrentDateClick(); };
    NextMonth.OnClick = [this] { NextMonthClick(); };
    NextYear.OnClick = [this] { NextYearClick(); };
    SetAlarmButton.OnClick = [this] { SetAlarmButtonClick(); };
    CancelButton.OnClick = [this] { CancelButtonClick(); };
    AlarmOptionsButton.OnClick = [this] { AlarmOptionsButtonClick(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    Helpbutton.OnClick = [this] { HelpbuttonClick(); };
    Fake1.OnClick = [this] { SetAlarmButtonClick(); };
    Fake2.OnClick = [this] { CancelButtonClick(); };
    OnKeyDown = [this](int& key, ShiftState shift) { FormKeyDown(key, shift); };
    FormCreate();
}

void TEditAlarmExact::LayOut() {
    SetUpEditorForm(*this, "EditAlarmExact", "Reminder Description");
    SetUpMessageRow(MessageCaption, Descript);

    TimeCaption.SetName("TimeCaption");
    TimeCaption.SetBounds(10, 45, 58, 16);
    TimeCaption.SetText("&Time");
    TimeCaption.SetFont(Font{"Arial", 11, true, colors::kBlack});
    TimeCaption.SetFocusControl(&TimeEdit);
    SetUpTimeField(TimeEdit,
                   {"TimeEdit", "", BoundsRect(72, 42, 110, 21), "Enter the reminder time here"},
                   ExplorerButton1, "ExplorerButton1");

    SetUpNavigation(PrevYear, "PrevYear", "Year-", 10, "Show the previous year");
    SetUpNavigation(PrevMonth, "PrevMonth", "Month-", 97, "Show the previous month");
    SetUpNavigation(CurrentDate, "CurrentDate", "Today", 184, "Show today's date");
    SetUpNavigation(NextMonth, "NextMonth", "Month +", 271, "Show the next month");
    SetUpNavigation(NextYear, "NextYear", "Year+", 358, "Show the next year");

    DateLabel.SetName("DateLabel");
    DateLabel.SetBounds(10, 101, 429, 17);
    DateLabel.SetCentered(true);
    DateLabel.SetFont(Font{"Arial", 13, false, colors::kBlack, true});

    Calendar.SetName("Calendar");
    Calendar.SetBounds(10, 121, 429, 168);
    Calendar.SetHint("Click on the reminder date");
    // The mouse and the arrow keys work the calendar; the Tab key passes it by.
    Calendar.SetTabStop(false);
    // Only the dates a reminder may be due on: later ones would be taken for a first-version
    // date when the data file is read back.
    Calendar.SetRange(static_cast<std::int32_t>(kFirstDueDate),
                      static_cast<std::int32_t>(kLastDueDate));

    SetUpEditorBar({ButtonBar, SetAlarmButton, CancelButton, AlarmOptionsButton, Helpbutton});
    SetUpHiddenButtons(Fake1, Fake2);
}

void TEditAlarmExact::FormCreate() {
    MoveOutOfSight(*this, Fake1, Fake2);
    CalendarChange();
}

void TEditAlarmExact::ProposeMoment(TDateTime moment) {
    const TDateTime date = std::trunc(moment);
    TimeEdit.SetText(UserTimeText(moment - date));
    Calendar.SetDate(static_cast<std::int32_t>(date));
    proposedDate_ = date;
    dateFollowsTime_ = date > Today();
}

void TEditAlarmExact::CalendarChange() {
    DateLabel.SetText(FormatDateTime("dddddd", Calendar.Date()));
    // A date the user chose stays, whatever time is typed afterwards.
    if (!followingTime_) dateFollowsTime_ = false;
}

void TEditAlarmExact::TimeEditChange() {
    if (!dateFollowsTime_) return;
    TDateTime time = 0;
    if (!TryUserTime(TimeEdit.Text(), time)) return;
    const TDateTime date = Today() + time > Now() ? Today() : proposedDate_;
    followingTime_ = true;
    Calendar.SetDate(static_cast<std::int32_t>(date));
    followingTime_ = false;
}

void TEditAlarmExact::PrevYearClick() {
    Calendar.PrevYear();
}
void TEditAlarmExact::PrevMonthClick() {
    Calendar.PrevMonth();
}
void TEditAlarmExact::NextMonthClick() {
    Calendar.NextMonth();
}
void TEditAlarmExact::NextYearClick() {
    Calendar.NextYear();
}
void TEditAlarmExact::CurrentDateClick() {
    Calendar.SetDate(static_cast<std::int32_t>(Today()));
}

bool TEditAlarmExact::CheckValidTime() {
    return pellino::CheckValidTime(TimeEdit);
}

void TEditAlarmExact::SetAlarmButtonClick() {
    TDateTime time = 0;
    if (!CheckValidTime() || !TryUserTime(TimeEdit.Text(), time)) {
        FocusRefused(TimeEdit);
        return;
    }
    const TDateTime due = Calendar.Date() + time;
    // A reminder whose moment has gone would be stored Expired and never ring: the user says
    // whether that is what was meant, or corrects the time.
    if (HasPassed(due) &&
        !AskConfirmation("This time has already passed. Save the reminder anyway?")) {
        FocusRefused(TimeEdit);
        return;
    }
    if (!ConfirmSoundFile(SoundFile, NotifyMode)) {
        AlarmOptionsButton.SetFocus();
        return;
    }
    DueDateTime = due;
    SetModalResult(mr::kOk);
}

void TEditAlarmExact::CancelButtonClick() {
    SetModalResult(mr::kCancel);
}

void TEditAlarmExact::AlarmOptionsButtonClick() {
    EditReminderOptions(SoundFile, NotifyMode);
}

void TEditAlarmExact::ExplorerButton1Click() {
    // A refused time stays in the field for the user to correct; the picker then starts from
    // the current time, and only a time picked with Ok replaces what was typed.
    if (!CheckValidTime()) FocusRefused(TimeEdit);
    const std::string before = TimeEdit.Text();
    PickInto(TimeEdit);
    if (TimeEdit.Text() != before) TimeEditChange();
}

void TEditAlarmExact::HelpbuttonClick() {
    ShowHelpContext(Application::HelpFile(), kHelpContext);
}

void TEditAlarmExact::FormKeyDown(int& key, ShiftState) {
    HandleEditorKey(
        *this, key, [this] { SetAlarmButtonClick(); }, [this] { CancelButtonClick(); });
}

}  // namespace pellino
