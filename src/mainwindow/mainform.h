#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/clickablegrid.h"
#include "platform/contexthelp.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menus.h"
#include "platform/timer.h"
#include "platform/trayicon.h"
#include "runtime/datetime.h"
#include "schedule/missedreminders.h"
#include "schedule/reminderclock.h"
#include "schedule/trayhint.h"

namespace pellino {

class TAlarmShow;
class TReminder;

// The main window: the toolbar with the clock panel at the top, the two reminder lists on the
// pages of a notebook with a tab strip under them, and the bar with "Minimize" and "E&xit" at the
// bottom. It owns the lists' records (through the grids' rows), the reminder clock and the
// notification window. Its operations are spread over files by concern: layout here, the lists
// view in listsview.cpp, the data file in datafile.cpp, start-up and shutdown in startup.cpp, what
// the clock asks of the window in clockhost.cpp; the clock's own rules are in
// schedule/reminderclock.cpp.
class TMainForm : public Form, private ClockHost {
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
    MenuItem mnuStartWithWindows{&File1};  // startwithwindows.cpp
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

    // The icon in the notification area and its menu (tray.cpp).
    TrayIcon TrayIcon_;
    PopupMenu TrayMenu;
    MenuItem mnuShowPellino{&TrayMenu.Items};
    MenuItem Exit1{&TrayMenu.Items};
    // The icon's hint, the reminder due next, kept up to date while the icon is shown.
    TrayHint TrayHint_{TrayIcon_, AlarmGrid, RepeatingAlarmGrid};

    // Dropped down by "Adjust Time +-": each item shifts the selected one-time reminder by its
    // Tag in minutes.
    PopupMenu AdjustItemTimeMenu;
    MenuItem Add1Minute{&AdjustItemTimeMenu.Items};
    MenuItem Add5Minutes{&AdjustItemTimeMenu.Items};
    MenuItem Add20Minutes{&AdjustItemTimeMenu.Items};
    MenuItem Add1Hour{&AdjustItemTimeMenu.Items};
    MenuItem N2Hours1{&AdjustItemTimeMenu.Items};
    MenuItem N6Hours1{&AdjustItemTimeMenu.Items};
    MenuItem N12Hours1{&AdjustItemTimeMenu.Items};
    MenuItem Add1Day{&AdjustItemTimeMenu.Items};
    MenuItem Add1Week{&AdjustItemTimeMenu.Items};
    MenuItem N3{&AdjustItemTimeMenu.Items};
    MenuItem Less1Minute{&AdjustItemTimeMenu.Items};
    MenuItem Less5Minutes{&AdjustItemTimeMenu.Items};
    MenuItem Less20Minutes{&AdjustItemTimeMenu.Items};
    MenuItem Less1Hour{&AdjustItemTimeMenu.Items};
    MenuItem N2Hours2{&AdjustItemTimeMenu.Items};
    MenuItem N6Hours2{&AdjustItemTimeMenu.Items};
    MenuItem N12Hours2{&AdjustItemTimeMenu.Items};
    MenuItem LessOneDay{&AdjustItemTimeMenu.Items};
    MenuItem LessOneWeek{&AdjustItemTimeMenu.Items};

    // The short texts on the window's controls and the pop-up menu "What's this?" (whatsthis.cpp).
    ContextHelp WhatsThis{*this};

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
    // Puts the window, before it is first shown, where RestorePlacement will put it, so that it
    // shows there at once. Reads only; a settings file that cannot be read is left to
    // RestorePlacement to report.
    void PlaceAsStored();
    // The normal rectangle (screen pixels) the stored placement gives on today's monitors, or
    // none when nothing usable is stored; `maximized` receives whether the window is to be
    // maximised.
    std::optional<Rect> StoredPlacement(bool& maximized) const;

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
    // Adds a row for the record to the one-time list, places it in due order and selects it.
    void AppendOneTimeReminder(std::unique_ptr<TReminder> reminder);
    void SetButtons();
    // Widens "When" and "Next Reminder" to the longest texts they can show in the formats in
    // force, at the screen's resolution; the message columns give up that width.
    void FitDueColumns();
    void TabSetClick();
    void NotebookPageChanged();
    void FormResize();
    // The record of a data row of a list, or null. Through a list that may be changed the record
    // may be changed too, and the list counts that as a change of its contents.
    static const TReminder* ReminderAt(const TClickableStringGrid& grid, int row);
    static TReminder* ReminderAt(TClickableStringGrid& grid, int row);
    // The row that holds the record, or 0 when no row of the list holds it.
    static int RowOf(const TClickableStringGrid& grid, const TReminder* reminder);

