// The reminder data file: writing both lists to it and filling them from it.
#include "model/datafile.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "mainwindow/mainform.h"
#include "model/merge.h"
#include "model/reminder.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "runtime/errors.h"

namespace pellino {

namespace {

constexpr std::int32_t kHeaderInteger = 666;
constexpr double kHeaderFloat = 2.0;
// A data file that another program holds is tried again this often, and the user is told when it
// stays held this long: a sync client or a virus scanner lets go within seconds.
constexpr TDateTime kReadRetryPause = 3.0 / (24 * 60 * 60);
constexpr TDateTime kReadWaitBeforeTelling = 30.0 / (24 * 60 * 60);

// A record read from a file, in the holder its list row will own, with the moment it went by
// unnotified when it did.
struct ReadRecord {
    std::unique_ptr<GridObject> holder;
    TReminder* record = nullptr;  // in the holder
    std::optional<MissedReminder> missed;
};
using ReadList = std::vector<ReadRecord>;

std::vector<const TReminder*> recordsOf(const ReadList& list) {
    std::vector<const TReminder*> records;
    records.reserve(list.size());
    for (const ReadRecord& r : list) records.push_back(r.record);
    return records;
}

// One-time reminders in due order; of those due together, the earlier in the list first. A due
// value that is no number goes last.
TDateTime dueKey(const TReminder& r) {
    return std::isnan(r.DueDateTime) ? HUGE_VAL : r.DueDateTime;
}

// Keeps each record read in the holder its list row will own and gives it the statuses of the
// load's day as soon as its values are in, so that a file that breaks off still leaves every
// record read so far in working order. A record cut short is not kept. A reminder whose moment
// went by while the program was not running is noted as missed. Every record is judged by the
// same reading of the clock.
class GridSink final : public DataFileSink {
public:
    GridSink(const ClockReading& clock, ClockMemory memory)
        : clock_(clock), memory_(std::move(memory)) {}

    TReminder& BeginRecord(bool repeating) override {
        auto holder = std::make_unique<GridValue<TReminder>>(TReminder{});
        TReminder& record = *holder->Get();
        (repeating ? repeating_ : oneTime_).push_back({std::move(holder), &record, std::nullopt});
        return record;
    }

    void EndRecord(bool repeating, TReminder& record, bool allValuesRead) override {
        ReadList& list = repeating ? repeating_ : oneTime_;
        if (!allValuesRead) {
            list.pop_back();
            return;
        }
        // A repeating reminder's occurrence that came due only minutes ago is still notified, as
        // a one-time reminder is.
        const ReminderState before = RefreshForToday(record, repeating, clock_, memory_);
        std::vector<MissedReminder> missed;
        if (NoteIfMissed(missed, record, repeating, before, clock_.now)) {
            list.back().missed = std::move(missed.front());
        }
    }

    ReadList& List(bool repeating) { return repeating ? repeating_ : oneTime_; }
    int Count() const { return static_cast<int>(oneTime_.size() + repeating_.size()); }

    // Puts the records of a newer version of the lists in front: its records count, and of these
    // only those it lacks are kept. The one-time list stays in due order.
    void Underlay(GridSink& newer) {
        for (const bool repeating : {false, true}) {
            ReadList& theirs = List(repeating);
            ReadList ours = std::move(newer.List(repeating));
            newer.List(repeating).clear();
            const std::vector<std::size_t> partner =
                MergeReminders(recordsOf(ours), recordsOf(theirs), repeating);
            for (std::size_t i = 0; i < theirs.size(); ++i) {
                if (partner[i] == kNotInOurs) ours.push_back(std::move(theirs[i]));
            }
            if (!repeating) {
                std::stable_sort(ours.begin(), ours.end(), [](const auto& a, const auto& b) {
                    return dueKey(*a.record) < dueKey(*b.record);
                });
            }
            theirs = std::move(ours);
        }
    }

    // The moments missed of the records kept, in list order.
    std::vector<MissedReminder> TakeMissed() {
        std::vector<MissedReminder> missed;
        for (ReadList* list : {&oneTime_, &repeating_}) {
            for (ReadRecord& r : *list) {
                if (r.missed) missed.push_back(std::move(*r.missed));
                r.missed.reset();
            }
        }
        return missed;
    }

