// The main window's commands on the lists: Delete with its question, Clone, the Delete key, the
// time adjustment menu, and the About window and help; each with the data file it leaves and the
// clock around it.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "clock/clock_fixture.h"
#include "mainwindow/splash.h"
#include "model/settings.h"
#include "pellino_version.h"
#include "platform/dialogs.h"
#include "platform/profile.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;

std::vector<std::uint8_t> DataFileBytes() {
    std::ifstream in(headless::HostPath(DataFilePath()), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Descriptions(const std::vector<TReminder>& list) {
    std::vector<std::string> texts;
    for (const TReminder& r : list) texts.push_back(r.Description);
    return texts;
}

class CommandsTest : public ClockTest {
protected:
    // The answer to the next question, with what the program looked like when it was asked.
    void AnswerQuestion(int answer) {
        headless::SetUnexpectedMessageBoxHandler([this, answer](const headless::MessageBoxCall& c) {
            log.push_back("asked '" + c.text + "' in '" + c.caption + "', clock " +
                          (form->Timer1.Enabled() ? "running" : "stopped"));
            return answer;
        });
    }

    void PressDelete(TClickableStringGrid& grid, ShiftState shift = {}) {
        int key = 46;
        grid.KeyDown(key, shift);
    }

    std::vector<std::string> RepeatingList() const {
        std::vector<std::string> texts;
        for (int row = 1; row < form->RepeatingAlarmGrid.RowCount(); ++row) {
            texts.push_back(RepeatingRow(row).Description);
        }
        return texts;
    }
};

TEST_F(CommandsTest, DeleteAsksUnderARunningClockAndSelectsTheRowThatFollowed) {
    const struct {
        const char* what;
        int row;
        Texts left;
        int selected;
    } cases[] = {
        {"a middle row", 2, {"A", "C"}, 2},
        {"the last row", 3, {"A", "B"}, 2},
        {"the first row", 1, {"B", "C"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgram();
        WriteDataFile({OneTime("A", Day(1) + At(8, 0)), OneTime("B", Day(1) + At(9, 0)),
                       OneTime("C", Day(1) + At(10, 0))});
        Start();
        form->AlarmGrid.SetRow(c.row);
        AnswerQuestion(idresult::kYes);
        form->DeleteAlarmButton.Click();
        EXPECT_EQ(TakeEvents(), Texts{"asked 'Delete this reminder?' in 'Confirm', clock running"});
        EXPECT_EQ(headless::MessageBoxLog().at(0).flags, mb::kYesNo | mb::kIconQuestion);
        EXPECT_EQ(OneTimeList(), c.left);
        EXPECT_EQ(form->AlarmGrid.Row(), c.selected);
        EXPECT_EQ(Descriptions(ReadDataFile().oneTime), c.left) << "written at once";
        EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs again";
    }
}

TEST_F(CommandsTest, AnsweringNoChangesNothingAndWritesNothing) {
    WriteDataFile({OneTime("Keep me", Day(1) + At(8, 0))});
    const auto before = DataFileBytes();
    Start();
    AnswerQuestion(idresult::kNo);
    form->DeleteAlarmButton.Click();
    EXPECT_EQ(OneTimeList(), Texts{"Keep me"});
    EXPECT_EQ(DataFileBytes(), before);
    EXPECT_TRUE(form->Timer1.Enabled());
}

TEST_F(CommandsTest, DeletingTheOnlyReminderEmptiesTheListAndDisablesItsButtons) {
    WriteDataFile({}, {Repeating("Only one", At(18, 0))});
    Start();
    form->TabSet_.SetTabIndex(1);
    form->TabSetClick();
    ASSERT_TRUE(form->EditAlarmButton.Enabled());
    AnswerQuestion(idresult::kYes);
    form->DeleteAlarmButton.Click();
    EXPECT_EQ(RepeatingList(), Texts{});
    EXPECT_FALSE(form->EditAlarmButton.Enabled());
    EXPECT_FALSE(form->DeleteAlarmButton.Enabled());
    const DataFileContents stored = ReadDataFile();
    EXPECT_TRUE(stored.repeating.empty());
    EXPECT_EQ(stored.oneTime.size(), 0u);
}

TEST_F(CommandsTest, TheDeleteKeyDeletesWhateverShiftKeysAreHeld) {
    WriteDataFile({OneTime("1", Day(1) + At(8, 0)), OneTime("2", Day(1) + At(9, 0))},
                  {Repeating("R", At(18, 0))});
    Start();
    AnswerQuestion(idresult::kNo);
    PressDelete(form->AlarmGrid);
    PressDelete(form->AlarmGrid, ShiftState{.shift = true});
    PressDelete(form->AlarmGrid, ShiftState{.ctrl = true});
    EXPECT_EQ(TakeEvents().size(), 3u) << "each one asks";
    int other = 45;  // Insert: no command
    form->AlarmGrid.KeyDown(other, {});
    EXPECT_EQ(TakeEvents(), Texts{});

    // The key acts on the list of the page shown, which the repeating grid's key handler shares.
    form->TabSet_.SetTabIndex(1);
    form->TabSetClick();
    AnswerQuestion(idresult::kYes);
    PressDelete(form->RepeatingAlarmGrid);
    EXPECT_EQ(RepeatingList(), Texts{});
    EXPECT_EQ(OneTimeList(), (Texts{"1", "2"}));
}

TEST_F(CommandsTest, InAnEmptyListDeleteAsksNothingAndRemindersStillFallDue) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({}, {Repeating("Tea", At(9, 0, 8))});
    Start();
    PressDelete(form->AlarmGrid);
    form->DeleteAlarmButton.Click();
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    EXPECT_TRUE(form->Timer1.Enabled());
    Answer("Ok");
    Tick(15);
    EXPECT_EQ(TakeEvents(), (Texts{"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea': Ok"}));
}

TEST_F(CommandsTest, ACloneLandsAboveItsOriginalSelectedAndIsWritten) {
    TReminder done = OneTime("Dentist", Day(2) + At(15, 0));
    done.Status = kStatusDone;
    WriteDataFile({OneTime("Early", Day(1) + At(8, 0)), done, OneTime("Late", Day(3) + At(8, 0))});
    Start();
    form->AlarmGrid.SetRow(2);
    form->CloneButton.Click();
    form->CloneButton.Click();
    EXPECT_EQ(OneTimeList(), (Texts{"Early", "Dentist", "Dentist", "Dentist", "Late"}));
    EXPECT_EQ(form->AlarmGrid.Row(), 2) << "the newest copy is on top of the three and selected";
    EXPECT_NE(&OneTimeRow(2), &OneTimeRow(3)) << "a record of its own";
    EXPECT_EQ(OneTimeRow(2).Status, kStatusDone) << "every field is copied, the status too";
    EXPECT_EQ(Descriptions(ReadDataFile().oneTime),
              (Texts{"Early", "Dentist", "Dentist", "Dentist", "Late"}));
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

TEST_F(CommandsTest, CloneActsOnTheOneTimeListOnlyAndNotOnAnEmptyOne) {
    WriteDataFile({}, {Repeating("R", At(18, 0))});
    Start();
    form->CloneButton.Click();
    EXPECT_EQ(OneTimeList(), Texts{});
    EXPECT_EQ(RepeatingList(), Texts{"R"});
    EXPECT_FALSE(std::filesystem::exists(headless::HostPath(TemporaryDataFilePath())));
}

TEST_F(CommandsTest, AFailedWriteIsShownAndTheClockWritesTheChangeLater) {
    WriteDataFile({OneTime("Copy me", Day(1) + At(8, 0))});
    Start();
    headless::LockFile(DataFilePath(), true);
    headless::QueueMessageBoxAnswer(idresult::kOk);
    form->CloneButton.Click();
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Cannot create file " + DataFilePath() + ".");
    EXPECT_TRUE(form->ChangesUnsaved());
    Tick(5);
    EXPECT_EQ(headless::MessageBoxLog().size(), 1u) << "shown once, by the command";
    headless::LockFile(DataFilePath(), false);
    Tick(5);
    EXPECT_FALSE(form->ChangesUnsaved());
    EXPECT_EQ(ReadDataFile().oneTime.size(), 2u);
}

TEST_F(CommandsTest, TheAdjustMenuHasItsNineteenStepsAndDropsDownUnderItsButton) {
    WriteDataFile({OneTime("A", Day(1) + At(8, 0))});
    Start();
    Texts items;
    for (MenuItem* item : form->AdjustItemTimeMenu.Items.Items()) {
        items.push_back(item->Caption() + " " + std::to_string(item->Tag()));
    }
    EXPECT_EQ(items, (Texts{"+1 Minute 1", "+5 Minutes 5", "+20 Minutes 20", "+1 Hour 60",
                            "+2 Hours 120", "+6 Hours 360", "+12 Hours 720", "+1 Day 1440",
                            "+1 Week 10080", "- 0", "-1 Minute -1", "-5 Minutes -5",
                            "-20 Minutes -20", "-1 Hour -60", "-2 Hours -120", "-6 Hours -360",
                            "-12 Hours -720", "-1 Day -1440", "-1 Week -10080"}));
    form->AdjustTimeButton.Click();
    EXPECT_EQ(headless::PopupLog(), Texts{"AdjustTimeButton"});
}

TEST_F(CommandsTest, AdjustingShiftsTheOwnMomentReArmsAndReplacesTheRow) {
    const TDateTime nine = Day() + At(9, 0);
    const struct {
        const char* what;
        LocalTime now;
        std::uint8_t storedStatus;
        MenuItem TMainForm::*item;
        TDateTime due;
        std::uint8_t status;
    } cases[] = {
        {"a Done reminder, +1 minute at 9:05, is due again", Clock(9, 5), kStatusDone,
         &TMainForm::Add1Minute, AddMinutes(1, nine), kStatusPending},
        {"the same at 9:30 is past its grace", Clock(9, 30), kStatusDone, &TMainForm::Add1Minute,
         AddMinutes(1, nine), kStatusExpired},
        {"+1 day is Not Today", Clock(8, 0), kStatusPending, &TMainForm::Add1Day,
         AddMinutes(1440, nine), kStatusNotToday},
        {"-1 hour from an Expired one", Clock(8, 30), kStatusExpired, &TMainForm::Less1Hour,
         AddMinutes(-60, nine), kStatusExpired},
        {"-1 week near the first day clamps at zero", Clock(8, 0), kStatusPending,
         &TMainForm::LessOneWeek, 0, kStatusExpired},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgram();
        headless::SetClock(c.now);
        TReminder adjusted = OneTime("Adjusted", c.due == 0 ? 3.0 : nine);
        adjusted.Status = c.storedStatus;
        WriteDataFile({adjusted});
        Start();
        form->AdjustTimeButton.Click();
        (form.get()->*c.item).Click();
        EXPECT_EQ(OneTimeRow(1).DueDateTime, c.due);
        EXPECT_EQ(OneTimeRow(1).Status, c.status);
        EXPECT_EQ(ReadDataFile().oneTime.at(0).DueDateTime, c.due) << "written at once";
    }
}

TEST_F(CommandsTest, AnAdjustedRowMovesInDueOrderAndStaysSelected) {
    headless::SetClock(Clock(8, 0));
    WriteDataFile({OneTime("Moved", Day() + At(9, 0)), OneTime("Noon", Day() + At(12, 0)),
                   OneTime("Tomorrow", Day(1) + At(8, 0)),
                   OneTime("Later tomorrow", Day(1) + At(10, 0))});
    Start();
    form->Add1Day.Click();
    EXPECT_EQ(OneTimeList(), (Texts{"Noon", "Tomorrow", "Moved", "Later tomorrow"}))
        << "before the first reminder due at or after its new moment";
    EXPECT_EQ(form->AlarmGrid.Row(), 3);
}

TEST_F(CommandsTest, AdjustingWithoutAReminderChangesNothing) {
    Start();
    form->Add1Hour.Click();
    EXPECT_EQ(form->AlarmGrid.RowCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(headless::HostPath(DataFilePath())));
}

TEST_F(CommandsTest, AboutShowsItsWindowUnderARunningClockAndHelpAsksForItsTopic) {
    Start();
    headless::ScriptModal("TSplashform", [this](Form& shown) {
        auto& about = static_cast<TSplashform&>(shown);
        log.push_back(about.Caption() + ": " + about.VersionLabel.Text() + ", " +
                      about.PlatformLabel.Text() + ", clock " +
                      (form->Timer1.Enabled() ? "running" : "stopped") + ", focus on " +
                      (about.ActiveControl() ? about.ActiveControl()->Name() : "nothing"));
        EXPECT_FALSE(about.Logo.TabStop()) << "the logo is a picture, not a control";
        const Rect main = form->ScreenBounds();
        const Rect box = about.ScreenBounds();
        EXPECT_NEAR(box.left + box.right, main.left + main.right, 1) << "centred over the main";
        EXPECT_NEAR(box.top + box.bottom, main.top + main.bottom, 1) << "window";
        EXPECT_TRUE(about.StayOnTop());
        about.OkButton.Click();
    });
    form->mnuAbout.Click();
    EXPECT_EQ(TakeEvents(),
              Texts{"About Pellino!: Version " PELLINO_VERSION
                    ", 32-bit version for Windows 95, clock running, focus on OkButton"});
    EXPECT_TRUE(form->Timer1.Enabled());

    form->mnuContents.Click();
    headless::SetPlatformVersion({2, 6, 0});
    form->mnuContents.Click();
    EXPECT_EQ(headless::HelpLog(),
              (Texts{"C:\\PELLINO\\PELLINO.HLP #1009", "C:\\PELLINO\\PELLINO.CHM::/ctx1009.html"}))
        << "the help file's topic on a platform with WinHelp, the compiled one's from Vista on";
}

TEST_F(CommandsTest, MinimizeToSystemTrayTogglesAndIsSavedAtOnce) {
    Start();
    const auto stored = [] {
        return ReadProfileKey(SettingsFilePath(), settings::kTray, settings::kUse, "<missing>");
    };
    form->mnuUseTray.Click();
    EXPECT_TRUE(form->mnuUseTray.Checked());
    EXPECT_EQ(stored(), "1");
    form->mnuUseTray.Click();
    EXPECT_FALSE(form->mnuUseTray.Checked());
    EXPECT_EQ(stored(), "0");
}

}  // namespace
}  // namespace pellino::testing
