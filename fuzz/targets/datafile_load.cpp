// A data file image loaded the way the program starts: settings, lists filled from the file,
// first activation, both lists painted, then closed, which writes the file back. The lists must
// hold exactly the records the inspector reads from the same bytes, the close must succeed, and a
// file that was not read whole must be kept before it is written over.

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

}  // namespace

FUZZ_TARGET(datafile_load) {
    const fuzz::Bytes bytes(data, data + size);
    MemoryStream stream(bytes);
    const DataFileReading reading = readDataFile(stream);

    fuzz::ResetProgram();
    fuzz::WriteProgramFile(DataFilePath(), {reinterpret_cast<const char*>(data), size});
    auto form = fuzz::StartProgram();
    fuzz::PaintLists(*form);
    checkList(reading.contents.oneTime, form->AlarmGrid, false);
    checkList(reading.contents.repeating, form->RepeatingAlarmGrid, true);

    form->Close();
    FUZZ_CHECK(headless::MessageBoxLog().empty(),
               "the close showed: " + headless::MessageBoxLog().front().text);
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
