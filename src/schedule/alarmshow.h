#pragma once

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace pellino {

// Result codes of the notification window beyond the snooze buttons, which answer with the
// negative of their number of minutes.
inline constexpr int kAlarmOk = 1;
inline constexpr int kAlarmDelete = 2;

// For this long after the window appears its buttons answer nothing, so that a key meant for
// another program, pressed at the moment the window comes up, cannot answer a reminder that the
// user has not seen.
inline constexpr int kAlarmGuardMs = 800;

// The notification window: the due reminder's message, eight buttons that put it off, "Delete"
// and "Ok". One instance lives from start-up to the end of the program and is shown modally by the
// clock for each due reminder. It is owned by the desktop and stays on top, so it appears even
// while the main window is minimised or hidden in the tray.
class TAlarmShow : public Form {
public:
    TAlarmShow();

    Label AlarmMsg{this};
    Panel Panel1{this};
    Label Label1{&Panel1};
    // Declared in tab order: the snooze buttons row by row, then "Delete", then "Ok".
    Button b5min{&Panel1};
    Button b10min{&Panel1};
    Button b30min{&Panel1};
    Button b1hour{&Panel1};
    Button b2hr{&Panel1};
    Button b4hr{&Panel1};
    Button b24hr{&Panel1};
    Button OneWeek{&Panel1};
    Button DeleteButton{&Panel1};
    Button OkButton{&Panel1};

    void FormActivate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void GuardTimerTimer();

private:
    void LayOut();
    // True from the window's appearance until its buttons work.
    bool Guarded() const { return GuardTimer.Enabled(); }
    void SetButtonsEnabled(bool enabled);

    Timer GuardTimer;
};

}  // namespace pellino
