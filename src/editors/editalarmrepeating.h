#pragma once

#include <cstdint>
#include <string>
#include "platform/contexthelp.h"

#include "platform/controls.h"
#include "platform/form.h"
#include "runtime/datetime.h"

namespace pellino {

// "Repeating Reminder Description": the message, the weekdays, the starting time, once a day or
// every so many minutes for the rest of the day or until an ending time, and the options of a
// repeating reminder. Like the one-time editor it holds copies only; the main window fills it and
// builds the record from it after Save (result 1).
class TEditAlarmRepeating : public Form {
public:
    TEditAlarmRepeating();

    // Copies filled by the caller; FirstTime, StopTime and DaySet are set by Save.
    std::string SoundFile;
    std::uint8_t NotifyMode = 0;
    TDateTime FirstTime = 0;
    TDateTime StopTime = 0;
    std::string DaySet;

    // Declared in tab order; each label comes right before the field its accelerator focuses.
    Label MessageCaption{this};
    Edit Descript{this};
    Panel DaysPanel{this};
    Label DaysCaption{&DaysPanel};
    CheckBox Monday{&DaysPanel};
    CheckBox Tuesday{&DaysPanel};
    CheckBox Wednesday{&DaysPanel};
    CheckBox Thursday{&DaysPanel};
    CheckBox Friday{&DaysPanel};
    CheckBox Saturday{&DaysPanel};
    CheckBox Sunday{&DaysPanel};
    CheckBox AllDaysCheck{&DaysPanel};
    Panel TimesPanel{this};
    Label TimesCaption{&TimesPanel};
    Label StartingCaption{&TimesPanel};
    Edit TimeEdit{&TimesPanel};
    Button ExplorerButton1{&TimesPanel};
    RadioButton OncePerDayCheck{&TimesPanel};
    RadioButton RepeatEveryCheck{&TimesPanel};
    SpinEdit RepeatEverySpinner{&TimesPanel};
    Label MinutesLabel{&TimesPanel};
    Panel RepeatUntilPanel{&TimesPanel};
    RadioButton ForRemainderOfDay{&RepeatUntilPanel};
    RadioButton UntilTime{&RepeatUntilPanel};
    Edit UntilTimeEdit{&RepeatUntilPanel};
    Button EndingtimeButton{&RepeatUntilPanel};
    Label TimeInstruct{&TimesPanel};
    Panel ButtonBar{this};
    Button SetAlarmButton{&ButtonBar};
    Button CancelButton{&ButtonBar};
    Button AlarmOptionsButton{&ButtonBar};
    Button Helpbutton{&ButtonBar};
    Button Fake1{this};
    Button Fake2{this};
    // What each control is for, shown by "What's this?" and by F1.
    ContextHelp WhatsThis{*this};

    // The seven day boxes, Sunday first: the box of day digit d is DayBox(d).
    CheckBox& DayBox(int digit);

    void FormCreate();
    void FormActivate();
    void Setbuttons();
    void AllDaysCheckClick();
    bool CheckValidTime();
    bool CheckValidEndTime();
    void SetAlarmButtonClick();
    void CancelButtonClick();
    void AlarmOptionsButtonClick();
    void ExplorerButton1Click();
    void EndingtimeButtonClick();
    void HelpbuttonClick();
    void FormKeyDown(int& key, ShiftState shift);

private:
    void LayOut();
    bool activated_ = false;
};

}  // namespace pellino
