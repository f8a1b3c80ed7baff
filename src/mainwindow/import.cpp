// Importing the reminders of the first version's text file "ALARMS.DAT" into the one-time list.
#include <string>
#include <vector>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/version1.h"
#include "platform/files.h"
#include "platform/opendialog.h"
#include "runtime/errors.h"

namespace pellino {

namespace {

// The name part of a path: what follows its last "\" or ":".
std::string FileNamePart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

void TMainForm::ImportfromPellino1xFile1Click() {
    WithClockStopped([this] {
        OpenDialog OpenAlarmsDat;
        OpenAlarmsDat.SetFileName("Alarms.dat");
        OpenAlarmsDat.SetDefaultExt("dat");
        OpenAlarmsDat.SetFilter("Pellino 1.x File|Alarms.dat");
        OpenAlarmsDat.SetInitialDir(ProgramFolder());
        if (!OpenAlarmsDat.Execute()) return;
        // Another file than the first version's is ignored without a word.
        if (UpperAscii(FileNamePart(OpenAlarmsDat.FileName())) != kVersion1FileName) return;
        LoadFromDiskOldStyle(OpenAlarmsDat.FileName());
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
