#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/datetime.h"
#include "schedule/clockmemory.h"
#include "schedule/dueindex.h"
#include "schedule/missedreminders.h"

namespace pellino {

class StringGrid;
class TReminder;

// The record of a data row of a list, or null. Through a list that may be changed the record may
// be changed too, and the list counts that as a change of its contents.
const TReminder* ReminderAt(const StringGrid& grid, int row);
TReminder* ReminderAt(StringGrid& grid, int row);

// What the reminder clock needs of the window that owns it: the two lists it watches, and what
// only the window can do for them and for the user.
class ClockHost {
public:
    // The one-time and the repeating list: row 0 is the header, and every row below holds its
    // reminder in its first cell.
    virtual StringGrid& OneTimeList() = 0;
    virtual StringGrid& RepeatingList() = 0;
    // Moves a one-time row whose due moment has changed to its place in due order; the selection
    // stays on the row it was on.
    virtual void PlaceInDueOrder(int row) = 0;
    // The lists may hold fewer or more reminders than before.
    virtual void ListsChanged() = 0;

    // The date the lists' statuses are of: that of the last load, or of the last move to a new
    // date in memory.
    virtual TDateTime LoadDate() const = 0;
    virtual void SetLoadDate(TDateTime day) = 0;
    // Fills the lists anew from the data file, for today, and returns true; raises nothing. When
    // the file cannot be read whole the lists stay as they were, the user is told, and it returns
    // false: the clock then moves the lists on to the new date in memory.
    virtual bool Reload() = 0;
    // Writes both lists to the data file, or raises the write's error. Every write that succeeds,
    // whoever asked for it, is told to the clock (ReminderClock::DataFileSaved). While the data
    // file waits to be read (another program holds it), nothing is written over it: the changes
    // stay unsaved, and the clock tries again.
    virtual void SaveToDisk() = 0;
    // Tries again, every few seconds, to read a data file that another program held when the
    // lists were loaded, and adds its reminders to the lists. Called between passes, never
    // inside one.
    virtual void RetryDataFile() = 0;

    // Puts the time of day into the clock panel.
    virtual void ShowTimeOfDay() = 0;
    // Plays a reminder's sound, unless the user has switched the sounds off. True when it plays:
    // false when the sounds are off or the file cannot be played.
    virtual bool PlaySoundNow(const std::string& path) = 0;
    // Shows the reminder's message in the notification window, with "Delete" for a one-time
    // reminder only, and returns the answer: kAlarmOk or 0 (the window closed) to acknowledge,
    // kAlarmDelete, or the negative of a snooze's minutes.
    virtual int ShowNotification(const TReminder& reminder, bool oneTime) = 0;
    // Runs a window or box that only tells the user something, as a command that works on no
    // reminder: the clock runs on under it.
    virtual void RunDialog(const std::function<void()>& dialog) = 0;
    // Tells the user, once, of a data file that a load could read only in part.
    virtual void ShowDataFileWarnings() = 0;

protected:
    ~ClockHost() = default;
};

// The reminder clock: on each one-second tick it shows the time, and every fifth tick it notifies
// each due reminder of the two lists and applies the user's answer; at a new date it moves the
// lists on to it. Whatever it changes goes to the data file at once, and a failed write is tried
// again at every pass. It notes the reminders whose moment went by unnotified and lists them once.
// A command at work under a dialog holds the record it works on, and the clock leaves that record
// alone until the command ends.
class ReminderClock {
public:
    // Not owned: the window that owns this clock. Reads what the clock kept at its last run.
    explicit ReminderClock(ClockHost& host);
    ReminderClock(const ReminderClock&) = delete;
    ReminderClock& operator=(const ReminderClock&) = delete;

    // The one-second tick.
    void Tick();
    // A due check at once, for a wake from sleep or a change of the clock; the new-date step
    // comes first when the date has moved.
    void CheckNow();
    // A due check of one list for today's reminders, then the write of its changes.
    void CheckNormalAlarms();
    void CheckRepeatAlarms();
    // The ticks counted towards the next due check.
    int TickCounter() const { return tickCounter_; }

    // Holds a command's reminder (or none, for a command that works on no reminder) for the life
    // of the scope. The clock does not notify, change or remove a held record, and reads no list
    // anew from the file while any command runs. Commands run one inside another, so holds end in
    // the reverse order of their start.
    class Hold {
    public:
        Hold(ReminderClock& clock, const TReminder* reminder);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ReminderClock& clock_;
    };
    // True while a running command works on this reminder.
    bool IsHeld(const TReminder& reminder) const;

