// "Import from Pellino 1.x File": the open dialog, the file name check, the reminders added in due
// order, the data file written, and a file that another program holds.

#include <filesystem>
#include <fstream>
#include <optional>

#include "clock/clock_fixture.h"
#include "platform/dialogs.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;

class ImportTest : public ClockTest {
protected:
    // Writes a version-1 file into the program folder; returns its program path.
    static std::string WriteAlarmsDat(const std::string& name, const std::string& text) {
        std::ofstream(headless::HostPath("C:\\PELLINO\\" + name), std::ios::binary) << text;
        return "C:\\PELLINO\\" + name;
    }

    // Runs the menu command with the dialog answered by `chosen` (nullopt: cancelled).
    void Import(std::optional<std::string> chosen) {
        headless::QueueOpenDialogAnswer(std::move(chosen));
        form->ImportfromPellino1xFile1.Click();
    }
};

// Tomorrow is 6 January 2026; yesterday 4 January.
const char* const kFile =
    "10:00^Tomorrow morning^x^3^01/06/2026^C:\\SOUNDS\\a.wav^0\r\n"
    "8:00^Yesterday^x^3^01/04/2026^^0\r\n"
    "7:00^Repeating kind^x^2^01/07/2026^^0\r\n"
    "not a time^Broken^x^3^01/07/2026^^0\r\n"
    "6:00^Early tomorrow^x^3^01/06/2026^^1\r\n";

TEST_F(ImportTest, AddsTheFutureRemindersInDueOrderAndWritesTheFile) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Already there", Day(1) + At(9, 0))});
    Start();
    Import(WriteAlarmsDat("alarms.DAT", kFile));
    const auto& dialog = headless::OpenDialogLog().at(0);
    EXPECT_EQ(dialog.filter, "Pellino 1.x File|Alarms.dat");
    EXPECT_EQ(dialog.fileName, "Alarms.dat");
    EXPECT_EQ(dialog.defaultExt, "dat");
    EXPECT_EQ(dialog.initialDir, "C:\\PELLINO\\");
    EXPECT_EQ(OneTimeList(), (Texts{"Early tomorrow", "Already there", "Tomorrow morning"}));
    EXPECT_EQ(form->AlarmGrid.Row(), 1) << "the last one imported, \"Early tomorrow\", is selected";
    EXPECT_EQ(OneTimeRow(1).Status, kStatusNotToday);
    EXPECT_EQ(OneTimeRow(1).NotifyMode, 1);
    EXPECT_EQ(ReadDataFile().oneTime.size(), 3u) << "written at once";
    EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs again";

    // The same file again adds every reminder again.
    Import("C:\\PELLINO\\alarms.DAT");
    EXPECT_EQ(OneTimeList().size(), 5u);
}

TEST_F(ImportTest, ACancelledDialogOrAnotherFileNameImportsNothing) {
    Start();
    const std::string other = WriteAlarmsDat("OTHER.DAT", kFile);
    Import(std::nullopt);
    Import(other);
    Import("C:\\PELLINO\\MISSING\\ALARMS.DAT");  // the name is right, but there is no file
    EXPECT_EQ(OneTimeList(), Texts{});
    EXPECT_FALSE(std::filesystem::exists(headless::HostPath(DataFilePath())))
        << "nothing was written";
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    EXPECT_TRUE(form->Timer1.Enabled());
}

TEST_F(ImportTest, AFileHeldByAnotherProgramIsReportedAndTheClockRunsOn) {
    Start();
    const std::string path = WriteAlarmsDat("ALARMS.DAT", kFile);
    headless::LockFile(path, true);
    Import(path);
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "I/O error 32.");
    EXPECT_EQ(OneTimeList(), Texts{});
    EXPECT_TRUE(form->Timer1.Enabled());
}

TEST_F(ImportTest, AnImportThatEndsInAnErrorStillBringsTheButtonsUpToDate) {
    Start();
    ASSERT_FALSE(form->EditAlarmButton.Enabled()) << "an empty list to start from";
    // The reminders are read and added, and then the data file refuses the write.
    headless::LockFile(DataFilePath(), true);
    Import(WriteAlarmsDat("ALARMS.DAT", kFile));
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Cannot create file " + DataFilePath() + ".");
    EXPECT_EQ(OneTimeList().size(), 2u);
    for (const Button* button : {&form->EditAlarmButton, &form->DeleteAlarmButton,
                                 &form->CloneButton, &form->AdjustTimeButton}) {
        EXPECT_TRUE(button->Enabled()) << button->Text();
    }
    EXPECT_EQ(form->AlarmGrid.FixedRows(), 1) << "the header row is fixed again";
}

}  // namespace
}  // namespace pellino::testing