    // ---- the data file (datafile.cpp) ----
    void SaveToDisk() override;
    // SaveToDisk for a command that changed a list. When the write fails the error is raised for
    // the command to show, and the change is left for the clock to write again (datafile.cpp).
    void SaveChanges();
    // Fills both lists from the data file. A file that another program holds is not read: the
    // lists stay empty, it is tried again from the clock (RetryDataFile), and nothing is written
    // over it until then; an EFOpenError "Cannot open file <path>" is raised.
    void LoadFromDisk();
    bool Reload() override;
    void RetryDataFile() override;
    // Reads a data file that waits to be read, now, and adds its reminders to the lists; true
    // when it no longer waits.
    bool ReadWaitingDataFile();
    // Adds the reminders of a file of unsaved changes left by an earlier session to the lists;
    // its version of a reminder counts over the data file's. It is removed once the lists are
    // saved.
    void MergeUnsavedChangesFile();
    // Writes the lists beside the data file, as the file of unsaved changes that the next start
    // reads; raises the write's error.
    void KeepUnsavedChanges();
    // Keeps a data file that could not be read whole as a backup, and words what the user is
    // told of it: `readText` says what became of the reminders read.
    void KeepDamagedFile(const std::string& readText);
    // Tells the user, once, of a data file that was read only in part.
    void ShowDataFileWarnings() override;
    // The local date of the last load, or of the clock's last move to a new date in memory.
    TDateTime LoadDate() const override { return loadDate_; }
    // True while the lists do not hold what the data file holds, because it could not be opened.
    bool DataFileUnread() const { return dataFileUnread_; }

    // ---- the clock (clockhost.cpp) and the sounds (sound.cpp) ----
    // Each tick of Timer1 is a tick of the reminder clock.
    void Timer1Timer();
    // The platform's word that the machine woke up, the clock or zone changed, or the session
    // ends.
    void FormSystemEvent(SystemEvent event);
    // The session ends: changes not on the disk yet go to the data file, or, when it refuses
    // them, to the file of unsaved changes beside it.
    void EndSession();
    // The reminders noted as missed and not yet shown.
    const std::vector<MissedReminder>& MissedWaiting() const { return clock_.MissedWaiting(); }
    // Puts the time of day into the clock panel.
    void ShowTimeOfDay() override;
    void CheckNormalAlarms();
    void CheckRepeatAlarms();
    // The click of every item of AdjustItemTimeMenu; the item's Tag gives the minutes
    // (adjusttime.cpp).
    void AdjustTime(MenuItem& sender);
    // True when the reminder's own sound plays: not with "No Reminder Sound", nor for a file the
    // player cannot play.
    bool PlaySoundNow(const std::string& path) override;
    void mnuSelectSoundFileClick();
    void mnuNoAlarmSoundClick();
    int TickCounter() const { return clock_.TickCounter(); }
    // True while changes to the lists (of the clock, of a load, or of a command whose write
    // failed) are not yet in the data file; the clock writes them at its next pass.
    bool ChangesUnsaved() const { return clock_.ChangesUnsaved(); }

    // ---- the editors' commands (editcommands.cpp) ----
    void AddAlarmButtonClick();
    void EditAlarmButtonClick();
    void AlarmGridDblClick();
    void RepeatingAlarmGridDblClick();
    void AlarmGridKeyPress(char& key);
    // Opens the one-time editor for a new reminder; on Save adds it in its place and writes.
    void AddNormal();
    // Opens the one-time editor on the selected reminder; on Save changes it in place, re-sorts
    // it and writes. Nothing happens while the list is empty.
    void EditNormal();
    // The same for the repeating list: a new reminder becomes the last row; an edited one gets a
    // new record built from the dialog, in the same row.
    void AddRepeating();
    void EditRepeating();

