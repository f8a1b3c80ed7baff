// The reminder data file: writing both lists to it and filling them from it.
#include "model/datafile.h"

#include "mainwindow/mainform.h"
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

// Keeps each record read in the holder its list row will own, gives it the statuses of the load's
// day as soon as its values are in, and adds the rows to the lists in one step at the end, so
// that a file that breaks off still leaves every record read so far in working order. A record
// cut short is not shown. A reminder whose moment went by while the program was not running is
// noted as missed. Every record is judged by the same reading of the clock.
class GridSink final : public DataFileSink {
public:
    GridSink(std::vector<MissedReminder>& missed, const ClockReading& clock, ClockMemory memory)
        : missed_(missed), clock_(clock), memory_(std::move(memory)) {}

    TReminder& BeginRecord(bool repeating) override {
        auto holder = std::make_unique<GridValue<TReminder>>(TReminder{});
        TReminder& record = *holder->Get();
        (repeating ? repeating_ : oneTime_).push_back(std::move(holder));
        return record;
    }

    void EndRecord(bool repeating, TReminder& record, bool allValuesRead) override {
        if (!allValuesRead) {
            (repeating ? repeating_ : oneTime_).pop_back();
            return;
        }
        // A repeating reminder's occurrence that came due only minutes ago is still notified, as
        // a one-time reminder is.
        const ReminderState before = RefreshForToday(record, repeating, clock_, memory_);
        NoteIfMissed(missed_, record, repeating, before, clock_.now);
    }

    // Gives the lists the rows of the records read so far.
    void AddRows(TClickableStringGrid& oneTime, TClickableStringGrid& repeating) {
        oneTime.AddRows(std::move(oneTime_));
        oneTime_.clear();
        repeating.AddRows(std::move(repeating_));
        repeating_.clear();
    }

private:
    std::vector<MissedReminder>& missed_;
    const ClockReading clock_;
    // What the clock knew before this load: its last look and the second-pass moments.
    const ClockMemory memory_;
    std::vector<std::unique_ptr<GridObject>> oneTime_;
    std::vector<std::unique_ptr<GridObject>> repeating_;
};

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

}  // namespace

void TMainForm::SaveToDisk() {
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
    dataFileUnread_ = false;
    clock_.DataFileSaved();
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
    if (!FileExists(path)) {
        keepDataFileBeforeSave_ = false;
        return;
    }
    // Until the whole file has been read, the next save must keep it.
    keepDataFileBeforeSave_ = true;
    bool complete = false;
    std::vector<MissedReminder> missed;
    {
        const std::unique_ptr<Stream> file = OpenFileExclusiveRead(path);
        if (!file) {
            dataFileUnread_ = true;
            throw EFOpenError("Cannot open file " + path);
        }
        GridSink sink(missed, clock, clock_.MemoryForLoad(clock.now));
        try {
            complete = readDataFile(*file, sink).complete();
        } catch (...) {
            // Only an error the reading does not stop at, such as running out of memory, comes
            // here: the records read so far are shown all the same.
            clock_.AddMissed(std::move(missed));
            sink.AddRows(AlarmGrid, RepeatingAlarmGrid);
            throw;
        }
        sink.AddRows(AlarmGrid, RepeatingAlarmGrid);
    }
    // What was read is marked in the file once the user has been told, so that a reminder is
    // listed as missed at one start only.
    if (!missed.empty()) clock_.NoteUnsavedChanges();
    clock_.AddMissed(std::move(missed));
    keepDataFileBeforeSave_ = !complete;
    // With the file closed again: the program's own hold on it would keep it from being copied.
    if (keepDataFileBeforeSave_) KeepDamagedFile();
}

void TMainForm::KeepDamagedFile() {
    const std::string path = DataFilePath();
    const int read = AlarmGrid.RowCount() - 1 + RepeatingAlarmGrid.RowCount() - 1;
    std::string kept;
    try {
        kept = "The file as it was is kept as " + KeepDataFileBackup() + ".";
        keepDataFileBeforeSave_ = false;
        // The reminders read are written back whole, so that the next start reads them all.
        clock_.NoteUnsavedChanges();
    } catch (const std::exception& error) {
        kept = "The file as it was could not be copied to a backup (" + std::string(error.what()) +
               "), so it is left as it is; it will be copied before the reminders are saved.";
    }
    damagedFileMessage_ = "The reminder file " + path + " is damaged: " + std::to_string(read) +
                          (read == 1 ? " reminder" : " reminders") +
                          " could be read from it, and they are shown.\r\n\r\n" + kept;
}

void TMainForm::ShowDataFileWarnings() {
    // Said once, with the window on the screen.
    if (damagedFileMessage_.empty()) return;
    const std::string message = std::move(damagedFileMessage_);
    damagedFileMessage_.clear();
    RunCommand(nullptr,
               [&] { ShowMessageBox(message, Application::Title(), mb::kOk | mb::kIconWarning); });
}

void TMainForm::Reload() {
    // The day has changed under a running clock; whatever goes wrong here, the clock must go on,
    // so each step's errors are dropped and the lists keep what could be read. The lists are
    // emptied and filled again as one change of the screen: with many reminders, a scroll bar and
    // a repaint for every row would hold the window up for minutes.
    const TClickableStringGrid::UpdateScope oneTimeUpdate(AlarmGrid);
    const TClickableStringGrid::UpdateScope repeatingUpdate(RepeatingAlarmGrid);
    const int oneTimeRow = AlarmGrid.Row();
    const int repeatingRow = RepeatingAlarmGrid.Row();
    try {
        emptyList(AlarmGrid);
        emptyList(RepeatingAlarmGrid);
    } catch (const Exception&) {
        Application::ProcessMessages();
    }
    try {
        LoadFromDisk();
    } catch (const Exception&) {
        // An unreadable file leaves the lists as far as they were read; nothing is shown.
    }
    Application::ProcessMessages();
    try {
        selectRow(AlarmGrid, oneTimeRow);
    } catch (const Exception&) {
        // Selecting a row cannot fail for a row that exists; nothing to report if it does.
    }
    Application::ProcessMessages();
    try {
        selectRow(RepeatingAlarmGrid, repeatingRow);
    } catch (const Exception&) {
        // As above.
    }
}

}  // namespace pellino
