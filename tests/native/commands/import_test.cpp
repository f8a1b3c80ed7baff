// "Import from Pellino 1.x File": the open dialog, the file name check, the reminders added in due
// order, the data file written, and a file that another program holds.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>

#include "clock/clock_fixture.h"
#include "model/version1.h"
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
    headless::QueueMessageBoxAnswer(idresult::kOk);
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
    headless::QueueMessageBoxAnswer(idresult::kOk);
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

// The list and the selected row after adding `lines` to a list that holds `present`: through the
// import, or through placing each line's reminder in turn, as a new reminder is placed.
struct ListAfter {
    Texts list;
    int selected = 0;
    bool operator==(const ListAfter&) const = default;
};

class ImportOrderTest : public ImportTest {
protected:
    ListAfter Imported(const std::vector<TReminder>& present,
                       const std::vector<std::string>& lines) {
        ResetProgram();
        WriteDataFile(present);
        Start();
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        Import(WriteAlarmsDat("ALARMS.DAT", text));
        return {OneTimeList(), form->AlarmGrid.Row()};
    }

    ListAfter PlacedOneByOne(const std::vector<TReminder>& present,
                             const std::vector<std::string>& lines) {
        ResetProgram();
        WriteDataFile(present);
        Start();
        for (const std::string& line : lines) {
            std::unique_ptr<TReminder> reminder = ReminderFromVersion1Line(line);
            if (!reminder) continue;
            reminder->RefreshStatus();
            form->AppendOneTimeReminder(std::move(reminder));
        }
        return {OneTimeList(), form->AlarmGrid.Row()};
    }
};

// A line of the first version's file for 6 January 2026 plus `day` days at hh:mm.
std::string Line(const std::string& text, int day, int hour, int minute) {
    std::ostringstream line;
    line << hour << ':' << (minute < 10 ? "0" : "") << minute << '^' << text << "^x^3^01/"
         << (6 + day) << "/2026^^0";
    return line.str();
}

TEST_F(ImportOrderTest, PlacesEveryReminderWhereAddingThemOneByOneWould) {
    headless::SetClock(Clock(9, 0));
    // Few distinct moments, so that most reminders share theirs with others, old and new.
    const auto moment = [](std::uint32_t n) {
        return std::array<int, 3>{static_cast<int>(n % 3), 9 + static_cast<int>(n / 3 % 2),
                                  static_cast<int>(n / 6 % 2) * 30};
    };
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    const auto reminders = [&](const std::string& stem, int count) {
        std::vector<TReminder> list;
        for (int i = 0; i < count; ++i) {
            const auto [day, hour, minute] = moment(next());
            list.push_back(OneTime(stem + std::to_string(i), Day(1 + day) + At(hour, minute)));
        }
        return list;
    };
    const auto sortedByDue = [](std::vector<TReminder> list) {
        std::stable_sort(list.begin(), list.end(), [](const TReminder& a, const TReminder& b) {
            return a.DueDateTime < b.DueDateTime;
        });
        return list;
    };
    std::vector<TReminder> withUnreadable = reminders("odd", 6);
    withUnreadable[0].DueDateTime = std::numeric_limits<double>::quiet_NaN();
    withUnreadable[3].DueDateTime = std::numeric_limits<double>::quiet_NaN();

    struct Case {
        const char* what;
        std::vector<TReminder> present;
        int imported;
    };
    const std::vector<Case> cases = {
        {"an empty list", {}, 40},
        {"a list in due order", sortedByDue(reminders("old", 25)), 40},
        // A foreign file need not be in due order; its rows keep their order around the new ones.
        {"a list out of order", reminders("old", 25), 40},
        {"a list with moments that compare with nothing", withUnreadable, 20},
        {"one reminder into a long list", sortedByDue(reminders("old", 30)), 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        for (int i = 0; i < c.imported; ++i) {
            const auto [day, hour, minute] = moment(next());
            lines.push_back(Line("new" + std::to_string(i), day, hour, minute));
        }
        const ListAfter expected = PlacedOneByOne(c.present, lines);
        ASSERT_EQ(expected.list.size(), c.present.size() + static_cast<std::size_t>(c.imported))
            << c.what;
        const ListAfter imported = Imported(c.present, lines);
        EXPECT_EQ(imported.list, expected.list) << c.what;
        EXPECT_EQ(imported.selected, expected.selected) << c.what;
        EXPECT_EQ(ReadDataFile().oneTime.size(), expected.list.size()) << c.what;
    }
}

}  // namespace
}  // namespace pellino::testing
