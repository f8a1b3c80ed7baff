#pragma once

// The main window on the headless backend with its two lists, and ways to fill them and to look at
// what they show and what the data file holds.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/reminder.h"
#include "model/stream.h"
#include "platform/headless/testing.h"
#include "platform/stream.h"
#include "runtime/datetime.h"

namespace pellino::testing {

using Bytes = std::vector<std::uint8_t>;

// 2026-01-05, the Monday the fake clock starts on at 09:00.
inline TDateTime StartDay() {
    return EncodeDate(2026, 1, 5);
}
inline TDateTime At(int hour, int minute) {
    return EncodeTime(hour, minute, 0, 0);
}

inline std::string HostDataFile() {
    return headless::HostPath(DataFilePath());
}

inline Bytes ReadHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteHostFile(const std::string& hostPath, const Bytes& bytes) {
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The bytes of a data file holding these values, as the program writes them.
inline Bytes FileBytes(const DataFileContents& contents) {
    MemoryStream stream;
    TWriter writer(stream);
    writeDataFile(writer, contents);
    writer.FlushBuffer();
    return stream.Bytes();
}

inline TReminder OneTime(const std::string& text, TDateTime due) {
    return *TReminder::CreateOneTime(due, text, "", kNotifyMessageAndSound);
}

inline TReminder Repeating(const std::string& text, TDateTime first, std::int32_t interval = 0,
                           const std::string& days = "0123456") {
    return *TReminder::CreateRepeating(first, false, 0, days, interval, text, "",
                                       kNotifyMessageAndSound);
}

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() {
        headless::ResetAll();
        form = std::make_unique<TMainForm>();
        // On the screen, so that the tab strip takes clicks, but never activated: the start-up
        // that the first activation runs is not what these tests are about.
        form->SetVisible(true);
    }
    ~MainFormTest() override {
        form.reset();
        headless::ResetAll();
    }

    // Appends a row holding the record, as the commands that add reminders do.
    static int Append(TClickableStringGrid& grid, const TReminder& reminder) {
        grid.AddRow();
        const int row = grid.RowCount() - 1;
        grid.SetObjectOf(0, row, std::make_unique<TReminder>(reminder));
        return row;
    }

    static std::vector<std::string> Descriptions(const TClickableStringGrid& grid) {
        std::vector<std::string> texts;
        for (int row = 1; row < grid.RowCount(); ++row) {
            const TReminder* reminder = TMainForm::ReminderAt(grid, row);
            texts.push_back(reminder ? reminder->Description : "<none>");
        }
        return texts;
    }

    void WriteDataFile(const DataFileContents& contents) {
        WriteHostFile(HostDataFile(), FileBytes(contents));
    }

    // Loads as the start-up does: header rows only, then the file.
    void Load() {
        form->AlarmGrid.SetRowCount(1);
        form->RepeatingAlarmGrid.SetRowCount(1);
        form->LoadFromDisk();
    }

    std::unique_ptr<TMainForm> form;
};

}  // namespace pellino::testing
