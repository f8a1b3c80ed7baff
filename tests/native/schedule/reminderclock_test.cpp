// The reminder clock on its own, with a small stand-in for the main window. The log of what the
// clock asks of the window, in order, shows rules that the whole program shows only in part: which
// records a running command holds back, when the lists are read anew and when they move on in
// memory, what is written before that, and when a failed write is told.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/datafile.h"
#include "model/reminder.h"
#include "model/stream.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/headless/testing.h"
#include "platform/stringgrid.h"
#include "runtime/datetime.h"
#include "runtime/errors.h"
#include "schedule/alarmshow.h"
#include "schedule/missedreminders.h"
#include "schedule/reminderclock.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

// 2026-01-05 and the days around it.
TDateTime Day(int offset = 0) {
    return EncodeDate(2026, 1, 5) + offset;
}
TDateTime At(int hour, int minute, int second = 0) {
    return EncodeTime(hour, minute, second, 0);
}
LocalTime Clock(int day, int hour, int minute, int second = 0) {
    return LocalTime{2026, 1, 5 + day, hour, minute, second, 0};
}

// The main window as the clock sees it: two lists, and a log of what the clock asked of it.
class Window final : public ClockHost {
public:
    Window() {
        oneTime.SetRowCount(1);
        repeating.SetRowCount(1);
    }

    StringGrid& OneTimeList() override { return oneTime; }
    StringGrid& RepeatingList() override { return repeating; }
    void PlaceInDueOrder(int row) override { log.push_back("place row " + std::to_string(row)); }
    void ListsChanged() override { log.push_back("buttons"); }
    TDateTime LoadDate() const override { return loadDate; }
    void SetLoadDate(TDateTime day) override { loadDate = day; }
    bool Reload() override {
        if (reloadFails) {
            log.push_back("reload failed");
            return false;
        }
        log.push_back("reload");
        loadDate = Today();
        return true;
    }
    void RetryDataFile() override {}
    void SaveToDisk() override {
        if (refuseWrites) {
            log.push_back("save refused");
            throw EWriteError("The disk refused the reminders");
        }
        log.push_back("save");
        clock->DataFileSaved();
    }
    void ShowTimeOfDay() override {}
    bool PlaySoundNow(const std::string& path) override {
        log.push_back("sound " + path);
        return true;
    }
    int ShowNotification(const TReminder& reminder, bool isOneTime) override {
        log.push_back("notify '" + reminder.Description + "'" + (isOneTime ? " with Delete" : ""));
        if (answers.empty()) {
            ADD_FAILURE() << "no answer for " << reminder.Description;
            return kAlarmOk;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void RunDialog(const std::function<void()>& dialog) override {
        // As the window runs it: a command that holds no reminder.
        const ReminderClock::Hold hold(*clock, nullptr);
        const std::size_t boxes = headless::MessageBoxLog().size();
        dialog();
        if (headless::MessageBoxLog().size() > boxes) {
            log.push_back("box '" + headless::MessageBoxLog().back().text + "'");
        }
    }
    void ShowDataFileWarnings() override {}

    StringGrid oneTime{nullptr};
    StringGrid repeating{nullptr};
    ReminderClock* clock = nullptr;  // not owned
    TDateTime loadDate = 0;
    bool refuseWrites = false;
    // The file cannot be read whole at the reload: the lists stay as they were.
    bool reloadFails = false;
    // The answers to the next notifications, in turn.
    std::deque<int> answers;
    Events log;
};

class ReminderClockAlone : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }

    void TearDown() override {
        EXPECT_EQ(headless::PendingModalScripts(), 0u) << "a scripted window never came";
    }

    // A new window and clock on a machine on which nothing has happened yet, within one test.
    void Reset() {
        clock.reset();
        window.reset();
        headless::ResetAll();
        window.emplace();
        clock.emplace(*window);
        window->clock = &*clock;
    }

    // Lists as loaded on the day the fake clock shows.
    void StartDay() { window->loadDate = Today(); }