    // Gives the lists the rows of the records read so far.
    void AddRows(TClickableStringGrid& oneTime, TClickableStringGrid& repeating) {
        oneTime.AddRows(TakeHolders(oneTime_));
        repeating.AddRows(TakeHolders(repeating_));
    }

    static std::vector<std::unique_ptr<GridObject>> TakeHolders(ReadList& list) {
        std::vector<std::unique_ptr<GridObject>> holders;
        holders.reserve(list.size());
        for (ReadRecord& r : list) holders.push_back(std::move(r.holder));
        list.clear();
        return holders;
    }

private:
    const ClockReading clock_;
    // What the clock knew before this load: its last look and the second-pass moments.
    const ClockMemory memory_;
    ReadList oneTime_;
    ReadList repeating_;
};

// What reading a file of the program's found.
enum class FileRead : std::uint8_t {
    Missing,  // there is no such file: nothing to wait for
    Held,     // it is there, but another program holds it (or the system refuses it)
    Damaged,  // read in part
    Whole,
};

FileRead readRecords(const std::string& path, GridSink& sink, int& error) {
    const std::unique_ptr<Stream> file = OpenFileExclusiveRead(path, error);
    if (!file) {
        const bool missing = error == fileerror::kNotFound || error == fileerror::kPathNotFound;
        return missing ? FileRead::Missing : FileRead::Held;
    }
    return readDataFile(*file, sink).complete() ? FileRead::Whole : FileRead::Damaged;
}

void writeRows(TWriter& writer, const TClickableStringGrid& grid) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        // A row the clock marked for removal is gone for the user already; it is written only
        // when the program is closed in the middle of a due-check pass, and then it must not
        // come back.
        const TReminder* reminder = TMainForm::ReminderAt(grid, row);
        if (reminder && reminder->Status != kStatusRemove) reminder->SaveToWriter(writer);
    }
}

void emptyList(TClickableStringGrid& grid) {
    grid.FreeRowObjects();
    grid.SetRowCount(1);
}

// After a reload the selection stays on the row it was on: the file holds the lists in their
// order, so that is the reminder the user had selected.
void selectRow(TClickableStringGrid& grid, int row) {
    if (grid.RowCount() > 1) grid.SetRowQuietly(row);
}

// Adds the records of `theirs` that the list lacks, keeping the list's own version of a reminder
// that both hold; the selection stays on its record. Records stay where they are in memory, so a
// command at work on one keeps it. Returns the records added.
std::vector<ReadRecord> addMissingRows(TClickableStringGrid& grid, ReadList& theirs,
                                       bool repeating) {
    std::vector<const TReminder*> ours;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (const TReminder* r = TMainForm::ReminderAt(std::as_const(grid), row)) ours.push_back(r);
    }
    const std::vector<std::size_t> partner = MergeReminders(ours, recordsOf(theirs), repeating);
    ReadList added;
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        if (partner[i] == kNotInOurs) added.push_back(std::move(theirs[i]));
    }
    theirs.clear();
    if (added.empty()) return added;

    const TClickableStringGrid::UpdateScope update(grid);
    const bool wasEmpty = grid.RowCount() <= 1;
    const TReminder* selected =
        wasEmpty ? nullptr : TMainForm::ReminderAt(std::as_const(grid), grid.Row());
    // The added records' missed moments go back to the caller.
    std::vector<ReadRecord> result;
    std::vector<std::unique_ptr<GridObject>> holders;
    if (repeating || wasEmpty) {
        for (ReadRecord& r : added) {
            holders.push_back(std::move(r.holder));
            result.push_back({nullptr, r.record, std::move(r.missed)});
        }
        grid.AddRows(std::move(holders));
    } else {
        // The one-time list stays in due order: its rows and the added ones are put together
        // anew, the rows' records in their holders as they are.
        ReadList rows;
        for (int row = 1; row < grid.RowCount(); ++row) {
            // The record stays where it is; only its holder moves.
            TReminder* record = TMainForm::ReminderAt(grid, row);
            if (!record) continue;
            rows.push_back({grid.TakeObject(0, row), record, std::nullopt});
        }
        for (ReadRecord& r : added) {
            result.push_back({nullptr, r.record, std::move(r.missed)});
            rows.push_back({std::move(r.holder), r.record, std::nullopt});
        }
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return dueKey(*a.record) < dueKey(*b.record);
        });
        grid.SetRowCount(1);
        grid.AddRows(GridSink::TakeHolders(rows));
    }
    if (wasEmpty) {
        grid.SetRowQuietly(1);
    } else if (selected) {
        grid.SetRowQuietly(TMainForm::RowOf(grid, selected));
    }
    return result;
}

}  // namespace

