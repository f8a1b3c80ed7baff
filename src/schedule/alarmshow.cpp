#include "schedule/alarmshow.h"

namespace pellino {

namespace {

void PlaceButton(Button& button, const char* name, const char* caption, int left, int top,
                 int width, int height, const char* hint, int modalResult) {
    button.SetName(name);
    button.SetText(caption);
    button.SetBounds(left, top, width, height);
    button.SetHint(hint);
    button.SetModalResult(modalResult);
}

}  // namespace

TAlarmShow::TAlarmShow() : Form("TAlarmShow") {
    LayOut();
    OnActivate = [this] { FormActivate(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    GuardTimer.SetInterval(kAlarmGuardMs);
    GuardTimer.OnTimer = [this] { GuardTimerTimer(); };
}

void TAlarmShow::LayOut() {
    SetName("AlarmShow");
    SetCaption("Reminder Notification");
    SetBorder(FormBorder::Dialog);
    SetIcons(BorderIcons{false, false, false});
    SetStayOnTop(true);
    SetPosition(FormPosition::ScreenCenter);
    // Owned by the desktop rather than by the main window, so a minimised or hidden main window
    // does not take the notification with it.
    SetOwnedByDesktop(true);
    SetFont(Font{"Arial", 11, false, colors::kBlack});
    SetShowHints(true);
    SetClientSize(384, 239);

    AlarmMsg.SetName("AlarmMsg");
    AlarmMsg.SetBounds(13, 9, 368, 44);
    AlarmMsg.SetWordWrap(true);
    // The reminder's message as the user typed it: "Standup & notes".
    AlarmMsg.SetShowAccelChar(false);
    AlarmMsg.SetFont(Font{"Arial", 13, true, colors::kBlack});

    Panel1.SetName("Panel1");
    Panel1.SetBounds(10, 59, 361, 143);

    Label1.SetName("Label1");
    Label1.SetBounds(10, 9, 200, 16);
    Label1.SetText("Remind me again in:");

    PlaceButton(b5min, "b5min", "5 minutes", 10, 29, 83, 23, "Add 5 minutes to reminder time", -5);
    PlaceButton(b10min, "b10min", "10 minutes", 97, 29, 83, 23, "Add 10 minutes to reminder time",
                -10);
    PlaceButton(b30min, "b30min", "30 minutes", 183, 29, 83, 23, "Add 30 minutes to reminder time",
                -30);
    PlaceButton(b1hour, "b1hour", "1 hour", 270, 29, 83, 23, "Add 60 minutes to reminder time",
                -60);
    PlaceButton(b2hr, "b2hr", "2 hours", 10, 60, 83, 23, "Add 2 hours to reminder time", -120);
    PlaceButton(b4hr, "b4hr", "4 hours", 97, 60, 82, 23, "Add 4 hours to reminder time", -240);
    PlaceButton(b24hr, "b24hr", "24 hours", 183, 60, 83, 23,
                "Add 24 hours (one full day) to reminder time", -1440);
    PlaceButton(OneWeek, "OneWeek", "1 week", 270, 60, 83, 23,
                "Add one full week  to reminder time", -10080);
    PlaceButton(DeleteButton, "DeleteButton", "Delete", 11, 95, 83, 35, "Delete this reminder",
                kAlarmDelete);
    DeleteButton.SetFont(Font{"Arial", 11, true, colors::kRed});
    PlaceButton(OkButton, "OkButton", "Ok", 270, 95, 83, 35, "Terminate this alarm", kAlarmOk);
    OkButton.SetFont(Font{"Arial", 11, true, colors::kBlack});
    OkButton.SetDefault(true);
    // There is no cancel button: Escape does nothing. The platform's close command (Alt+F4, the
    // taskbar button's "Close window", another program closing the window) is a common way to get
    // a window out of sight, not a request to throw the reminder away: it acknowledges it, as Ok.
    SetCloseResult(kAlarmOk);
}

void TAlarmShow::FormActivate() {
    // The window may open while another program is active; it must not wait behind it.
    SetForeground();
}

void TAlarmShow::FormShow() {
    // Every showing starts guarded, a snoozed reminder's next one too. The buttons are disabled,
    // so the user sees why nothing answers. With no control able to take the focus, a key reaches
    // only the window itself, where it does nothing, and none is kept for later. Ok is to have
    // the focus, and takes it when the guard ends.
    SetButtonsEnabled(false);
    SetActiveControl(&OkButton);
    GuardTimer.SetEnabled(false);
    GuardTimer.SetEnabled(true);
}

void TAlarmShow::GuardTimerTimer() {
    GuardTimer.SetEnabled(false);
    SetButtonsEnabled(true);
    OkButton.SetFocus();
}

void TAlarmShow::FormCloseQuery(bool& canClose) {
    // The close command answers as Ok does, so it waits for the guard as Ok does.
    canClose = !Guarded();
}

void TAlarmShow::SetButtonsEnabled(bool enabled) {
    for (Control* child : Panel1.Children()) {
        if (child->Kind() == ControlKind::Button) child->SetEnabled(enabled);
    }
}

}  // namespace pellino