    // A one-time reminder at the end of the list, with the status of the day the clock shows.
    TReminder& AddOneTime(const std::string& text, TDateTime due) {
        StringGrid& list = window->oneTime;
        list.SetRowCount(list.RowCount() + 1);
        TReminder* reminder = list.SetObjectOf(
            0, list.RowCount() - 1,
            TReminder::CreateOneTime(due, text, text + ".WAV", kNotifyMessageAndSound));
        reminder->RefreshStatus();
        return *reminder;
    }

    static void WriteEmptyDataFile() {
        auto stream = CreateFileExclusive(DataFilePath());
        ASSERT_TRUE(stream);
        TWriter writer(*stream);
        writeDataFile(writer, DataFileContents{});
        writer.FlushBuffer();
    }

    // The next "Missed Reminders" window puts the messages it lists into the log and is closed.
    void SeeMissed() {
        headless::ScriptModal("TMissedReminders", [this](Form& shown) {
            auto& missed = static_cast<TMissedReminders&>(shown);
            std::string line = "missed:";
            for (int row = 1; row < missed.List.RowCount(); ++row) {
                line += " '" + missed.List.Cells(1, row) + "'";
            }
            window->log.push_back(line);
            missed.OkButton.Click();
        });
    }

    Events TakeLog() {
        Events events = std::move(window->log);
        window->log.clear();
        return events;
    }

    std::optional<Window> window;
    std::optional<ReminderClock> clock;
};

TEST_F(ReminderClockAlone, AHeldReminderWaitsForItsCommandAndComesAtTheFirstCheckAfter) {
    headless::SetClock(Clock(0, 9, 0));
    StartDay();
    TReminder& edited = AddOneTime("Edited", Day() + At(8, 59));
    TReminder& deleted = AddOneTime("Asked about", Day() + At(8, 59));
    AddOneTime("Free", Day() + At(8, 59));
    window->answers = {kAlarmOk, kAlarmOk, kAlarmOk};
    {
        // A command under a dialog, and a second one started from inside it.
        const ReminderClock::Hold outer(*clock, &edited);
        {
            const ReminderClock::Hold inner(*clock, &deleted);
            clock->CheckNow();
            EXPECT_EQ(TakeLog(), (Events{"sound Free.WAV", "notify 'Free' with Delete", "save"}))
                << "only the reminder no command holds";
            for (const TReminder* held : {&edited, &deleted}) {
                EXPECT_EQ(held->Status, kStatusPending)
                    << held->Description << " is left as it was";
                EXPECT_DOUBLE_EQ(held->DueDateTime, Day() + At(8, 59)) << held->Description;
            }
            clock->CheckNow();
            EXPECT_EQ(TakeLog(), Events{}) << "still held";
        }
        clock->CheckNow();
        EXPECT_EQ(TakeLog(),
                  (Events{"sound Asked about.WAV", "notify 'Asked about' with Delete", "save"}))
            << "the inner command has ended; the outer one still holds its reminder";
    }
    clock->CheckNow();
    EXPECT_EQ(TakeLog(), (Events{"sound Edited.WAV", "notify 'Edited' with Delete", "save"}));
    EXPECT_EQ(edited.Status, kStatusDone);
    EXPECT_TRUE(window->answers.empty());
}