void TMainForm::SaveToDisk() {
    // A file whose reminders the lists do not hold yet is never written over: the changes wait
    // in memory, and are saved together with its reminders once it has been read.
    if (dataFileUnread_) {
        clock_.NoteUnsavedChanges();
        return;
    }
    const auto writeLists = [this](TWriter& writer) {
        writeDataFile(
            writer, kHeaderInteger, kHeaderFloat, [this](TWriter& w) { writeRows(w, AlarmGrid); },
            [this](TWriter& w) { writeRows(w, RepeatingAlarmGrid); });
    };
    // A file the program did not read whole is never lost by writing over it: a copy of it is
    // kept first, and without that copy nothing is written.
    if (keepDataFileBeforeSave_ && FileExists(DataFilePath())) KeepDataFileBackup();
    saveDataFileSafely(writeLists);
    // The file now holds everything the lists hold; a backup is kept only of a file that was not
    // read whole, and that one has been written over.
    keepDataFileBeforeSave_ = false;
    clock_.DataFileSaved();
    // The changes an earlier session left beside the data file are in it now. Should the file
    // not go, its reminders are only read again, and counted once, at the next start.
    if (unsavedChangesFileMerged_) {
        unsavedChangesFileMerged_ = false;
        if (!keepUnsavedChangesFile_) DeleteFileIfExists(UnsavedChangesFilePath());
    }
}

void TMainForm::SaveChanges() {
    try {
        SaveToDisk();
    } catch (...) {
        // The command reports this failure; the clock's retries stay silent until one succeeds.
        clock_.CommandSaveFailed();
        throw;
    }
}

void TMainForm::KeepUnsavedChanges() {
    saveUnsavedChangesSafely([this](TWriter& writer) {
        writeDataFile(
            writer, kHeaderInteger, kHeaderFloat, [this](TWriter& w) { writeRows(w, AlarmGrid); },
            [this](TWriter& w) { writeRows(w, RepeatingAlarmGrid); });
    });
    // The file holds the lists as they are; a later save of the data file makes it needless.
    unsavedChangesFileMerged_ = true;
    keepUnsavedChangesFile_ = false;
}

void TMainForm::LoadFromDisk() {
    // The lists are emptied and their rows come in one step; the screen learns of both once, at
    // the end.
    const TClickableStringGrid::UpdateScope oneTimeUpdate(AlarmGrid);
    const TClickableStringGrid::UpdateScope repeatingUpdate(RepeatingAlarmGrid);
    const ClockReading clock = ReadClock();
    loadDate_ = clock.today;
    AlarmGrid.FreeRowObjects();
    RepeatingAlarmGrid.FreeRowObjects();

    const std::string path = DataFilePath();
    dataFileUnread_ = false;
    unsavedChangesFileMerged_ = false;
    keepUnsavedChangesFile_ = false;
    // One look of the clock's memory for every file this load reads.
    const ClockMemory memory = clock_.MemoryForLoad(clock.now);
    GridSink sink(clock, memory);
    int error = 0;
    FileRead read = FileRead::Missing;
    try {
        read = readRecords(path, sink, error);
    } catch (...) {
        // Only an error the reading does not stop at, such as running out of memory, comes here:
        // the records read so far are shown all the same, and the file is kept before a save.
        keepDataFileBeforeSave_ = true;
        clock_.AddMissed(sink.TakeMissed());
        sink.AddRows(AlarmGrid, RepeatingAlarmGrid);
        throw;
    }
    if (read == FileRead::Held) {
        dataFileUnread_ = true;
        unreadMemory_ = memory;
        unreadSince_ = clock.now;
        lastReadTry_ = clock.now;
        unreadError_ = error;
        unreadTold_ = false;
    }

    // Changes that an earlier session could not write to the data file as it ended wait beside
    // it; they are newer than what the data file holds of the same reminders.
    const std::string unsavedPath = UnsavedChangesFilePath();
    if (FileExists(unsavedPath)) {
        GridSink changes(clock, memory);
        int unsavedError = 0;
        const FileRead unsaved = readRecords(unsavedPath, changes, unsavedError);
        // A file of changes that is held is read at a later start; it is not removed till then.
        if (unsaved == FileRead::Whole || unsaved == FileRead::Damaged) {
            const int kept = changes.Count();
            sink.Underlay(changes);
            unsavedChangesFileMerged_ = true;
            keepUnsavedChangesFile_ = unsaved == FileRead::Damaged;
            // They go into the data file at the clock's first pass.
            clock_.NoteUnsavedChanges();
            if (keepUnsavedChangesFile_) {
                unsavedFileMessage_ =
                    "The changes kept in " + unsavedPath +
                    " when an earlier session ended could be read only in part: " +
                    std::to_string(kept) + (kept == 1 ? " reminder" : " reminders") +
                    " from it are in the lists. The file is left as it is.";
            }
        }
    }

    std::vector<MissedReminder> missed = sink.TakeMissed();
    sink.AddRows(AlarmGrid, RepeatingAlarmGrid);
    // What was read is marked in the file once the user has been told, so that a reminder is
    // listed as missed at one start only.
    if (!missed.empty()) clock_.NoteUnsavedChanges();
    clock_.AddMissed(std::move(missed));
    if (read == FileRead::Held) throw EFOpenError("Cannot open file " + path);
    keepDataFileBeforeSave_ = read == FileRead::Damaged;
    // With the file closed again: the program's own hold on it would keep it from being copied.
    if (keepDataFileBeforeSave_) {
        const int rows = AlarmGrid.RowCount() - 1 + RepeatingAlarmGrid.RowCount() - 1;
        KeepDamagedFile(std::to_string(rows) + (rows == 1 ? " reminder" : " reminders") +
                        " could be read from it, and they are shown.");
    }
}

