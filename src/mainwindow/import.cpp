// Importing the reminders of the first version's text file "ALARMS.DAT" into the one-time list.
#include <string>
#include <vector>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/version1.h"
#include "platform/files.h"
#include "platform/opendialog.h"
#include "runtime/errors.h"
#include "runtime/strings.h"

namespace pellino {

void TMainForm::ImportfromPellino1xFile1Click() {
    WithClockStopped([this] {
        OpenDialog OpenAlarmsDat;
        OpenAlarmsDat.SetFileName("Alarms.dat");
        OpenAlarmsDat.SetDefaultExt("dat");
        OpenAlarmsDat.SetFilter("Pellino 1.x File|Alarms.dat");
        OpenAlarmsDat.SetInitialDir(ProgramFolder());
        if (!OpenAlarmsDat.Execute()) return;
        // Another file than the first version's is ignored without a word.
        if (UpperCase(ExtractFileName(OpenAlarmsDat.FileName())) != kVersion1FileName) return;
        // An import that ends in an error may still have added reminders: the buttons must fit
        // the list whatever happened.
        try {
            LoadFromDiskOldStyle(OpenAlarmsDat.FileName());
        } catch (...) {
            SetButtons();
            throw;
        }
        SetButtons();
    });
}

void TMainForm::LoadFromDiskOldStyle(const std::string& path) {
    if (!FileExists(path)) return;
    std::vector<std::string> lines;
    const int error = ReadTextLines(path, lines);
    // A file that could not even be opened leaves everything as it was; one that failed part-way
    // gives the reminders read before the failure, and they are written like the rest.
    if (error != 0 && lines.empty()) throw EInOutError("I/O error " + std::to_string(error));
    // The list shows the imported reminders once, when all are in.
    const TClickableStringGrid::UpdateScope update(AlarmGrid);
    for (const std::string& line : lines) {
        std::unique_ptr<TReminder> reminder = ReminderFromVersion1Line(line);
        if (!reminder) continue;
        reminder->RefreshStatus();
        AppendOneTimeReminder(std::move(reminder));
    }
    AlarmGrid.Invalidate();
    SaveChanges();
    if (error != 0) throw EInOutError("I/O error " + std::to_string(error));
}

}  // namespace pellino
