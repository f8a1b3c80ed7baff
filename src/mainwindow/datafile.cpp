// The reminder data file: writing both lists to it and filling them from it.
#include "model/datafile.h"

#include "mainwindow/mainform.h"
#include "model/reminder.h"
#include "platform/application.h"
#include "platform/files.h"
#include "runtime/errors.h"

namespace pellino {

namespace {

constexpr std::int32_t kHeaderInteger = 666;
constexpr double kHeaderFloat = 2.0;

// Appends a row for each record read and gives the record the statuses of today as soon as its
// values are in, so a file that breaks off still leaves every row read so far in working order.
class GridSink final : public DataFileSink {
public:
    GridSink(TClickableStringGrid& oneTime, TClickableStringGrid& repeating)
        : oneTime_(oneTime), repeating_(repeating) {}

    TReminder& BeginRecord(bool repeating) override {
        TClickableStringGrid& grid = repeating ? repeating_ : oneTime_;
        grid.AddRow();
        return *grid.EmplaceObjectOf<TReminder>(0, grid.RowCount() - 1);
    }

    void EndRecord(bool repeating, TReminder& record) override {
        if (repeating) {
            // The stored next occurrence belongs to the day it was written on.
            record.DueDateTime = 0;
            record.ScheduleNext();
        } else {
            record.RefreshStatus();
        }
    }

private:
    TClickableStringGrid& oneTime_;
    TClickableStringGrid& repeating_;
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

void selectFirstReminder(TClickableStringGrid& grid) {
    if (grid.RowCount() > 1) grid.SetRow(1);
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
    changesUnsaved_ = false;
    saveFailureShown_ = false;
}

void TMainForm::SaveChanges() {
    try {
        SaveToDisk();
    } catch (...) {
        // The command reports this failure; the clock's retries stay silent until one succeeds.
        changesUnsaved_ = true;
        saveFailureShown_ = true;
        throw;
    }
}

void TMainForm::LoadFromDisk() {
    // Rows arrive one by one; the screen learns of them once, at the end.
    const TClickableStringGrid::UpdateScope oneTimeUpdate(AlarmGrid);
    const TClickableStringGrid::UpdateScope repeatingUpdate(RepeatingAlarmGrid);
    loadDate_ = Today();
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
    const std::unique_ptr<Stream> file = OpenFileExclusiveRead(path);
    if (!file) {
        dataFileUnread_ = true;
        throw EFOpenError("Cannot open file " + path);
    }
    GridSink sink(AlarmGrid, RepeatingAlarmGrid);
    const DataFileReading reading = readDataFile(*file, sink);
    keepDataFileBeforeSave_ = !reading.complete();
}

void TMainForm::Reload() {
    // The day has changed under a running clock; whatever goes wrong here, the clock must go on,
    // so each step's errors are dropped and the lists keep what could be read. The lists are
    // emptied and filled again as one change of the screen: with many reminders, a scroll bar and
    // a repaint for every row would hold the window up for minutes.
    const TClickableStringGrid::UpdateScope oneTimeUpdate(AlarmGrid);
    const TClickableStringGrid::UpdateScope repeatingUpdate(RepeatingAlarmGrid);
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
        selectFirstReminder(AlarmGrid);
    } catch (const Exception&) {
        // Selecting a row cannot fail for a row that exists; nothing to report if it does.
    }
    Application::ProcessMessages();
    try {
        selectFirstReminder(RepeatingAlarmGrid);
    } catch (const Exception&) {
        // As above.
    }
}

}  // namespace pellino
