// The main window's commands on its lists and its menus: the toolbar and bottom-bar buttons, the
// menu items and the keys of the lists.
#include "mainwindow/mainform.h"
#include "mainwindow/splash.h"
#include "model/reminder.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/help.h"

namespace pellino {

namespace {

// The virtual key code of the Delete key.
constexpr int kDeleteKey = 46;
// The help topic of the main window.
constexpr int kContentsHelpContext = 1009;

}  // namespace

void TMainForm::SetUpCommands() {
    DeleteAlarmButton.OnClick = [this] { DeleteAlarmButtonClick(); };
    CloneButton.OnClick = [this] { CloneButtonClick(); };
    // The button has no command of its own: pressing it drops the menu down under it.
    AdjustTimeButton.OnClick = [this] { AdjustItemTimeMenu.PopupUnder(AdjustTimeButton); };
    for (MenuItem* item : AdjustItemTimeMenu.Items.Items()) {
        if (!item->IsSeparator()) item->OnClick = [this](MenuItem& sender) { AdjustTime(sender); };
    }
    AlarmGrid.OnKeyDown = [this](int& key, ShiftState shift) { AlarmGridKeyDown(key, shift); };
    RepeatingAlarmGrid.OnKeyDown = [this](int& key, ShiftState shift) {
        AlarmGridKeyDown(key, shift);
    };
    Minimizebutton.OnClick = [this] { MinimizebuttonClick(); };
    Exitbutton.OnClick = [this] { mnuExitClick(); };
    mnuExit.OnClick = [this](MenuItem&) { mnuExitClick(); };
    mnuContents.OnClick = [this](MenuItem&) { mnuContentsClick(); };
    mnuAbout.OnClick = [this](MenuItem&) { mnuAboutClick(); };
    ImportfromPellino1xFile1.OnClick = [this](MenuItem&) { ImportfromPellino1xFile1Click(); };
    mnuUseTray.OnClick = [this](MenuItem&) { mnuUseTrayClick(); };
}

TClickableStringGrid& TMainForm::ShownGrid() {
    return Notebook_.PageIndex() == 1 ? RepeatingAlarmGrid : AlarmGrid;
}

void TMainForm::RunCommand(const TReminder* held, const std::function<void()>& command) {
    try {
        const ReminderClock::Hold hold(clock_, held);
        command();
    } catch (...) {
        KeepClockRunning();
        throw;
    }
    KeepClockRunning();
}

void TMainForm::KeepClockRunning() {
    // A timer that the platform refused is asked for again at the end of every command, so a
    // shortage of timers does not stop the clock for good. Before the first activation the clock
    // is meant to be off.
    if (firstActivation_ || Timer1.Enabled() || Application::Terminated()) return;
    Timer1.SetEnabled(true);
}

void TMainForm::DeleteAlarmButtonClick() {
    TClickableStringGrid& grid = ShownGrid();
    const TReminder* reminder = ReminderAt(grid, grid.Row());
    if (!reminder) return;
    RunCommand(reminder, [&] {
        const bool confirmed = AskConfirmation("Delete this reminder?");
        // The clock may have moved rows under the question; the reminder asked about is the one
        // that goes, and the row that followed it becomes the current one.
        const int row = RowOf(grid, reminder);
        if (confirmed && row > 0) grid.DeleteRow(row);
        // Before the write, so that the buttons fit the list even when the write fails.
        SetButtons();
        if (confirmed) SaveChanges();
    });
}

void TMainForm::CloneButtonClick() {
    const int row = AlarmGrid.Row();
    const TReminder* original = ReminderAt(AlarmGrid, row);
    if (row < 1 || !original) return;
    // The copy lands right above the reminder it was made from, and is the one selected.
    AppendOneTimeReminder(original->Clone());
    AlarmGrid.Invalidate();
    SaveChanges();
}

void TMainForm::AlarmGridKeyDown(int& key, ShiftState) {
    // With Shift or Ctrl held as well: the Delete key always deletes.
    if (key == kDeleteKey) DeleteAlarmButtonClick();
}

void TMainForm::MinimizebuttonClick() {
    Application::Minimize();
}

void TMainForm::mnuExitClick() {
    Close();
}

void TMainForm::mnuUseTrayClick() {
    mnuUseTray.SetChecked(!mnuUseTray.Checked());
    SaveSettings();
}

void TMainForm::mnuContentsClick() {
    ShowHelpContext(Application::HelpFile(), kContentsHelpContext);
}

void TMainForm::mnuAboutClick() {
    RunCommand(nullptr, [] {
        TSplashform about;
        CenterOverMainForm(about);
        about.ShowModal();
    });
}

}  // namespace pellino
