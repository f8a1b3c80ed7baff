// Start-up and shutdown of the main window, and its settings and placement in the settings file.
#include <exception>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/help.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "runtime/formats.h"
#include "schedule/alarmshow.h"

namespace pellino {

namespace {

// The platform's show commands that the start-up tells apart.
constexpr int kShowMinimized = 2;
constexpr int kMinimize = 6;
constexpr int kShowMinNoActive = 7;
constexpr int kShowDefault = 10;
constexpr int kShowMaximized = 3;

constexpr int kClockInterval = 1000;
constexpr int kHintPause = 2000;

// Lets the window system deliver what is waiting, so that the window stays responsive while the
// lists are loaded.
void LetMessagesThrough() {
    Application::ProcessMessages();
}

}  // namespace

void TMainForm::SetUpStartup() {
    OnActivate = [this] { FormActivate(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this] { FormClose(); };
    // No reminder may fall due while the lists are loaded and the window placed: the clock stays
    // off until the end of the first activation.
    Timer1.SetEnabled(false);
    Timer1.SetInterval(kClockInterval);
}

void TMainForm::FormCreate() {
    SaveUserFormats();
    UseFixedFormats();
    firstActivation_ = true;

    Application::SetHintColor(colors::kAqua);
    Application::SetHintPause(kHintPause);

    PlaceListControls();
    FitDueColumns();
    ShowTimeOfDay();
    LoadSettings();
    LetMessagesThrough();

    // A list that cannot be emptied or loaded leaves the start going on with what it holds: the
    // program is still useful for adding reminders, and the data file reports nothing here.
    try {
        AlarmGrid.SetRowCount(1);
        RepeatingAlarmGrid.SetRowCount(1);
    } catch (const std::exception&) {
        LetMessagesThrough();
    }
    try {
        LoadFromDisk();
    } catch (const std::exception&) {
    }
    for (TClickableStringGrid* grid : {&AlarmGrid, &RepeatingAlarmGrid}) {
        LetMessagesThrough();
        try {
            if (grid->RowCount() > 1) grid->SetRow(1);
        } catch (const std::exception&) {
        }
    }

    TabSet_.SetTabIndex(0);
    TabSetClick();
    // The buttons take the state of the lists read before the window is first shown: the first
    // picture is then the right one, and the window need not be drawn a second time.
    SetButtons();
    Application::SetHelpFile(ProgramFolder() + "PELLINO.HLP");
    // The window shows where its first activation places it, rather than moving there after the
    // user has seen it at its designed place.
    PlaceAsStored();
}

void TMainForm::FormActivate() {
    if (!firstActivation_) return;
    // Cleared first: a message box shown from here gives the activation back to this window when
    // it closes, and that activation must not start the whole sequence over again.
    firstActivation_ = false;
    // A settings file that refuses the placement is reported, but the start goes on: without the
    // rest of the first activation the clock would never run.
    try {
        RestorePlacement();
    } catch (const std::exception& error) {
        Application::ShowException(error);
    }
    int showCommand = StartupShowCommand();
    if (showCommand == kShowDefault) showCommand = StartupInfoShowCommand();
    if (showCommand == kShowMinimized || showCommand == kMinimize ||
        showCommand == kShowMinNoActive) {
        StartMinimized();
    } else {
        if (!Visible()) Show();
        BringToFront();
    }
    SetButtons();
    // The clock runs from here on, also under the boxes below.
    Timer1.SetEnabled(true);
    // A data file another program holds is tried again from the clock, and told of only when
    // it stays held (RetryDataFile).
    ShowDataFileWarnings();
}

void TMainForm::StartMinimized() {
    Application::Minimize();
    // Into the tray, on every Windows: the icon now, and the window hidden once the start is
    // over (not when the platform refused the icon: the taskbar button is then all there is).
    if (mnuUseTray.Checked()) {
        ShowTrayIcon();
        if (TrayIcon_.Active()) PostMessage(kTrayStartMessage);
    }
}

void TMainForm::FormCloseQuery(bool& canClose) {
    // A data file still held by another program gets a last try, so that the changes go where
    // they belong if it can.
    ReadWaitingDataFile();
    // Only what is not on the disk yet is written: a close with nothing changed since the file was
    // last read or written leaves it alone, so a program in a folder it may not write to still
    // ends, and a data file that could not be read is not replaced with less. Reminders whose
    // file has gone meanwhile are on no disk at all.
    const bool listsEmpty = AlarmGrid.RowCount() <= 1 && RepeatingAlarmGrid.RowCount() <= 1;
    const bool fileGone = !dataFileUnread_ && !listsEmpty && !FileExists(DataFilePath());
    if (!ChangesUnsaved() && !fileGone) return;
    // When the write fails the window stays open, so the reminders in it are not lost with the
    // process.
    try {
        SaveToDisk();
        // Still held: the changes wait beside the data file for the next start, which adds them.
        if (dataFileUnread_) {
            KeepUnsavedChanges();
            ShowMessageBox("The reminders in " + DataFilePath() +
                               " could still not be read, so your changes could not be saved "
                               "there.\r\n\r\nThey are kept in " + UnsavedChangesFilePath() +
                               ", and the next start adds them to your reminders.",
                           Application::Title(), mb::kOk | mb::kIconWarning);
        }
    } catch (const std::exception& error) {
        Application::ShowException(error);
        canClose = false;
    }
}

void TMainForm::FormClose() {
    // The next start lists what comes due from here on while the program is not running.
    clock_.KeepLastLook();
    // A settings file that refuses the placement must not keep the program from ending.
    try {
        SavePlacement();
    } catch (const std::exception& error) {
        Application::ShowException(error);
    }
}

void TMainForm::FormDestroy() {
    StopWave();
    CloseHelp(Application::HelpFile());
}

void TMainForm::CreateNotificationWindow() {
    alarmShow_ = std::make_unique<TAlarmShow>();
}

void TMainForm::LoadSettings() {
    const SettingsFile ini;
    defaultSoundFile_ = ini.ReadString(settings::kSounds, settings::kWaveFile, "");
    mnuNoAlarmSound.SetChecked(ini.ReadBool(settings::kSounds, settings::kSilent, false));
    mnuUseTray.SetChecked(ini.ReadBool(settings::kTray, settings::kUse, false));
}

void TMainForm::SaveSettings() {
    const SettingsFile ini;
    ini.WriteString(settings::kSounds, settings::kWaveFile, defaultSoundFile_);
    ini.WriteBool(settings::kSounds, settings::kSilent, mnuNoAlarmSound.Checked());
    ini.WriteBool(settings::kTray, settings::kUse, mnuUseTray.Checked());
}

void TMainForm::SavePlacement() {
    const SettingsFile ini;
    const std::string section = PlacementSection(ClassName(), ScreenDpi());
    const WindowPlacement placement = GetPlacement();
    ini.WriteInteger(section, settings::kLeft, placement.normal.left);
    ini.WriteInteger(section, settings::kTop, placement.normal.top);
    ini.WriteInteger(section, settings::kRight, placement.normal.right);
    ini.WriteInteger(section, settings::kBottom, placement.normal.bottom);
    ini.WriteBool(section, settings::kMaximized, placement.showCommand == kShowMaximized);
}

std::optional<Rect> TMainForm::StoredPlacement(bool& maximized) const {
    const SettingsFile ini;
    const std::string section = PlacementSection(ClassName(), ScreenDpi());
    const Rect stored{ini.ReadInteger(section, settings::kLeft, 0),
                      ini.ReadInteger(section, settings::kTop, 0),
                      ini.ReadInteger(section, settings::kRight, 0),
                      ini.ReadInteger(section, settings::kBottom, 0)};
    maximized =
        ini.ReadBool(section, settings::kMaximized, GetWindowState() == WindowState::Maximized);
    // A bottom edge of 0 means that no placement has been stored yet; edges no window can have
    // come from a hand-edited file and count as none.
    if (stored.bottom == 0 || !IsPlacementPossible(stored)) return std::nullopt;
    // The monitor that holds the largest part of the stored window, or the nearest one: a window
    // the user keeps on a second monitor comes back there, not pushed onto the first.
    const Size screen = ScreenSize();
    const Rect monitor = MonitorOfArea(stored).value_or(Rect{0, 0, screen.width, screen.height});
    return FitToScreen(stored, monitor);
}

void TMainForm::PlaceAsStored() {
    bool maximized = false;
    try {
        if (const std::optional<Rect> normal = StoredPlacement(maximized)) {
            SetScreenBounds(*normal);
        } else {
            CenterOverMainForm(*this);
        }
    } catch (const std::exception&) {
    }
}

void TMainForm::RestorePlacement() {
    bool maximized = false;
    if (const std::optional<Rect> normal = StoredPlacement(maximized)) {
        WindowPlacement placement = GetPlacement();
        placement.normal = *normal;
        SetPlacement(placement);
    } else {
        CenterOverMainForm(*this);
    }
    if (maximized) SetWindowState(WindowState::Maximized);
    // The file then always holds the placement that was applied.
    SavePlacement();
}

}  // namespace pellino
