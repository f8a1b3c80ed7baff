// A data file image loaded the way the program starts: settings, lists filled from the file,
// first activation, both lists painted, then closed. The lists must hold exactly the records the
// inspector reads from the same bytes, less those cut short; a file not read whole must be kept
// before it is written over, and the user told so once; the close must succeed and leave a file
// that reads whole.

#include <string>

#include "fuzz_target.h"
#include "model/datafile.h"
#include "platform/headless/testing.h"
#include "platform/stream.h"
#include "program.h"
#include "records.h"

using namespace pellino;

namespace {

// The record as the list holds it, next to the record as read: the status is today's, and a
// repeating record's next occurrence is computed afresh, so only those may differ.
std::string loadedDifference(const TReminder& read, TReminder loaded, bool repeating) {
    loaded.Status = read.Status;
    if (repeating) loaded.DueDateTime = read.DueDateTime;
    return fuzz::RecordDifference(read, loaded);
}

void checkList(const std::vector<TReminder>& read, const TClickableStringGrid& grid,
               bool repeating) {
    const std::vector<TReminder> loaded = fuzz::RecordsOf(grid);
    FUZZ_CHECK(loaded.size() == read.size(), "the list holds " + std::to_string(loaded.size()) +
                                                 " records, the file " +
                                                 std::to_string(read.size()));
    for (std::size_t i = 0; i < read.size(); ++i) {
        const std::string difference = loadedDifference(read[i], loaded[i], repeating);
        FUZZ_CHECK(difference.empty(), "record " + std::to_string(i) + ": " + difference);
    }
}

// The records the lists show: all that were read, but those whose reading stopped before their
// last value.
std::vector<TReminder> shownRecords(const DataFileReading& reading, bool repeating) {
    const std::vector<TReminder>& read =
        repeating ? reading.contents.repeating : reading.contents.oneTime;
    std::vector<TReminder> shown;
    for (std::size_t i = 0; i < read.size(); ++i) {
        bool cutShort = false;
        for (const DamagedRecord& damaged : reading.damaged) {
            cutShort |= damaged.repeating == repeating && damaged.index == i &&
                        damaged.stop.message != kMisreadBooleanFailure;
        }
        if (!cutShort) shown.push_back(read[i]);
    }
    return shown;
}

}  // namespace

FUZZ_TARGET(datafile_load) {
    const fuzz::Bytes bytes(data, data + size);
    MemoryStream stream(bytes);
    const DataFileReading reading = readDataFile(stream);

    fuzz::ResetProgram();
    fuzz::WriteProgramFile(DataFilePath(), {reinterpret_cast<const char*>(data), size});
    auto form = fuzz::StartProgram();
    fuzz::PaintLists(*form);
    checkList(shownRecords(reading, false), form->AlarmGrid, false);
    checkList(shownRecords(reading, true), form->RepeatingAlarmGrid, true);
    const auto& boxes = headless::MessageBoxLog();
    if (reading.complete()) {
        FUZZ_CHECK(boxes.empty(), "the start showed: " + boxes.front().text);
    } else {
        FUZZ_CHECK(boxes.size() == 1 && boxes[0].text.find(" is damaged: ") != std::string::npos,
                   "a file not read whole was not told about once");
    }
    const std::size_t shownAtStart = boxes.size();

    form->Close();
    FUZZ_CHECK(boxes.size() == shownAtStart, "the close showed: " + boxes.back().text);
    FUZZ_CHECK(!form->Visible(), "the close did not close the window");
    MemoryStream written(fuzz::ReadProgramFile(DataFilePath()));
    FUZZ_CHECK(readDataFile(written).complete(), "the file written on close does not read whole");
    if (reading.complete()) {
        FUZZ_CHECK(!fuzz::ProgramFileExists(BackupFilePath()), "a file read whole was kept");
    } else {
        FUZZ_CHECK(fuzz::ReadProgramFile(BackupFilePath()) == bytes,
                   "a file not read whole was written over without being kept");
    }
}
