#pragma once

#include <memory>
#include <string>

#include "mainwindow/clickablegrid.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menus.h"
#include "platform/timer.h"
#include "runtime/datetime.h"

namespace pellino {

class TAlarmShow;
class TReminder;

// The main window: the toolbar with the clock panel at the top, the two reminder lists on the
// pages of a notebook with a tab strip under them, and the bar with "Minimize" and "E&xit" at the
// bottom. It owns the lists' records (through the grids' rows), the clock and the notification
// window. Its operations are spread over files by concern: layout here, the lists view in
// listsview.cpp, the data file in datafile.cpp, start-up and shutdown in startup.cpp, the clock and
// the sounds in schedule/.
class TMainForm : public Form {
public:
    // Lays out the window and runs FormCreate, as creating the window does.
    TMainForm();
    ~TMainForm() override;

    // ---- controls ----
    MainMenu MainMenu2;
    MenuItem File1{&MainMenu2.Items};
    MenuItem mnuSelectSoundFile{&File1};
    MenuItem mnuNoAlarmSound{&File1};
    MenuItem mnuUseTray{&File1};
    MenuItem ImportfromPellino1xFile1{&File1};
    MenuItem N1{&File1};
    MenuItem mnuExit{&File1};
    MenuItem Help1{&MainMenu2.Items};
    MenuItem mnuContents{&Help1};
    MenuItem N2{&Help1};
    MenuItem mnuAbout{&Help1};

    Panel Panel1{this};
    Button AddAlarmButton{&Panel1};
    Button EditAlarmButton{&Panel1};
    Button DeleteAlarmButton{&Panel1};
    Button CloneButton{&Panel1};
    Button AdjustTimeButton{&Panel1};
    Panel TimePanel{&Panel1};

    Panel Panel4{this};
    Button Minimizebutton{&Panel4};
    Button Exitbutton{&Panel4};

    TabSet TabSet_{this};
    Notebook Notebook_{this};
    NotebookPage RemindersPage{Notebook_, "Reminders"};
    NotebookPage RepeatRemindersPage{Notebook_, "Repeat Reminders"};
    TClickableStringGrid AlarmGrid{&RemindersPage};
    TClickableStringGrid RepeatingAlarmGrid{&RepeatRemindersPage};

    Timer Timer1;

    // ---- start-up and shutdown (startup.cpp) ----
    void FormCreate();
    void FormActivate();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormDestroy();
    // Creates the notification window, right after the main window (process start).
    void CreateNotificationWindow();
    TAlarmShow* AlarmShow() const { return alarmShow_.get(); }

    // ---- the settings file (startup.cpp) ----
    // Reads the default sound file, "No Reminder Sound" and "Minimize to System Tray".
    void LoadSettings();
    // Writes those three; raises EIniFileError "Unable to write to <path>" when a key is refused.
    void SaveSettings();
    // Writes the window's normal rectangle and whether it is maximised.
    void SavePlacement();
    // Applies the stored placement (or centres the window when none is stored), then saves it.
    void RestorePlacement();

    // ---- lists view (listsview.cpp) ----
    void AlarmGridGetCellFormat(TClickableStringGrid& sender, int col, int row,
                                const TGridDrawState& state, TFormatOptions& options);
    void RepeatingAlarmGridGetCellFormat(TClickableStringGrid& sender, int col, int row,
                                         const TGridDrawState& state, TFormatOptions& options);
    void AlarmGridGetHeaderCellFormat(TClickableStringGrid& sender, int col, int row,
                                      const TGridDrawState& state, TFormatOptions& options);
    void RepeatingAlarmGridGetHeaderCellFormat(TClickableStringGrid& sender, int col, int row,
                                               const TGridDrawState& state,
                                               TFormatOptions& options);
    void MoveGridRowToCorrectDateTimeSlot(int row, bool select);
    void SetButtons();
    void TabSetClick();
    void NotebookPageChanged();
    void FormResize();
    // The record of a data row of a list, or null.
    static TReminder* ReminderAt(const TClickableStringGrid& grid, int row);

    // ---- the data file (datafile.cpp) ----
    void SaveToDisk();
    void LoadFromDisk();
    void Reload();
    // The local date of the last load.
    TDateTime LoadDate() const { return loadDate_; }

    // ---- the clock, snooze and sounds (schedule/) ----
    void Timer1Timer();
    // Puts the time of day into the clock panel.
    void ShowTimeOfDay();
    void CheckNormalAlarms();
    void CheckRepeatAlarms();
    void AdjustForSnooze(int row, int minutes);
    void AdjustRepeatForSnooze(int row, int minutes);
    void PlaySoundNow(const std::string& path);
    void mnuSelectSoundFileClick();
    void mnuNoAlarmSoundClick();
    int TickCounter() const { return tickCounter_; }
    // True while changes that the clock made to the records are not yet in the data file.
    bool ClockChangesUnsaved() const { return clockChangesUnsaved_; }

    // ---- commands ----
    void MinimizebuttonClick();
    void mnuExitClick();

    // The default sound file, read from and written to the settings file.
    const std::string& DefaultSoundFile() const { return defaultSoundFile_; }
    void SetDefaultSoundFile(const std::string& path) { defaultSoundFile_ = path; }

private:
    void LayOut();
    // Each concern wires its own controls' events and settings.
    void SetUpLists();  // listsview.cpp
    // Fits the lists to their pages and keeps the clock panel and "E&xit" at the right edge.
    void PlaceListControls();  // listsview.cpp
    void SetUpStartup();       // startup.cpp
    // The first activation's minimised start (startup.cpp).
    void StartMinimized();
    void SetUpClock();  // schedule/clock.cpp
    // One due-check pass over a list (schedule/clock.cpp); true when it changed a record.
    bool CheckAlarms(TClickableStringGrid& grid, bool oneTime);
    // Writes the clock's changes to the data file (schedule/clock.cpp).
    void SaveClockChanges();
    // Moves the records in memory on to a new date, as a reload would (schedule/clock.cpp).
    void RefreshForNewDate();

    std::unique_ptr<TAlarmShow> alarmShow_;
    TDateTime loadDate_ = 0;
    // The last load did not read the whole data file: it is kept as the backup before the next
    // save writes over it (datafile.cpp).
    bool keepDataFileBeforeSave_ = false;
    int tickCounter_ = 0;
    bool clockChangesUnsaved_ = false;
    bool clockSaveFailureShown_ = false;
    bool firstActivation_ = false;
    std::string defaultSoundFile_;
};

}  // namespace pellino
