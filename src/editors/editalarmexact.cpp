#include "editors/editalarmexact.h"

#include "editors/settimedialog.h"
#include "editors/timetext.h"
#include "model/reminder.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/help.h"
#include "runtime/formats.h"
#include "schedule/alarmoptions.h"
#include "schedule/dialogbar.h"

namespace pellino {

namespace {

constexpr int kHelpContext = 1004;
constexpr int kClientWidth = 449;
constexpr int kClientHeight = 352;
constexpr int kMessageLength = 100;

void SetUpNavigation(Button& button, const char* name, const char* caption, int left,
                     const char* hint) {
    SetUpButton(button, {name, caption, BoundsRect(left, 74, 81, 22), hint});
    button.SetFlat(true);
}

}  // namespace

TEditAlarmExact::TEditAlarmExact() : Form("TEditAlarmExact") {
    LayOut();
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
    SetName("EditAlarmExact");
    SetCaption("Reminder Description");
    SetBorder(FormBorder::Dialog);
    SetIcons(BorderIcons{false, false, false});
    SetFont(Font{"Arial", 11, false, colors::kBlack});
    SetShowHints(true);
    SetKeyPreview(true);
    SetClientSize(kClientWidth, kClientHeight);

    MessageCaption.SetName("MessageCaption");
    MessageCaption.SetBounds(10, 13, 58, 16);
    MessageCaption.SetText("&Message");
    MessageCaption.SetFocusControl(&Descript);
    Descript.SetName("Descript");
    Descript.SetBounds(72, 10, 367, 21);
    Descript.SetText("[Type reminder message here]");
    Descript.SetHint("Type your reminder message here");
    Descript.SetMaxLength(kMessageLength);
    Descript.SetAutoSelect(false);

    TimeCaption.SetName("TimeCaption");
    TimeCaption.SetBounds(10, 45, 58, 16);
    TimeCaption.SetText("&Time");
    TimeCaption.SetFont(Font{"Arial", 11, true, colors::kBlack});
    TimeCaption.SetFocusControl(&TimeEdit);
    TimeEdit.SetName("TimeEdit");
    TimeEdit.SetBounds(72, 42, 110, 21);
    TimeEdit.SetHint("Enter the reminder time here");
    TimeEdit.SetAutoSelect(false);
    SetUpButton(ExplorerButton1, {"ExplorerButton1", "", BoundsRect(186, 40, 26, 25),
                                  "Click for Quick Time Set", Glyph::Clock});

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
    Calendar.SetRange(static_cast<std::int32_t>(EncodeDate(1900, 1, 1)),
                      static_cast<std::int32_t>(kYearOneDateThreshold) - 1);

    SetUpDialogBar(ButtonBar, "ButtonBar", kClientWidth, kClientHeight, 53);
    SetUpBarButton(SetAlarmButton, {"SetAlarmButton", "&Save", BoundsRect(12, 12, 81, 33),
                                    "Save and Set the reminder as specified", Glyph::Check});
    SetUpBarButton(CancelButton, {"CancelButton", "&Cancel", BoundsRect(115, 12, 81, 33),
                                  kCancelHint, Glyph::Cross});
    SetUpBarButton(AlarmOptionsButton,
                   {"AlarmOptionsButton", "Options", BoundsRect(218, 12, 81, 33),
                    "Set advanced reminder options", Glyph::Options});
    SetUpBarButton(Helpbutton,
                   {"Helpbutton", "&Help", BoundsRect(346, 12, 81, 33), kHelpHint, Glyph::Help});

    // The default and cancel buttons are out of sight and out of the tab order; they are there
    // for the platform's dialog keys.
    SetUpButton(Fake1, {"Fake1", "fakeok", BoundsRect(0, 0, 75, 25)});
    Fake1.SetDefault(true);
    Fake1.SetTabStop(false);
    SetUpButton(Fake2, {"Fake2", "fakecancel", BoundsRect(80, 0, 75, 25)});
    Fake2.SetCancel(true);
    Fake2.SetTabStop(false);
}

void TEditAlarmExact::FormCreate() {
    Fake1.SetBounds(Fake1.Left(), Height() + 10, Fake1.Width(), Fake1.Height());
    Fake2.SetBounds(Fake2.Left(), Height() + 10, Fake2.Width(), Fake2.Height());
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
    PickTime(TimeEdit);
}

void TEditAlarmExact::HelpbuttonClick() {
    ShowHelpContext(Application::HelpFile(), kHelpContext);
}

void TEditAlarmExact::FormKeyDown(int& key, ShiftState) {
    // Enter saves and Escape cancels from every control; the key ends here, so the dialog keys
    // do not press a button for it a second time.
    if (key == keys::kReturn) {
        key = 0;
        SetAlarmButtonClick();
    } else if (key == keys::kEscape) {
        key = 0;
        CancelButtonClick();
    }
}

void EditReminderOptions(std::string& soundFile, std::uint8_t& notifyMode) {
    TAlarmOptions options;
    switch (notifyMode) {
        case kNotifyMessageAndSound:
            options.ShowMessageAndPlaySound.SetChecked(true);
            break;
        case kNotifyMessageOnly:
            options.ShowMessage.SetChecked(true);
            break;
        case kNotifySoundOnly:
            options.PlaySound.SetChecked(true);
            break;
        case kNotifyNothing:
            options.DoNothing.SetChecked(true);
            break;
        default:
            break;  // the dialog's own choice stays
    }
    options.WaveFileName = soundFile;
    CenterOverMainForm(options);
    if (options.ShowModal() != mr::kOk) return;
    soundFile = options.WaveFileName;
    if (options.ShowMessageAndPlaySound.Checked()) {
        notifyMode = kNotifyMessageAndSound;
    } else if (options.PlaySound.Checked()) {
        notifyMode = kNotifySoundOnly;
    } else if (options.ShowMessage.Checked()) {
        notifyMode = kNotifyMessageOnly;
    } else if (options.DoNothing.Checked()) {
        notifyMode = kNotifyNothing;
    }
}

void PickTime(Edit& field) {
    if (!CheckValidTime(field)) field.SetText(UserTimeText(TimeOfDay()));
    TSetTimeDialog picker;
    TDateTime time = 0;
    TryUserTime(field.Text(), time);
    picker.PickedTime = time;
    CenterOverMainForm(picker);
    if (picker.ShowModal() == mr::kOk) field.SetText(UserTimeText(picker.PickedTime));
}

}  // namespace pellino