    // What the clock kept across stops and knows since, for a load of the lists that is about
    // to judge each record at `now`: from then on the clock counts everything up to `now` as
    // looked at.
    ClockMemory MemoryForLoad(TDateTime now);
    // What the clock knows now, for a read that may not take the lists' place.
    const ClockMemory& Memory() const { return memory_; }
    // Writes the present moment as the clock's last look, for the next start: at the close and
    // at the end of the session.
    void KeepLastLook();

    // The reminders noted as missed and not yet shown.
    const std::vector<MissedReminder>& MissedWaiting() const { return missed_; }
    // Adds the reminders a load found missed, to be listed after the next pass.
    void AddMissed(std::vector<MissedReminder> found);

    // True while changes to the lists (of the clock, of a load, or of a command whose write
    // failed) are not yet in the data file; the clock writes them at its next pass.
    bool ChangesUnsaved() const { return changesUnsaved_; }
    void NoteUnsavedChanges() { changesUnsaved_ = true; }
    // The data file now holds what the lists hold. A later failure of the clock's writes is
    // reported again.
    void DataFileSaved();
    // A command's write failed and the command has told the user so: the clock writes the change
    // at its next pass, and its retries stay silent until one succeeds.
    void CommandSaveFailed();

private:
    // The new-date step: the lists move on to the date the clock now shows.
    void MoveToNewDate(TDateTime today);
    // Moves the records in memory on to a new date, as a reload would.
    void RefreshForNewDate();
    // Both lists' due checks for the reminders of `day`, each followed by the write of its
    // changes.
    void CheckAlarmsOf(TDateTime day);
    // One due-check pass over a list for the reminders of `day`; true when it changed a record.
    bool CheckAlarms(bool oneTime, TDateTime day);
    // The answers that put a reminder off (snooze.cpp).
    void AdjustForSnooze(int row, int minutes);
    void AdjustRepeatForSnooze(int row, int minutes);
    // Notes a reminder whose moment went by without a notification, when a status rule has just
    // taken it from `before` to what it is now.
    void NoteIfMissed(const TReminder& reminder, bool repeating, const ReminderState& before,
                      TDateTime now);
    // Shows the reminders noted as missed, once, in "Missed Reminders".
    void ShowMissedReminders();
    // Writes the clock's changes to the data file.
    void SaveClockChanges();
    // Shows the clock's first failed write, once the pass is over.
    void ShowSaveFailure();
    // Writes the last look when it is due: at the first tick, every few minutes, or `now` when
    // asked (`force`). Only while there are repeating reminders, the only ones it serves: a
    // settings file is not written for nothing.
    void KeepLastLook(TDateTime now, bool force);
    // Writes the moments that wait for the second pass of a repeated hour, when they changed.
    void KeepSecondPassMoments();

    ClockHost& host_;
    int tickCounter_ = 0;
    // True while a due-check pass or the new-date step runs; ticks under a notification window
    // then only keep the clock panel going.
    bool inPass_ = false;
    // What the due checks know of each list without looking at its rows.
    DueIndex oneTimeDue_;
    DueIndex repeatingDue_;
    // The commands running, one inside another, and the reminders they work on (null for none).
    std::vector<const TReminder*> heldReminders_;  // not owned
    // Reminders whose moment went by without a notification, waiting to be listed.
    std::vector<MissedReminder> missed_;
    bool showingMissed_ = false;
    bool changesUnsaved_ = false;
    bool saveFailureShown_ = false;
    // The clock's failed write waiting to be shown after its pass.
    std::exception_ptr saveFailure_;
    // What the clock kept across stops; its last look moves on with every tick and load.
    ClockMemory memory_;
    // Loads of the lists since construction, to tell a tick that loaded them.
    int loads_ = 0;
    // When the last look was last written (or tried), and whether the settings file holds one.
    std::optional<TDateTime> lastLookKeptAt_;
    bool lastLookStored_ = false;
    // The next tick writes the last look whatever its timing (a wake, a change of the clock).
    bool keepLastLookNow_ = false;
    // The second-pass moments as the settings file holds them.
    std::string secondPassStored_;
};

}  // namespace pellino