    // ---- commands (commands.cpp) ----
    void DeleteAlarmButtonClick();
    void CloneButtonClick();
    void AlarmGridKeyDown(int& key, ShiftState shift);
    void MinimizebuttonClick();
    void mnuExitClick();
    void mnuUseTrayClick();
    void mnuContentsClick();
    void mnuAboutClick();
    // ---- the tray icon and a second start (tray.cpp) ----
    // Posted by the main window to itself at a minimised start in the tray.
    static constexpr unsigned kTrayStartMessage = 1067;
    void TrayIconAppMinimize();
    void TrayIconAppRestore();
    // Puts the icon into the notification area with its hint.
    void ShowTrayIcon();
    void mnuShowPellinoClick();
    void Exit1Click();
    void TrayStartMessage();
    // A second copy of the program was started: this one restores itself and comes to the front.
    void ComeForward();
    // ---- File > "Start with Windows" (startwithwindows.cpp) ----
    void mnuStartWithWindowsClick();
    // Checks the item when the user's log-on starts this copy of the program, as the system says.
    void ShowStartWithWindows();
    // ---- the first version's file (import.cpp) ----
    void ImportfromPellino1xFile1Click();
    // Adds the future one-time reminders of an "ALARMS.DAT" to the one-time list, each in its
    // place in due order, and writes the data file. Raises EInOutError "I/O error <code>" when
    // the file cannot be read.
    void LoadFromDiskOldStyle(const std::string& path);
    // Adds reminders to the one-time list where placing each in turn would put them, and selects
    // the one added last.
    void AddImportedReminders(std::vector<std::unique_ptr<TReminder>> reminders);
    // The grid of the page shown: the one-time list on page 0, the repeating list on page 1.
    TClickableStringGrid& ShownGrid();

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
    void SetUpClock();         // clockhost.cpp
    void SetUpCommands();      // commands.cpp
    void SetUpEditCommands();  // editcommands.cpp
    void SetUpTray();          // tray.cpp
    void SetUpWhatsThis();     // whatsthis.cpp
    // The File menu's "Start with Windows" (startwithwindows.cpp).
    void SetUpStartWithWindows();
    // The sound file a new reminder starts with: the default one, unless sounds are off or it
    // has gone (editcommands.cpp).
    std::string SoundForNewReminder() const;
    // Runs a command that may open dialogs. The clock keeps running under them, but leaves the
    // reminder the command works on (if any) alone until the command ends: it is not notified,
    // changed or removed meanwhile, and the lists are not read anew from the file. Rows may move
    // under the dialogs, so the command finds its reminder's row again by the record (RowOf).
    void RunCommand(const TReminder* held, const std::function<void()>& command);
    // Switches the clock on again if the platform refused its timer before.
    void KeepClockRunning();

    // ---- what the reminder clock asks of the window (clockhost.cpp) ----
    StringGrid& OneTimeList() override { return AlarmGrid; }
    StringGrid& RepeatingList() override { return RepeatingAlarmGrid; }
    void PlaceInDueOrder(int row) override;
    void ListsChanged() override;
    void SetLoadDate(TDateTime day) override { loadDate_ = day; }
    int ShowNotification(const TReminder& reminder, bool oneTime) override;
    void RunDialog(const std::function<void()>& dialog) override;

    std::unique_ptr<TAlarmShow> alarmShow_;
    TDateTime loadDate_ = 0;
    // The last load did not read the whole data file: it is kept as the backup before the next
    // save writes over it (datafile.cpp).
    bool keepDataFileBeforeSave_ = false;
    // What the user is to be told of a data file read only in part, and of a file of unsaved
    // changes read only in part; empty when nothing.
    std::string damagedFileMessage_;
    std::string unsavedFileMessage_;
    // The data file was there but could not be opened at the last load (another program held
    // it), so the lists do not show what it holds (datafile.cpp).
    bool dataFileUnread_ = false;
    // Since when, and the platform's reason at the last try; when it was last tried; whether the
    // user has been told that it stays unread.
    TDateTime unreadSince_ = 0;
    TDateTime lastReadTry_ = 0;
    int unreadError_ = 0;
    bool unreadTold_ = false;
    // What the clock knew when the file was found held, by which its records are judged once
    // they can be read.
    ClockMemory unreadMemory_;
    // The lists hold what the file of unsaved changes holds: it goes with the next save.
    bool unsavedChangesFileMerged_ = false;
    // A file of unsaved changes that could not be read whole is left where it is.
    bool keepUnsavedChangesFile_ = false;
    bool firstActivation_ = false;
    std::string defaultSoundFile_;
    unsigned comeForwardMessage_ = 0;

    // The reminder clock: the due checks, the new-date step, the reminders held by commands, the
    // reminders missed and the changes waiting for the data file.
    ReminderClock clock_{*this};
};

}  // namespace pellino
