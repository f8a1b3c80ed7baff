// The reminder clock: the watch for a new date, and the due checks that notify each due reminder
// and apply the user's answer.
#include "schedule/reminderclock.h"

#include <algorithm>
#include <cassert>
#include <exception>
#include <iterator>
#include <utility>

#include "model/datafile.h"
#include "model/reminder.h"
#include "platform/application.h"
#include "platform/files.h"
#include "platform/stringgrid.h"
#include "schedule/alarmshow.h"
#include "schedule/missedreminders.h"

namespace pellino {

namespace {

// Due checks run on every fifth tick, about every five seconds.
constexpr int kTicksPerCheck = 5;
// In the first ten minutes of a new day the reminders of the day before that were still to come
// are notified; later they count as missed.
constexpr TDateTime kLateDayGrace = 10.0 / (24 * 60);
// How often a running clock writes its last look: after a crash, the next start lists at most
// these few minutes' worth of occurrences that were in fact notified.
constexpr TDateTime kKeepLastLookEvery = 5.0 / (24 * 60);

// Due in a pass for the reminders of `day`: Pending, of that day, and its moment has come. A pass
// for a day that is already over (the first tick of a new date, or a pass that a notification
// held open across midnight) finds every Pending reminder of that day due.
bool IsDue(const TReminder& reminder, TDateTime day, const ClockReading& clock) {
    if (reminder.Status != kStatusPending || reminder.DueDate() != day) return false;
    // A moment in the second pass of a repeated hour is not due while the clock is in the first.
    if (reminder.WaitsForLaterPass()) return false;
    return day < clock.today || (day == clock.today && clock.timeOfDay >= reminder.DueTime());
}

bool DataFileReadable() {
    return OpenFileExclusiveRead(DataFilePath()) != nullptr;
}

bool PlaysSound(const TReminder& reminder) {
    return reminder.NotifyMode == kNotifyMessageAndSound || reminder.NotifyMode == kNotifySoundOnly;
}

bool ShowsMessage(const TReminder& reminder) {
    return reminder.NotifyMode == kNotifyMessageAndSound ||
           reminder.NotifyMode == kNotifyMessageOnly;
}

}  // namespace

const TReminder* ReminderAt(const StringGrid& grid, int row) {
    if (row < 1 || row >= grid.RowCount()) return nullptr;
    return grid.ObjectOf<TReminder>(0, row);
}

TReminder* ReminderAt(StringGrid& grid, int row) {
    if (row < 1 || row >= grid.RowCount()) return nullptr;
    return grid.ObjectOf<TReminder>(0, row);
}

ReminderClock::ReminderClock(ClockHost& host) : host_(host) {
    try {
        memory_ = ReadClockMemory();
    } catch (const std::exception&) {
        // A program that cannot name its own folder has no settings to read: it starts as on its
        // first run, and lists nothing it cannot know of.
    }
    lastLookStored_ = memory_.lastLook.has_value();
    secondPassStored_ = MomentsText(memory_.secondPass);
}

void ReminderClock::Tick() {
    host_.ShowTimeOfDay();
    // What waits is delivered before the pass, never inside it: a command started from there
    // opens its dialog under a running clock like any other.
    Application::ProcessMessages();
    // A pass holds a notification window open from inside a tick. The ticks that come meanwhile
    // keep the clock panel going, but a second pass under the first would notify the same
    // reminder twice. Nor do they count as looks: what comes due meanwhile waits for the pass.
    if (inPass_ || Application::Terminated()) return;
    const ClockReading reading = ReadClock();
    const int loadsBefore = loads_;
    {
        inPass_ = true;
        const struct PassEnd {
            bool& inPass;
            ~PassEnd() { inPass = false; }
        } passEnd{inPass_};
        const TDateTime today = reading.today;
        if (today != host_.LoadDate()) {
            MoveToNewDate(today);
        } else if (++tickCounter_ >= kTicksPerCheck) {
            tickCounter_ = 0;
            CheckAlarmsOf(today);
        }
    }
    host_.RetryDataFile();
    // Everything up to the start of this tick has been looked at: the pending occurrences of the
    // day wait in their records, and a new date has just been looked at to its load's moment.
    // (The start of the tick, not its end: the next new date must still see what came due while
    // a notification held this tick.)
    const bool loaded = loads_ != loadsBefore;
    if (!loaded) memory_.lastLook = reading.now;
    if (!Application::Terminated()) {
        KeepLastLook(reading.now, std::exchange(keepLastLookNow_, false) || loaded);
    }
    // Boxes and windows that only tell come after the pass, so that the clock runs under them.
    ShowSaveFailure();
    host_.ShowDataFileWarnings();
    ShowMissedReminders();
}

void ReminderClock::MoveToNewDate(TDateTime today) {
    // The reminders of the day that has just ended come first: one due in its last seconds, or
    // one that fell due while a window held the clock across midnight, is notified before the
    // lists move on. After a longer gap (a sleep, the clock put forward) they are listed as
    // missed instead of notified one by one.
    const TDateTime endedDay = host_.LoadDate();
    if (today == endedDay + 1 && TimeOfDay() < kLateDayGrace) {
        CheckAlarmsOf(endedDay);
        if (Application::Terminated()) return;
    }
    // The reload reads the data file, so whatever the clock changed must be in it first. When the
    // file refuses the write, is held by another program so that it cannot be read, or has gone,
    // a reload would lose those changes or empty the lists: they then stay and only move on to
    // the new date. A file that has gone is written anew from them, so that the reminders are on
    // the disk again. A command at work under a dialog holds on to its reminder, so the records
    // must stay too.
    SaveClockChanges();
    const bool fileGone = !FileExists(DataFilePath());
    const bool inMemory =
        !heldReminders_.empty() || changesUnsaved_ || fileGone || !DataFileReadable();
    // A reload that cannot read the file whole leaves the lists as they were.
    if (inMemory || !host_.Reload()) {
        RefreshForNewDate();
        if (fileGone) changesUnsaved_ = true;
    }
    // Reminders listed as missed are marked so in the file.
    SaveClockChanges();
    host_.OneTimeList().Invalidate();
    host_.RepeatingList().Invalidate();
    // The lists read may hold more or fewer reminders than before.
    host_.ListsChanged();
}

void ReminderClock::CheckNow() {
    // The next tick makes a due check, whatever the count stood at; the new-date step comes
    // first when the date has moved. The moment is written at once: the machine may sleep or
    // the clock move again before the next few minutes are up.
    tickCounter_ = kTicksPerCheck - 1;
    keepLastLookNow_ = true;
    Tick();
}

void ReminderClock::CheckAlarmsOf(TDateTime day) {
    if (CheckAlarms(true, day)) changesUnsaved_ = true;
    SaveClockChanges();
    if (CheckAlarms(false, day)) changesUnsaved_ = true;
    SaveClockChanges();
}

void ReminderClock::CheckNormalAlarms() {
    if (CheckAlarms(true, Today())) changesUnsaved_ = true;
    SaveClockChanges();
}

void ReminderClock::CheckRepeatAlarms() {
    if (CheckAlarms(false, Today())) changesUnsaved_ = true;
    SaveClockChanges();
}

bool ReminderClock::CheckAlarms(bool oneTime, TDateTime day) {
    StringGrid& grid = oneTime ? host_.OneTimeList() : host_.RepeatingList();
    // Time passes within a pass only while a notification is up, so the clock is read at the
    // start and again after each notification; between them every row sees the same moment.
    ClockReading clock = ReadClock();
    // Most passes find nothing due: the index says so without a look at the rows.
    if (!(oneTime ? oneTimeDue_ : repeatingDue_).AnyDue(grid, day, clock.today, clock.timeOfDay)) {
        return false;
    }
    // The rows present at the start of the pass are tested once each, in the list's order. A
    // snoozed row moves, and the row that moves up into its place waits for the next pass.
    const int rows = grid.RowCount() - 1;
    bool removal = false;
    bool changed = false;
    for (int row = 1; row <= rows && !Application::Terminated(); ++row) {
        TReminder* reminder = ReminderAt(grid, row);
        // The reminder under a command's dialog waits for the command to end.
        if (!reminder || !IsDue(*reminder, day, clock) || IsHeld(*reminder)) continue;
        const bool heard = PlaysSound(*reminder) && host_.PlaySoundNow(reminder->SoundFile);
        int result = 0;
        // A reminder that was only to be heard is shown when its sound cannot play (muted, its
        // file gone, no sound device): otherwise it would pass with nobody told.
        if (ShowsMessage(*reminder) || (reminder->NotifyMode == kNotifySoundOnly && !heard)) {
            result = host_.ShowNotification(*reminder, oneTime);
            clock = ReadClock();
            // The program was closed while the window was up, and the window answered with the
            // close command's code. Nobody chose anything: this reminder and the rest of the
            // pass stay as they are, to be notified at the next start.
            if (Application::Terminated()) break;
        }
        if (result < 0) {
            if (oneTime) {
                AdjustForSnooze(row, -result);
            } else {
                AdjustRepeatForSnooze(row, -result);
            }
            changed = true;
            // At once: the program may be closed under the next notification of this pass.
            changesUnsaved_ = true;
        } else if (result == 0 || result == kAlarmOk) {
            if (oneTime) {
                reminder->Status = kStatusDone;
                reminder->RefreshStatus();
            } else {
                reminder->DueDateTime = 0;
                reminder->ScheduleNext();
            }
            grid.Invalidate();
            changed = true;
            changesUnsaved_ = true;
        } else if (result == kAlarmDelete) {
            // Rows go only after the pass, so the row numbers of the pass stay valid.
            reminder->Status = kStatusRemove;
            removal = true;
            changed = true;
            changesUnsaved_ = true;
        }
    }
    if (removal) {
        grid.DeleteRowsOf<TReminder>(
            [](const TReminder& reminder) { return reminder.Status == kStatusRemove; });
        grid.Invalidate();
        // The list may be empty now; Edit, Delete, Clone and Adjust must not stay enabled.
        host_.ListsChanged();
    }
    return changed;
}

void ReminderClock::RefreshForNewDate() {
    // What a reload does to each record read, done to the records in memory.
    const ClockReading clock = ReadClock();
    host_.SetLoadDate(clock.today);
    const ClockMemory memory = MemoryForLoad(clock.now);
    const auto refresh = [&](StringGrid& grid, bool repeating) {
        for (int row = 1; row < grid.RowCount(); ++row) {
            TReminder* reminder = ReminderAt(grid, row);
            if (!reminder) continue;
            const ReminderState before = RefreshForToday(*reminder, repeating, clock, memory);
            NoteIfMissed(*reminder, repeating, before, clock.now);
        }
    };
    refresh(host_.OneTimeList(), false);
    refresh(host_.RepeatingList(), true);
}

ReminderClock::Hold::Hold(ReminderClock& clock, const TReminder* reminder) : clock_(clock) {
    clock_.heldReminders_.push_back(reminder);
}

ReminderClock::Hold::~Hold() {
    assert(!clock_.heldReminders_.empty() && "every hold ends once");
    clock_.heldReminders_.pop_back();
}

bool ReminderClock::IsHeld(const TReminder& reminder) const {
    return std::find(heldReminders_.begin(), heldReminders_.end(), &reminder) !=
           heldReminders_.end();
}

void ReminderClock::NoteIfMissed(const TReminder& reminder, bool repeating,
                                 const ReminderState& before, TDateTime now) {
    // Written at once, so that the next start does not list it again.
    if (pellino::NoteIfMissed(missed_, reminder, repeating, before, now)) changesUnsaved_ = true;
}

void ReminderClock::AddMissed(std::vector<MissedReminder> found) {
    missed_.insert(missed_.end(), std::make_move_iterator(found.begin()),
                   std::make_move_iterator(found.end()));
}

void ReminderClock::ShowMissedReminders() {
    // One window at a time: reminders found missed while it is up come in the next one.
    if (showingMissed_ || missed_.empty() || Application::Terminated()) return;
    showingMissed_ = true;
    const struct ShowingEnd {
        bool& showing;
        ~ShowingEnd() { showing = false; }
    } showingEnd{showingMissed_};
    while (!missed_.empty() && !Application::Terminated()) {
        std::vector<MissedReminder> shown = std::move(missed_);
        missed_.clear();
        SortMissed(shown);
        host_.RunDialog([&] {
            TMissedReminders window(shown);
            window.ShowModal();
        });
    }
}

void ReminderClock::DataFileSaved() {
    changesUnsaved_ = false;
    saveFailureShown_ = false;
    // The file holds the lists as they are now: every occurrence up to now is either settled in
    // it or waits there as a record's pending moment. A reminder added or changed by this write
    // is never listed for a time before it. With no repeating reminder left the moment is
    // dropped, so that one that comes later is not judged by it; only a write can tell that the
    // file holds none (a file that could not be read leaves the lists empty too).
    if (host_.RepeatingList().RowCount() > 1) {
        KeepLastLook(ReadClock().now, true);
    } else if (lastLookStored_) {
        try {
            WriteLastLook(std::nullopt);
            lastLookStored_ = false;
        } catch (const std::exception&) {
            // As below: the next write of the data file tries again.
        }
    }
    KeepSecondPassMoments();
}

ClockMemory ReminderClock::MemoryForLoad(TDateTime now) {
    ClockMemory memory = memory_;
    memory_.lastLook = now;
    ++loads_;
    return memory;
}

void ReminderClock::KeepLastLook() {
    KeepLastLook(ReadClock().now, true);
}

void ReminderClock::KeepLastLook(TDateTime now, bool force) {
    if (host_.RepeatingList().RowCount() <= 1) return;
    const bool due = force || !lastLookKeptAt_ || now < *lastLookKeptAt_ ||
                     now >= *lastLookKeptAt_ + kKeepLastLookEvery;
    if (!due) return;
    lastLookKeptAt_ = now;
    try {
        WriteLastLook(now);
        lastLookStored_ = true;
    } catch (const std::exception&) {
        // A settings file that refuses keys is told at the close, when the window's place is
        // saved; told every few minutes it would only nag. The next start then judges by an
        // older moment.
    }
}

void ReminderClock::KeepSecondPassMoments() {
    std::vector<TDateTime> moments;
    for (StringGrid* grid : {&host_.OneTimeList(), &host_.RepeatingList()}) {
        for (int row = 1; row < grid->RowCount(); ++row) {
            const TReminder* reminder = ReminderAt(*grid, row);
            if (reminder && reminder->WaitsForLaterPass()) moments.push_back(reminder->DueDateTime);
        }
    }
    const std::string text = MomentsText(moments);
    memory_.secondPass = std::move(moments);
    if (text == secondPassStored_) return;
    try {
        WriteSecondPass(memory_.secondPass);
        secondPassStored_ = text;
    } catch (const std::exception&) {
        // As for the last look: the next write of the data file tries again.
    }
}

void ReminderClock::CommandSaveFailed() {
    changesUnsaved_ = true;
    saveFailureShown_ = true;
}

void ReminderClock::SaveClockChanges() {
    // Acknowledgements, snoozes and removals go to the data file at once: the reload at a new
    // date reads the file, and so does the next start after a crash or a power cut.
    // Once the program is ending, its close has written the lists.
    if (!changesUnsaved_ || Application::Terminated()) return;
    try {
        host_.SaveToDisk();
    } catch (const std::exception&) {
        // The clock goes on and the next pass writes again. A disk that stays unwritable is
        // reported once, not every five seconds, and after the pass, so that the clock runs on
        // under the message.
        if (!saveFailureShown_) {
            saveFailureShown_ = true;
            saveFailure_ = std::current_exception();
        }
    }
}

void ReminderClock::ShowSaveFailure() {
    if (!saveFailure_) return;
    const std::exception_ptr failure = std::exchange(saveFailure_, nullptr);
    host_.RunDialog([&] {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& error) {
            Application::ShowException(error);
        }
    });
}

}  // namespace pellino
