#pragma once

// The program on the headless backend with its clock running on the fake clock: a data file to
// start from, the notification window answered by scripts, and a log of what the user saw and
// heard, in order.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/reminder.h"
#include "model/stream.h"
#include "platform/files.h"
#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "schedule/alarmshow.h"
#include "schedule/missedreminders.h"

namespace pellino::testing {

// 2026-01-05, the Monday the fake clock starts on.
inline TDateTime Day(int offset = 0) {
    return EncodeDate(2026, 1, 5) + offset;
}
inline TDateTime At(int hour, int minute, int second = 0, int ms = 0) {
    return EncodeTime(hour, minute, second, ms);
}
inline LocalTime Clock(int hour, int minute, int second = 0, int ms = 0, int day = 5) {
    return LocalTime{2026, 1, day, hour, minute, second, ms};
}

inline TReminder OneTime(const std::string& text, TDateTime due,
                         std::uint8_t mode = kNotifyMessageAndSound) {
    return *TReminder::CreateOneTime(due, text, "C:\\SOUNDS\\" + text + ".WAV", mode);
}

// Every day of the week, once a day or every `interval` minutes.
inline TReminder Repeating(const std::string& text, TDateTime first, std::int32_t interval = 0) {
    return *TReminder::CreateRepeating(first, false, 0, "0123456", interval, text,
                                       "C:\\SOUNDS\\" + text + ".WAV", kNotifyMessageAndSound);
}

// Puts a wave file at a reminder's sound path, so that the player can play it: a reminder's sound
// file that is not there cannot be played.
inline void PutSoundFile(const std::string& path) {
    const std::filesystem::path host = headless::HostPath(path);
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << "RIFF";
}

inline void WriteDataFile(const std::vector<TReminder>& oneTime,
                          const std::vector<TReminder>& repeating = {}) {
    DataFileContents contents;
    contents.oneTime = oneTime;
    contents.repeating = repeating;
    auto stream = CreateFileExclusive(DataFilePath());
    ASSERT_TRUE(stream);
    TWriter writer(*stream);
    writeDataFile(writer, contents);
    writer.FlushBuffer();
}

// What the data file holds, as stored (no status recomputed).
inline DataFileContents ReadDataFile() {
    auto stream = OpenFileExclusiveRead(DataFilePath());
    if (!stream) {
        ADD_FAILURE() << "no data file";
        return {};
    }
    DataFileReading reading = readDataFile(*stream);
    EXPECT_TRUE(reading.complete()) << "the data file reads whole";
    return reading.contents;
}

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }

    void TearDown() override {
        EXPECT_EQ(headless::PendingModalScripts(), 0u) << "a scripted answer was never asked for";
    }

    // Starts the program as the process does: the main window reads the data file, the
    // notification window is made, and the first activation switches the clock on.
    void Start() {
        form = std::make_unique<TMainForm>();
        form->CreateNotificationWindow();
        form->Show();
        ASSERT_TRUE(form->Timer1.Enabled()) << "the first activation switches the clock on";
    }

    // Back to a machine on which the program has not run yet, within one test.
    void ResetProgram() {
        form.reset();
        headless::ResetAll();
        log.clear();
        soundsSeen_ = 0;
    }

    void Tick(int seconds = 1) { headless::AdvanceClock(1000LL * seconds); }

    // Answers the next notification by pressing the button with this caption, once the window's
    // guard has let its buttons work. The log gets what the window showed and which button was
    // pressed; "<close>" closes the window instead.
    void Answer(const std::string& caption) {
        headless::ScriptModal("TAlarmShow", [this, caption](Form& shown) {
            auto& window = static_cast<TAlarmShow&>(shown);
            headless::AdvanceClock(kAlarmGuardMs);
            TakeSounds();
            log.push_back("window '" + window.AlarmMsg.Text() + "'" +
                          (window.DeleteButton.Visible() ? " with Delete" : "") + ": " + caption);
            if (onWindow) onWindow();
            if (caption == "<close>") {
                window.Close();
                return;
            }
            for (Control* child : window.Panel1.Children()) {
                if (child->Kind() == ControlKind::Button && child->Text() == caption) {
                    child->Click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << caption;
        });
    }

    // Reads the next "Missed Reminders" window and closes it with Ok. The log gets one line with
    // what it listed, each reminder as "<when> <message>", oldest first.
    void SeeMissed() {
        headless::ScriptModal("TMissedReminders", [this](Form& shown) {
            auto& window = static_cast<TMissedReminders&>(shown);
            TakeSounds();
            std::string line = "missed:";
            for (int row = 1; row < window.List.RowCount(); ++row) {
                line += " [" + window.List.Cells(0, row) + " " + window.List.Cells(1, row) + "]";
            }
            log.push_back(line);
            if (onWindow) onWindow();
            window.OkButton.Click();
        });
    }

    // The log so far, with the sounds played since the last look, and empties it.
    std::vector<std::string> TakeEvents() {
        TakeSounds();
        std::vector<std::string> events = std::move(log);
        log.clear();
        return events;
    }

    const TReminder& OneTimeRow(int row) const {
        const TReminder* reminder = TMainForm::ReminderAt(form->AlarmGrid, row);
        EXPECT_NE(reminder, nullptr) << "row " << row;
        return *reminder;
    }
    const TReminder& RepeatingRow(int row) const {
        const TReminder* reminder = TMainForm::ReminderAt(form->RepeatingAlarmGrid, row);
        EXPECT_NE(reminder, nullptr) << "row " << row;
        return *reminder;
    }
    // The messages of the one-time list, top to bottom.
    std::vector<std::string> OneTimeList() const {
        std::vector<std::string> texts;
        for (int row = 1; row < form->AlarmGrid.RowCount(); ++row) {
            if (const TReminder* r = TMainForm::ReminderAt(form->AlarmGrid, row)) {
                texts.push_back(r->Description);
            }
        }
        return texts;
    }

    std::unique_ptr<TMainForm> form;
    std::vector<std::string> log;
    // Runs inside each scripted notification, before the answer.
    std::function<void()> onWindow;

private:
    void TakeSounds() {
        const auto& sounds = headless::SoundLog();
        for (; soundsSeen_ < sounds.size(); ++soundsSeen_)
            log.push_back("sound " + sounds[soundsSeen_]);
    }
    std::size_t soundsSeen_ = 0;
};

}  // namespace pellino::testing
