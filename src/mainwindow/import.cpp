// Importing the reminders of the first version's text file "ALARMS.DAT" into the one-time list.
#include <algorithm>
#include <cassert>
#include <numeric>
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

namespace {

// A row of the list after the import: an index into the rows that were there (0 for the first
// data row), or ~i for the i-th reminder imported.
using RowSource = int;

// Where the imported reminders go, all at once, so that the list ends exactly as if each had been
// placed in turn before the first row due at the same moment or later (the placing of a new
// reminder). The imported reminders go through one stable sort by due moment, the one imported
// last first among equals, and are then merged into the rows, each before the first row that is
// due no earlier. The rows that were there keep their order, even in a list that a foreign file
// left out of due order; a moment that compares with nothing (not a number) stops no reminder.
std::vector<RowSource> orderAfterImport(const std::vector<TDateTime>& present,
                                        const std::vector<TDateTime>& imported) {
    std::vector<int> incoming(imported.size());
    std::iota(incoming.rbegin(), incoming.rend(), 0);
    std::stable_sort(incoming.begin(), incoming.end(),
                     [&imported](int a, int b) { return imported[a] < imported[b]; });

    std::vector<RowSource> order;
    order.reserve(present.size() + imported.size());
    auto next = incoming.begin();
    for (std::size_t row = 0; row < present.size(); ++row) {
        for (; next != incoming.end() && imported[*next] <= present[row]; ++next) {
            order.push_back(~*next);
        }
        order.push_back(static_cast<RowSource>(row));
    }
    for (; next != incoming.end(); ++next) order.push_back(~*next);
    return order;
}

}  // namespace

void TMainForm::ImportfromPellino1xFile1Click() {
    RunCommand(nullptr, [this] {
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

void TMainForm::AddImportedReminders(std::vector<std::unique_ptr<TReminder>> reminders) {
    if (reminders.empty()) return;
    const int firstNew = AlarmGrid.RowCount();
    std::vector<TDateTime> present;
    present.reserve(static_cast<std::size_t>(firstNew - 1));
    for (int row = 1; row < firstNew; ++row) {
        const TReminder* reminder = ReminderAt(AlarmGrid, row);
        assert(reminder && "every row of the list holds a reminder");
        present.push_back(reminder->DueDateTime);
    }
    std::vector<TDateTime> imported;
    imported.reserve(reminders.size());
    for (const auto& reminder : reminders) imported.push_back(reminder->DueDateTime);
    const std::vector<RowSource> order = orderAfterImport(present, imported);

    // The rows that were there, whole, and then the new ones, each in its place at once.
    const int columns = AlarmGrid.ColCount();
    std::vector<std::vector<std::string>> texts(present.size());
    std::vector<std::vector<std::unique_ptr<GridObject>>> objects(present.size());
    for (std::size_t i = 0; i < present.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        for (int col = 0; col < columns; ++col) {
            texts[i].push_back(AlarmGrid.Cells(col, row));
            objects[i].push_back(AlarmGrid.TakeObject(col, row));
        }
    }
    AlarmGrid.SetRowCount(firstNew + static_cast<int>(reminders.size()));
    int lastImportedRow = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const RowSource source = order[i];
        if (source >= 0) {
            const auto from = static_cast<std::size_t>(source);
            for (int col = 0; col < columns; ++col) {
                AlarmGrid.SetCells(col, row, std::move(texts[from][static_cast<std::size_t>(col)]));
                AlarmGrid.SetObjects(col, row,
                                     std::move(objects[from][static_cast<std::size_t>(col)]));
            }
        } else {
            const auto from = static_cast<std::size_t>(~source);
            for (int col = 0; col < columns; ++col) {
                AlarmGrid.SetCells(col, row, {});
                AlarmGrid.SetObjects(col, row, nullptr);
            }
            AlarmGrid.SetObjectOf(0, row, std::move(reminders[from]));
            if (from + 1 == reminders.size()) lastImportedRow = row;
        }
    }
    // As after placing them one by one, the reminder imported last is the one selected.
    AlarmGrid.SetRow(lastImportedRow);
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
    std::vector<std::unique_ptr<TReminder>> reminders;
    for (const std::string& line : lines) {
        std::unique_ptr<TReminder> reminder = ReminderFromVersion1Line(line);
        if (!reminder) continue;
        reminder->RefreshStatus();
        reminders.push_back(std::move(reminder));
    }
    AddImportedReminders(std::move(reminders));
    AlarmGrid.Invalidate();
    SaveChanges();
    if (error != 0) throw EInOutError("I/O error " + std::to_string(error));
}

}  // namespace pellino