TEST_F(ReminderClockAlone, AtANewDateTheListsAreReadAnewOnlyFromAFileThatHoldsThemAll) {
    // Past the grace of the ended day, so nothing of it is notified first.
    struct Case {
        const char* what;
        std::function<void()> arrange;
        Events log;
        bool inMemory;  // moved on in memory rather than read anew from the file
    };
    std::optional<ReminderClock::Hold> command;
    const Case cases[] = {
        {"the file as the clock left it",
         [] { WriteEmptyDataFile(); },
         {"reload", "buttons"},
         false},
        {"a command at work under a dialog",
         [&] {
             WriteEmptyDataFile();
             command.emplace(*clock, nullptr);
         },
         {"buttons"},
         true},
        {"changes that the file refused",
         [this] {
             WriteEmptyDataFile();
             clock->NoteUnsavedChanges();
             window->refuseWrites = true;
             headless::QueueMessageBoxAnswer(idresult::kOk);  // for the box that tells it
         },
         {"save refused", "save refused", "buttons", "box 'The disk refused the reminders.'"},
         true},
        {"a file that has gone, written anew from the lists", [] {}, {"save", "buttons"}, true},
        {"a file another program holds",
         [] {
             WriteEmptyDataFile();
             headless::LockFile(DataFilePath(), true);
         },
         {"buttons"},
         true},
        {"a file that the reload cannot read whole",
         [this] {
             WriteEmptyDataFile();
             window->reloadFails = true;
         },
         {"reload failed", "buttons"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        headless::SetClock(Clock(0, 23, 0));
        StartDay();
        const TReminder& tomorrow = AddOneTime("Tomorrow", Day(1) + At(8, 0));
        ASSERT_EQ(tomorrow.Status, kStatusNotToday);
        c.arrange();
        headless::SetClock(Clock(1, 0, 30));
        clock->Tick();
        EXPECT_EQ(TakeLog(), c.log);
        EXPECT_EQ(window->loadDate, Day(1));
        if (c.inMemory) {
            EXPECT_EQ(tomorrow.Status, kStatusPending) << "moved on to the new date";
        }
        command.reset();
    }
}

TEST_F(ReminderClockAlone, TheEndedDaysLastRemindersComeFirstOrAreListedAsMissed) {
    // Within ten minutes of midnight the reminder is notified and its answer written before the
    // file is read anew. Later it is listed as missed with the others, not notified.
    for (const bool withinGrace : {true, false}) {
        SCOPED_TRACE(withinGrace ? "at 00:00:03" : "at 00:20");
        Reset();
        headless::SetClock(Clock(0, 23, 59, 50));
        StartDay();
        AddOneTime("Late", Day() + At(23, 59, 58));
        WriteEmptyDataFile();
        std::optional<ReminderClock::Hold> command;
        if (withinGrace) {
            window->answers = {kAlarmOk};
            headless::SetClock(Clock(1, 0, 0, 3));
        } else {
            // A command at work keeps the lists in memory, where the clock itself notes what
            // went missed.
            command.emplace(*clock, nullptr);
            SeeMissed();
            headless::SetClock(Clock(1, 0, 20));
        }
        clock->Tick();
        EXPECT_EQ(TakeLog(), withinGrace ? (Events{"sound Late.WAV", "notify 'Late' with Delete",
                                                   "save", "reload", "buttons"})
                                         : (Events{"save", "buttons", "missed: 'Late'"}));
        EXPECT_EQ(ReminderAt(window->oneTime, 1)->Status,
                  withinGrace ? kStatusDone : kStatusExpired);
        EXPECT_FALSE(clock->ChangesUnsaved()) << "written, so that no later start lists it again";
    }
}

TEST_F(ReminderClockAlone, AFailedWriteIsToldOnceAndAgainOnlyAfterAWriteSucceeded) {
    headless::SetClock(Clock(0, 9, 0));
    StartDay();
    AddOneTime("Tea", Day() + At(9, 0));
    window->refuseWrites = true;
    window->answers = {kAlarmOk};
    headless::QueueMessageBoxAnswer(idresult::kOk);
    clock->CheckNow();
    EXPECT_EQ(TakeLog(), (Events{"sound Tea.WAV", "notify 'Tea' with Delete", "save refused",
                                 "save refused", "box 'The disk refused the reminders.'"}))
        << "told after the pass";
    clock->CheckNow();
    EXPECT_EQ(TakeLog(), (Events{"save refused", "save refused"})) << "tried again, in silence";

    // A command's write gets through: the file holds everything, and a new failure is news.
    window->refuseWrites = false;
    window->SaveToDisk();
    EXPECT_FALSE(clock->ChangesUnsaved());
    window->refuseWrites = true;
    clock->NoteUnsavedChanges();
    headless::QueueMessageBoxAnswer(idresult::kOk);
    clock->CheckNow();
    EXPECT_EQ(TakeLog(), (Events{"save", "save refused", "save refused",
                                 "box 'The disk refused the reminders.'"}));

    // A command whose write failed has told the user itself.
    window->refuseWrites = false;
    window->SaveToDisk();
    window->refuseWrites = true;
    clock->CommandSaveFailed();
    clock->CheckNow();
    EXPECT_EQ(TakeLog(), (Events{"save", "save refused", "save refused"}));
    EXPECT_TRUE(clock->ChangesUnsaved());
}

}  // namespace
}  // namespace pellino::testing
