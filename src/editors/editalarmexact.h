#pragma once

#include <cstdint>
#include <string>

#include "platform/calendar.h"
#include "platform/contexthelp.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "runtime/datetime.h"

namespace pellino {

// "Reminder Description": the message, date and time of a one-time reminder, and its options.
// The dialog holds copies only; the main window fills it, and applies what it holds when it closes
// with Save (result 1). Enter saves and Escape cancels from every control.
class TEditAlarmExact : public Form {
public:
    TEditAlarmExact();

    // Copies of the reminder's values, filled by the caller and read back after Save.
    std::string SoundFile;
    std::uint8_t NotifyMode = 0;
    // Set by Save: the chosen date plus the chosen time of day.
    TDateTime DueDateTime = 0;

    // The moment a new reminder starts from: its time of day in the time field, its date on the
    // calendar. A moment that lies tomorrow only because it is a little after midnight leaves
    // the date to follow the time the user types, until the user chooses a date: a time still
    // ahead today is meant for today.
    void ProposeMoment(TDateTime moment);

    // Declared in tab order; each label comes right before the field its accelerator focuses.
    Label MessageCaption{this};
    Edit Descript{this};
    Label TimeCaption{this};
    Edit TimeEdit{this};
    Button ExplorerButton1{this};
    Button PrevYear{this};
    Button PrevMonth{this};
    Button CurrentDate{this};
    Button NextMonth{this};
    Button NextYear{this};
    Label DateLabel{this};
    MonthCalendar Calendar{this};
    Panel ButtonBar{this};
    Button SetAlarmButton{&ButtonBar};
    Button CancelButton{&ButtonBar};
    Button AlarmOptionsButton{&ButtonBar};
    Button Helpbutton{&ButtonBar};
    Button Fake1{this};
    Button Fake2{this};
    // What each control is for, shown by "What's this?" and by F1.
    ContextHelp WhatsThis{*this};

    void FormCreate();
    void CalendarChange();
    void TimeEditChange();
    void PrevYearClick();
    void PrevMonthClick();
    void NextMonthClick();
    void NextYearClick();
    void CurrentDateClick();
    bool CheckValidTime();
    void SetAlarmButtonClick();
    void CancelButtonClick();
    void AlarmOptionsButtonClick();
    void ExplorerButton1Click();
    void HelpbuttonClick();
    void FormKeyDown(int& key, ShiftState shift);

private:
    void LayOut();
    // While the date follows the typed time: the proposed date, and whether the calendar is
    // being moved by that rule rather than by the user.
    bool dateFollowsTime_ = false;
    bool followingTime_ = false;
    TDateTime proposedDate_ = 0;
};

}  // namespace pellino