bool TMainForm::ReadWaitingDataFile() {
    if (!dataFileUnread_) return true;
    const ClockReading clock = ReadClock();
    lastReadTry_ = clock.now;
    // Its records are judged by what the clock knew when the file was first found held: what
    // came due before that went by unseen.
    GridSink sink(clock, unreadMemory_);
    int error = 0;
    const FileRead read = readRecords(DataFilePath(), sink, error);
    if (read == FileRead::Held) {
        unreadError_ = error;
        return false;
    }
    dataFileUnread_ = false;
    if (read == FileRead::Missing) {
        // The file went while it was held: the lists are all there is, and go to the disk.
        if (AlarmGrid.RowCount() > 1 || RepeatingAlarmGrid.RowCount() > 1) {
            clock_.NoteUnsavedChanges();
        }
        return true;
    }
    const int readCount = sink.Count();
    std::vector<MissedReminder> missed;
    for (const bool repeating : {false, true}) {
        TClickableStringGrid& grid = repeating ? RepeatingAlarmGrid : AlarmGrid;
        for (ReadRecord& r : addMissingRows(grid, sink.List(repeating), repeating)) {
            if (r.missed) missed.push_back(std::move(*r.missed));
        }
    }
    if (!missed.empty()) clock_.NoteUnsavedChanges();
    clock_.AddMissed(std::move(missed));
    AlarmGrid.Invalidate();
    RepeatingAlarmGrid.Invalidate();
    ListsChanged();
    keepDataFileBeforeSave_ = read == FileRead::Damaged;
    if (keepDataFileBeforeSave_) {
        KeepDamagedFile(std::to_string(readCount) + (readCount == 1 ? " reminder" : " reminders") +
                        " could be read from it, and they are added to the lists.");
    }
    return true;
}

void TMainForm::RetryDataFile() {
    if (!dataFileUnread_) return;
    const TDateTime now = ReadClock().now;
    // A clock set back starts the pause anew rather than waiting for the old moment.
    if (now < lastReadTry_ || now - lastReadTry_ >= kReadRetryPause) {
        if (ReadWaitingDataFile()) return;
    }
    if (unreadTold_ || now < unreadSince_ || now - unreadSince_ < kReadWaitBeforeTelling) return;
    // Said once; the tries go on under the box and after it.
    unreadTold_ = true;
    const bool held = unreadError_ == fileerror::kSharingViolation ||
                      unreadError_ == fileerror::kLockViolation;
    const std::string why = held ? "another program is using it"
                                 : "the system refuses it (error " +
                                       std::to_string(unreadError_) + ")";
    const std::string message =
        "The reminders in " + DataFilePath() + " could not be read yet: " + why +
        ".\r\n\r\nPellino keeps trying. As soon as the file can be read, its reminders are added "
        "to the lists, together with those you add or change meanwhile, and saved. Until then "
        "nothing is written to the file, and your changes are kept here.";
    RunCommand(nullptr,
               [&] { ShowMessageBox(message, Application::Title(), mb::kOk | mb::kIconWarning); });
}

