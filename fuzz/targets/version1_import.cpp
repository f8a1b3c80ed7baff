// A first-version "ALARMS.DAT" through the import: the reminders it gives are placed in due order
// and written, and the program reads back exactly what it showed, to the bit and to the text.

#include "fuzz_target.h"
#include "model/datafile.h"
#include "model/version1.h"
#include "program.h"
#include "records.h"

using namespace pellino;

FUZZ_TARGET(version1_import) {
    fuzz::ResetProgram();
    const std::string path = ProgramFolder() + "ALARMS.DAT";
    fuzz::WriteProgramFile(path, {reinterpret_cast<const char*>(data), size});
    auto form = std::make_unique<TMainForm>();
    form->LoadFromDiskOldStyle(path);

    const std::vector<TReminder> imported = fuzz::RecordsOf(form->AlarmGrid);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < imported.size(); ++i) {
        texts.push_back(imported[i].DueText());
        if (i > 0) {
            FUZZ_CHECK(imported[i - 1].DueDateTime <= imported[i].DueDateTime,
                       "row " + std::to_string(i + 1) + " is out of due order");
        }
    }

    form.reset();
    auto reloaded = std::make_unique<TMainForm>();  // loads the file the import wrote
    const std::vector<TReminder> read = fuzz::RecordsOf(reloaded->AlarmGrid);
    const std::string difference = fuzz::ListDifference(imported, read);
    FUZZ_CHECK(difference.empty(), "read back: " + difference);
    for (std::size_t i = 0; i < read.size(); ++i) {
        FUZZ_CHECK(read[i].DueText() == texts[i], "row " + std::to_string(i + 1) + " showed '" +
                                                      texts[i] + "', then '" + read[i].DueText() +
                                                      "'");
    }
}
