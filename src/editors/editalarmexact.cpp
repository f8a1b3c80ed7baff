#include "editors/editalarmexact.h"

#include "editors/editorhelp.h"
#include "editors/editorparts.h"
#include "editors/timetext.h"
#include "model/reminder.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/help.h"
#include "runtime/formats.h"

namespace pellino {

namespace {

constexpr int kHelpContext = 1004;

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

void TEditAlarmExact::CalendarChange() {
    DateLabel.SetText(FormatDateTime("dddddd", Calendar.Date()));
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
    // A sound file that has gone is dropped without a word: the reminder still shows.
    if (!SoundFile.empty() && !FileExists(SoundFile)) SoundFile.clear();
    TDateTime time = 0;
    if (!CheckValidTime() || !TryUserTime(TimeEdit.Text(), time)) {
        TimeEdit.SetText(UserTimeText(TimeOfDay()));
        FocusRefused(TimeEdit);
        return;
    }
    DueDateTime = Calendar.Date() + time;
    SetModalResult(mr::kOk);
}

void TEditAlarmExact::CancelButtonClick() {
    SetModalResult(mr::kCancel);
}

void TEditAlarmExact::AlarmOptionsButtonClick() {
    EditReminderOptions(SoundFile, NotifyMode);
}

void TEditAlarmExact::ExplorerButton1Click() {
    if (!CheckValidTime()) {
        TimeEdit.SetText(UserTimeText(TimeOfDay()));
        FocusRefused(TimeEdit);
    }
    PickInto(TimeEdit);
}

void TEditAlarmExact::HelpbuttonClick() {
    ShowHelpContext(Application::HelpFile(), kHelpContext);
}

void TEditAlarmExact::FormKeyDown(int& key, ShiftState) {
    HandleEditorKey(
        key, [this] { SetAlarmButtonClick(); }, [this] { CancelButtonClick(); });
}

}  // namespace pellino
