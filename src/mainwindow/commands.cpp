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

void TMainForm::WithClockStopped(const std::function<void()>& command) {
    // Stops nest: a command that runs inside a tick (delivered while the tick lets messages
    // through) must leave the clock off for the rest of that tick. Only the outermost one switches
    // it on again, which also retries a timer that the platform refused before.
    Timer1.SetEnabled(false);
    ++clockStops_;
    const auto resume = [this] {
        if (--clockStops_ == 0) Timer1.SetEnabled(true);
    };
    try {
        command();
    } catch (...) {
        resume();
        throw;
    }
    resume();
}

void TMainForm::DeleteAlarmButtonClick() {
    TClickableStringGrid& grid = ShownGrid();
    const int row = grid.Row();
    if (row < 1 || !ReminderAt(grid, row)) return;
    WithClockStopped([&] {
        const bool confirmed = AskConfirmation("Delete this reminder?");
        // The row that followed the deleted one becomes the current one.
        if (confirmed) grid.DeleteRow(row);
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
    WithClockStopped([] {
        TSplashform about;
        CenterOverMainForm(about);
        about.ShowModal();
    });
}

}  // namespace pellino
