#include "editors/editalarmrepeating.h"

#include "editors/editorhelp.h"
#include "editors/editorparts.h"
#include "editors/timetext.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/help.h"

namespace pellino {

namespace {

constexpr int kHelpContext = 2986;
constexpr int kLeastInterval = 10;
constexpr int kGreatestInterval = 720;
constexpr int kIntervalStep = 10;
const Font kCaptionFont{"Arial", 11, true, colors::kBlack};
// The starting time and the interval stand in one column, right of their captions with the gap
// the message has to its caption: "Repeat Every", the widest, ends about 103 pixels in.
constexpr int kFieldColumn = 116;

// The bold heading of the days and the times.
void SetUpHeading(Label& heading, const char* text) {
    heading.SetBounds(8, 6, 100, 16);
    heading.SetText(text);
    heading.SetFont(kCaptionFont);
}

}  // namespace

TEditAlarmRepeating::TEditAlarmRepeating() : Form("TEditAlarmRepeating") {
    LayOut();
    ExplainControls(*this);
    // The designed state comes first, so that no handler runs for it.
    for (CheckBox* day : {&Monday, &Tuesday, &Wednesday, &Thursday, &Friday}) day->SetChecked(true);
    OncePerDayCheck.SetChecked(true);
    ForRemainderOfDay.SetChecked(true);
    RepeatEverySpinner.SetValue(60);
    RepeatUntilPanel.SetVisible(false);

    OnActivate = [this] { FormActivate(); };
    OnKeyDown = [this](int& key, ShiftState shift) { FormKeyDown(key, shift); };
    for (RadioButton* radio :
         {&OncePerDayCheck, &RepeatEveryCheck, &ForRemainderOfDay, &UntilTime}) {
        radio->OnClick = [this] { Setbuttons(); };
    }
    AllDaysCheck.OnClick = [this] { AllDaysCheckClick(); };
    SetAlarmButton.OnClick = [this] { SetAlarmButtonClick(); };
    CancelButton.OnClick = [this] { CancelButtonClick(); };
    AlarmOptionsButton.OnClick = [this] { AlarmOptionsButtonClick(); };
    ExplorerButton1.OnClick = [this] { ExplorerButton1Click(); };
    EndingtimeButton.OnClick = [this] { EndingtimeButtonClick(); };
    Helpbutton.OnClick = [this] { HelpbuttonClick(); };
    Fake1.OnClick = [this] { SetAlarmButtonClick(); };
    Fake2.OnClick = [this] { CancelButtonClick(); };
    FormCreate();
}

void TEditAlarmRepeating::LayOut() {
    SetUpEditorForm(*this, "EditAlarmRepeating", "Repeating Reminder Description");
    SetUpMessageRow(MessageCaption, Descript);

    DaysPanel.SetName("DaysPanel");
    DaysPanel.SetBounds(10, 40, 120, 252);
    DaysPanel.SetBorderStyle(BorderStyle::Single);
    SetUpHeading(DaysCaption, "Days");
    const char* kDayHint = "Check to use this reminder on this day of \reach week";
    const struct {
        CheckBox& box;
        const char* name;
    } days[] = {{Monday, "Monday"},     {Tuesday, "Tuesday"}, {Wednesday, "Wednesday"},
                {Thursday, "Thursday"}, {Friday, "Friday"},   {Saturday, "Saturday"},
                {Sunday, "Sunday"}};
    int top = 30;
    for (const auto& day : days) {
        SetUpControl(day.box, {day.name, day.name, BoundsRect(12, top, 100, 17), kDayHint});
        top += 24;
    }
    SetUpControl(AllDaysCheck, {"AllDaysCheck", "All Days", BoundsRect(12, top + 12, 100, 17),
                                "Check to include all days"});

    TimesPanel.SetName("TimesPanel");
    TimesPanel.SetBounds(138, 40, 301, 252);
    TimesPanel.SetBorderStyle(BorderStyle::Single);
    SetUpHeading(TimesCaption, "Times");
    StartingCaption.SetName("StartingCaption");
    StartingCaption.SetBounds(10, 33, kFieldColumn - 14, 16);
    StartingCaption.SetText("&Starting Time");
    StartingCaption.SetFocusControl(&TimeEdit);
    SetUpTimeField(
        TimeEdit,
        {"TimeEdit", "", BoundsRect(kFieldColumn, 30, 100, 21), "Enter the reminder time here"},
        ExplorerButton1, "ExplorerButton1");
    SetUpControl(OncePerDayCheck, {"OncePerDayCheck", "Once per day", BoundsRect(10, 64, 150, 17),
                                   "Check here to have this reminder occur \ronly once per day"});
    SetUpControl(RepeatEveryCheck,
                 {"RepeatEveryCheck", "Repeat Every", BoundsRect(10, 90, kFieldColumn - 14, 17),
                  "Check here to have this reminder repeat itself\rat predefined intervals "});
    RepeatEverySpinner.SetName("RepeatEverySpinner");
    RepeatEverySpinner.SetBounds(kFieldColumn, 88, 60, 21);
    RepeatEverySpinner.SetHint(
        "Enter the number of minutes for the repeat\rinterval for this "
        "reminder");
    RepeatEverySpinner.SetRange(kLeastInterval, kGreatestInterval);
    RepeatEverySpinner.SetIncrement(kIntervalStep);
    MinutesLabel.SetBounds(kFieldColumn + 66, 91, 60, 16);
    MinutesLabel.SetText("minutes");

    RepeatUntilPanel.SetName("RepeatUntilPanel");
    RepeatUntilPanel.SetBounds(10, 118, 279, 66);
    RepeatUntilPanel.SetBorderStyle(BorderStyle::Single);
    SetUpControl(ForRemainderOfDay,
                 {"ForRemainderOfDay", "For remainder of day", BoundsRect(8, 8, 180, 17),
                  "Check here to have this reminder continue \rrepeating at the defined intervals "
                  "for the rest \rof the day"});
    SetUpControl(UntilTime,
                 {"UntilTime", "Until", BoundsRect(8, 36, 60, 17),
                  "Check here to have this reminder continue \rrepeating at the defined intervals "
                  "until a \rspecified time"});
    SetUpTimeField(UntilTimeEdit,
                   {"UntilTimeEdit", "", BoundsRect(70, 34, 100, 21), "Enter the ending time here"},
                   EndingtimeButton, "EndingtimeButton");

    TimeInstruct.SetName("TimeInstruct");
    TimeInstruct.SetBounds(8, 196, 283, 40);
    TimeInstruct.SetCentered(true);
    TimeInstruct.SetWordWrap(true);
    TimeInstruct.SetFont(Font{"Arial", 11, false, colors::kBlack, true});

    SetUpEditorBar({ButtonBar, SetAlarmButton, CancelButton, AlarmOptionsButton, Helpbutton});
    SetUpHiddenButtons(Fake1, Fake2);
}

CheckBox& TEditAlarmRepeating::DayBox(int digit) {
    CheckBox* boxes[] = {&Sunday, &Monday, &Tuesday, &Wednesday, &Thursday, &Friday, &Saturday};
    return *boxes[digit];
}

void TEditAlarmRepeating::FormCreate() {
    MoveOutOfSight(*this, Fake1, Fake2);
    TimeInstruct.SetText("Enter Times in " + UserTimeText(Now()) + " format");
}

void TEditAlarmRepeating::FormActivate() {
    // The first activation brings the controls into line with the reminder shown. A later one
    // is the return from a message, the picker or the options, which changed nothing the
    // controls depend on; checking the starting time there again would bring the message about
    // a refused one straight back, since a refused time stays in its field to be corrected.
    if (activated_) return;
    activated_ = true;
    Setbuttons();
}

void TEditAlarmRepeating::Setbuttons() {
    RepeatUntilPanel.SetVisible(RepeatEveryCheck.Checked());
    RepeatEverySpinner.SetEnabled(RepeatEveryCheck.Checked());
    UntilTimeEdit.SetEnabled(UntilTime.Checked());
    EndingtimeButton.SetEnabled(UntilTime.Checked());
    // Every choice also checks the starting time; a refused one hides the ending until the next
    // choice.
    if (!CheckValidTime()) RepeatUntilPanel.SetVisible(false);
}

void TEditAlarmRepeating::AllDaysCheckClick() {
    for (int digit = 0; digit < 7; ++digit) DayBox(digit).SetChecked(AllDaysCheck.Checked());
}

bool TEditAlarmRepeating::CheckValidTime() {
    if (pellino::CheckValidTime(TimeEdit)) return true;
    FocusRefused(TimeEdit);
    return false;
}

bool TEditAlarmRepeating::CheckValidEndTime() {
    // The starting time is valid here: Save and the ending picker check it first.
    TDateTime start = 0;
    TryUserTime(TimeEdit.Text(), start);
    const std::string proposed = UserTimeText(AddMinutes(60, start));
    TDateTime end = 0;
    if (!TryUserTime(UntilTimeEdit.Text(), end)) {
        // A mistyped time stays, to be corrected.
        ShowInformation(
            InvalidTimeMessage("Invalid ENDING time. Please use your Windows Time format"));
        return false;
    }
    UntilTimeEdit.SetText(UserTimeText(end));
    if (!(end > start)) {
        ShowInformation("Invalid ENDING time. Must be greater than starting time");
        UntilTimeEdit.SetText(proposed);
        return false;
    }
    return true;
}

void TEditAlarmRepeating::SetAlarmButtonClick() {
    std::string days;
    for (int digit = 0; digit < 7; ++digit) {
        if (DayBox(digit).Checked()) days += static_cast<char>('0' + digit);
    }
    if (days.empty()) {
        ShowInformation("You must select at least one day for this \rreminder to occur on");
        Monday.SetFocus();
        return;
    }
    DaySet = days;
    if (!CheckValidTime()) return;
    TryUserTime(TimeEdit.Text(), FirstTime);
    if (RepeatEveryCheck.Checked()) {
        if (RepeatEverySpinner.Value() < kLeastInterval) {
            ShowInformation("Repeat interval must be greater than 10 minutes");
            FocusRefused(RepeatEverySpinner);
            return;
        }
        if (UntilTime.Checked()) {
            if (!CheckValidEndTime()) {
                FocusRefused(UntilTimeEdit);
                return;
            }
            TryUserTime(UntilTimeEdit.Text(), StopTime);
        }
    }
    // Asked last, once the reminder could be saved as it stands.
    if (!ConfirmSoundFile(SoundFile, NotifyMode)) {
        AlarmOptionsButton.SetFocus();
        return;
    }
    SetModalResult(mr::kOk);
}

void TEditAlarmRepeating::CancelButtonClick() {
    SetModalResult(mr::kCancel);
}

void TEditAlarmRepeating::AlarmOptionsButtonClick() {
    EditReminderOptions(SoundFile, NotifyMode);
}

void TEditAlarmRepeating::ExplorerButton1Click() {
    // A refused time stays in the field; the picker then starts from the current time.
    CheckValidTime();
    PickInto(TimeEdit);
}

void TEditAlarmRepeating::EndingtimeButtonClick() {
    // The ending time is judged against the starting time, so that is checked first, as Save
    // does: a refused one is told and corrected before an ending time can be picked.
    if (!CheckValidTime()) return;
    // A refused ending stays (or shows the ending proposed); the picker starts from it when it
    // is a time, else from the current time, and only Ok replaces it.
    if (!CheckValidEndTime()) FocusRefused(UntilTimeEdit);
    PickInto(UntilTimeEdit);
}

void TEditAlarmRepeating::HelpbuttonClick() {
    ShowHelpContext(Application::HelpFile(), kHelpContext);
}

void TEditAlarmRepeating::FormKeyDown(int& key, ShiftState) {
    HandleEditorKey(
        *this, key, [this] { SetAlarmButtonClick(); }, [this] { CancelButtonClick(); });
}

}  // namespace pellino
