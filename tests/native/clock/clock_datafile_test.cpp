// The data file under a running program: a file another program holds at the start, read as soon
// as it is let go of; a reload at a new date that cannot read the file whole; and the changes the
// data file cannot take as the session ends, kept beside it for the next start.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "clock/clock_fixture.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/form.h"

namespace pellino::testing {
namespace {

namespace fs = std::filesystem;
using Events = std::vector<std::string>;

std::string Bytes(const std::string& programPath) {
    std::ifstream in(headless::HostPath(programPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& programPath) {
    return fs::exists(headless::HostPath(programPath));
}

std::vector<std::string> Messages(const std::vector<TReminder>& list) {
    std::vector<std::string> texts;
    for (const TReminder& r : list) texts.push_back(r.Description);
    return texts;
}

class DataFileUnderClock : public ClockTest {
protected:
    std::vector<std::string> RepeatingList() const {
        std::vector<std::string> texts;
        for (int row = 1; row < form->RepeatingAlarmGrid.RowCount(); ++row) {
            texts.push_back(RepeatingRow(row).Description);
        }
        return texts;
    }
    // Restarts the program on the same folder, as the next log-on does.
    void Restart() {
        form.reset();
        EXPECT_EQ(TakeEvents(), Events{"sound <stop>"}) << "the end of the program stops its sound";
        Application::Reset();
        Start();
    }
    std::size_t Boxes() const { return headless::MessageBoxLog().size(); }
};

TEST_F(DataFileUnderClock, AFileHeldAtTheStartIsReadOnceFreeAndTheUserToldOnlyIfItStaysHeld) {
    for (const bool long_ : {false, true}) {
        SCOPED_TRACE(long_ ? "held for a minute" : "held for 20 seconds");
        ResetProgram();
        headless::SetClock(Clock(9, 0));
        WriteDataFile({OneTime("Tea", Day(1) + At(9, 0)), OneTime("Lunch", Day(1) + At(12, 0))},
                      {Repeating("Stand up", At(15, 0))});
        const std::string before = Bytes(DataFilePath());
        headless::LockFile(DataFilePath(), true);
        Start();
        EXPECT_EQ(OneTimeList(), Events{});
        EXPECT_EQ(Boxes(), 0u) << "nothing said at the start";

        // Added while the file is held, one of them typed in again as the file has it.
        form->AppendOneTimeReminder(
            std::make_unique<TReminder>(OneTime("Dentist", Day(2) + At(10, 0))));
        EXPECT_NO_THROW(form->SaveChanges());
        form->AppendOneTimeReminder(
            std::make_unique<TReminder>(OneTime("Lunch", Day(1) + At(12, 0))));
        EXPECT_NO_THROW(form->SaveChanges());
        Tick(20);
        EXPECT_EQ(Boxes(), 0u);
        if (long_) {
            headless::QueueMessageBoxAnswer(idresult::kOk);
            Tick(10);
            ASSERT_EQ(Boxes(), 1u) << "told once it has been held for 30 seconds";
            const std::string& text = headless::MessageBoxLog()[0].text;
            EXPECT_NE(text.find(DataFilePath() + " could not be read yet: another program is "
                                                 "using it"),
                      std::string::npos)
                << text;
            EXPECT_NE(text.find("its reminders are added to the lists, together with those you "
                                "add or change meanwhile, and saved"),
                      std::string::npos)
                << text;
            Tick(30);
            EXPECT_EQ(Boxes(), 1u) << "and only once";
        }
        headless::LockFile(DataFilePath(), false);
        EXPECT_EQ(Bytes(DataFilePath()), before) << "nothing was written over it";

        Tick(3);
        EXPECT_FALSE(form->DataFileUnread()) << "tried again within a few seconds";
        EXPECT_EQ(OneTimeList(), (Events{"Tea", "Lunch", "Dentist"}));
        EXPECT_EQ(RepeatingList(), Events{"Stand up"});
        Tick(5);  // the clock's next pass writes what the file lacks
        EXPECT_FALSE(form->ChangesUnsaved());
        const DataFileContents saved = ReadDataFile();
        EXPECT_EQ(Messages(saved.oneTime), (Events{"Tea", "Lunch", "Dentist"}));
        EXPECT_EQ(Messages(saved.repeating), Events{"Stand up"});
        EXPECT_FALSE(Exists(BackupFilePath()));
        EXPECT_EQ(Boxes(), long_ ? 1u : 0u);
    }
}

TEST_F(DataFileUnderClock, AFileThatIsLetGoOfUnchangedIsNotWrittenAgain) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Tea", Day(1) + At(9, 0))});
    const std::string before = Bytes(DataFilePath());
    headless::LockFile(DataFilePath(), true);
    Start();
    Tick(7);
    headless::LockFile(DataFilePath(), false);
    Tick(10);
    EXPECT_EQ(OneTimeList(), Events{"Tea"});
    EXPECT_FALSE(form->ChangesUnsaved());
    EXPECT_EQ(Bytes(DataFilePath()), before);
}

TEST_F(DataFileUnderClock, ChangesTheFileRefusesAsTheSessionEndsComeBackAtTheNextStart) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Tea", Day() + At(9, 0, 1)), OneTime("Lunch", Day() + At(12, 0))});
    const std::string before = Bytes(DataFilePath());
    Start();
    // Acknowledged and added just before the log-off, with the file held by another program.
    headless::LockFile(DataFilePath(), true);
    Answer("Ok");
    headless::QueueMessageBoxAnswer(idresult::kOk);  // the failed write, told once
    Tick(5);
    ASSERT_EQ(OneTimeRow(1).Status, kStatusDone);
    form->AppendOneTimeReminder(std::make_unique<TReminder>(OneTime("Added", Day(1) + At(8, 0))));
    EXPECT_ANY_THROW(form->SaveChanges());
    const std::size_t boxes = Boxes();
    form->FormSystemEvent(SystemEvent::SessionEnding);
    EXPECT_EQ(Boxes(), boxes) << "nobody is asked or told as the session ends";
    EXPECT_TRUE(Exists(UnsavedChangesFilePath()));
    headless::LockFile(DataFilePath(), false);
    EXPECT_EQ(Bytes(DataFilePath()), before);
    EXPECT_EQ(TakeEvents().size(), 2u);  // the notification and its sound

    // The next start reads both; of a reminder both hold, the kept change counts.
    headless::SetClock(Clock(9, 30));
    Restart();
    EXPECT_EQ(OneTimeList(), (Events{"Tea", "Lunch", "Added"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone) << "acknowledged, not missed";
    Tick(5);
    EXPECT_EQ(TakeEvents(), Events{}) << "nothing notified again or listed as missed";
    EXPECT_FALSE(form->ChangesUnsaved());
    const DataFileContents saved = ReadDataFile();
    EXPECT_EQ(Messages(saved.oneTime), (Events{"Tea", "Lunch", "Added"}));
    EXPECT_EQ(saved.oneTime[0].Status, kStatusDone);
    EXPECT_FALSE(Exists(UnsavedChangesFilePath())) << "removed once saved";
    EXPECT_EQ(Boxes(), boxes);
}

TEST_F(DataFileUnderClock, AtMidnightADamagedFileLeavesTheListsMovedOnInMemoryAndIsTold) {
    headless::SetClock(Clock(23, 59, 50));
    WriteDataFile({OneTime("Tomorrow", Day(1) + At(8, 0))}, {Repeating("Daily", At(7, 0))});
    Start();
    const std::string damaged = "MZ not a data file";
    {
        std::ofstream out(headless::HostPath(DataFilePath()), std::ios::binary | std::ios::trunc);
        out << damaged;
    }
    headless::QueueMessageBoxAnswer(idresult::kOk);
    Tick(15);  // past midnight
    EXPECT_EQ(form->LoadDate(), Day(1));
    EXPECT_EQ(OneTimeList(), Events{"Tomorrow"});
    EXPECT_EQ(OneTimeRow(1).Status, kStatusPending) << "moved on to the new date";
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day(1) + At(7, 0));
    ASSERT_EQ(Boxes(), 1u);
    const std::string& text = headless::MessageBoxLog()[0].text;
    EXPECT_NE(text.find("is damaged"), std::string::npos) << text;
    EXPECT_NE(text.find("the lists stay as they were"), std::string::npos) << text;
    EXPECT_EQ(Bytes(BackupFilePath()), damaged);
    Tick(10);
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_FALSE(form->ChangesUnsaved());
    EXPECT_EQ(Messages(ReadDataFile().oneTime), Events{"Tomorrow"});
}

}  // namespace
}  // namespace pellino::testing
