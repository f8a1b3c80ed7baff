// The data file's load-save-load round trip through the program: whatever a file held, the
// records the program shows after loading it are the records it shows after writing them and
// loading them again, every double to the bit, and a second write gives the same bytes.

#include "fuzz_target.h"
#include "model/datafile.h"
#include "program.h"
#include "records.h"

using namespace pellino;

namespace {

void reload(TMainForm& form) {
    form.AlarmGrid.SetRowCount(1);
    form.RepeatingAlarmGrid.SetRowCount(1);
    form.LoadFromDisk();
}

}  // namespace

FUZZ_TARGET(datafile_roundtrip) {
    fuzz::ResetProgram();
    fuzz::WriteProgramFile(DataFilePath(), {reinterpret_cast<const char*>(data), size});
    auto form = std::make_unique<TMainForm>();  // loads the file
    const std::vector<TReminder> oneTime = fuzz::RecordsOf(form->AlarmGrid);
    const std::vector<TReminder> repeating = fuzz::RecordsOf(form->RepeatingAlarmGrid);

    form->SaveToDisk();
    const fuzz::Bytes saved = fuzz::ReadProgramFile(DataFilePath());
    reload(*form);
    const std::string oneTimeDifference =
        fuzz::ListDifference(oneTime, fuzz::RecordsOf(form->AlarmGrid));
    FUZZ_CHECK(oneTimeDifference.empty(), "one-time list: " + oneTimeDifference);
    const std::string repeatingDifference =
        fuzz::ListDifference(repeating, fuzz::RecordsOf(form->RepeatingAlarmGrid));
    FUZZ_CHECK(repeatingDifference.empty(), "repeating list: " + repeatingDifference);

    form->SaveToDisk();
    FUZZ_CHECK(fuzz::ReadProgramFile(DataFilePath()) == saved,
               "the second write gave other bytes than the first");
}