void TMainForm::KeepDamagedFile(const std::string& readText) {
    const std::string path = DataFilePath();
    std::string kept;
    try {
        kept = "The file as it was is kept as " + KeepDataFileBackup() + ".";
        keepDataFileBeforeSave_ = false;
        // The reminders in the lists are written back whole, so that the next start reads them
        // all.
        clock_.NoteUnsavedChanges();
    } catch (const std::exception& error) {
        keepDataFileBeforeSave_ = true;
        kept = "The file as it was could not be copied to a backup (" + std::string(error.what()) +
               "), so it is left as it is; it will be copied before the reminders are saved.";
    }
    damagedFileMessage_ =
        "The reminder file " + path + " is damaged: " + readText + "\r\n\r\n" + kept;
}

void TMainForm::ShowDataFileWarnings() {
    // Said once each, with the window on the screen.
    for (std::string* waiting : {&damagedFileMessage_, &unsavedFileMessage_}) {
        if (waiting->empty()) continue;
        const std::string message = std::move(*waiting);
        waiting->clear();
        RunCommand(nullptr, [&] {
            ShowMessageBox(message, Application::Title(), mb::kOk | mb::kIconWarning);
        });
    }
}

bool TMainForm::Reload() {
    // A file still waiting to be read gives its reminders to the lists as they are; they then
    // move on to the new date in memory.
    if (dataFileUnread_) {
        ReadWaitingDataFile();
        return false;
    }
    // The day has changed under a running clock. The file is read into fresh lists, which take
    // the place of the lists shown only when the whole file was read: a file held by another
    // program or damaged leaves the lists as they were, and the clock moves them on in memory.
    const ClockReading clock = ReadClock();
    const std::string path = DataFilePath();
    GridSink sink(clock, clock_.Memory());
    int error = 0;
    FileRead read = FileRead::Missing;
    try {
        read = readRecords(path, sink, error);
    } catch (const std::exception& failure) {
        damagedFileMessage_ = "The reminders could not be read again from " + path + " (" +
                              failure.what() +
                              ") as the date changed. The lists stay as they were, moved on to "
                              "the new day, and are saved to the file.";
        clock_.NoteUnsavedChanges();
        return false;
    }
    switch (read) {
        case FileRead::Missing:
            // The clock looked a moment ago; the lists are written anew.
            clock_.NoteUnsavedChanges();
            return false;
        case FileRead::Held:
            // What the other program does to the file is read and added once it lets go; till
            // then the lists are not written over it.
            dataFileUnread_ = true;
            unreadMemory_ = clock_.Memory();
            unreadSince_ = clock.now;
            lastReadTry_ = clock.now;
            unreadError_ = error;
            unreadTold_ = false;
            return false;
        case FileRead::Damaged:
            KeepDamagedFile("it could not be read whole as the date changed, so the lists stay as "
                            "they were, moved on to the new day, and are saved over it.");
            return false;
        case FileRead::Whole:
            break;
    }
    // With many reminders, a scroll bar and a repaint for every row would hold the window up for
    // minutes: the lists change as one change of the screen.
    const TClickableStringGrid::UpdateScope oneTimeUpdate(AlarmGrid);
    const TClickableStringGrid::UpdateScope repeatingUpdate(RepeatingAlarmGrid);
    const int oneTimeRow = AlarmGrid.Row();
    const int repeatingRow = RepeatingAlarmGrid.Row();
    loadDate_ = clock.today;
    // The lists now hold what this read judged: the clock counts it as its load.
    clock_.MemoryForLoad(clock.now);
    emptyList(AlarmGrid);
    emptyList(RepeatingAlarmGrid);
    std::vector<MissedReminder> missed = sink.TakeMissed();
    sink.AddRows(AlarmGrid, RepeatingAlarmGrid);
    if (!missed.empty()) clock_.NoteUnsavedChanges();
    clock_.AddMissed(std::move(missed));
    keepDataFileBeforeSave_ = false;
    Application::ProcessMessages();
    selectRow(AlarmGrid, oneTimeRow);
    Application::ProcessMessages();
    selectRow(RepeatingAlarmGrid, repeatingRow);
    return true;
}

}  // namespace pellino
