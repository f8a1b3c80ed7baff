// The clock across days: the reload at a new date, the date set back, and the data file that holds
// every change of the clock so that the reload (or the next start) finds it.

#include "clock/clock_fixture.h"
#include "platform/application.h"
#include "platform/dialogs.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

TEST_F(ClockTest, TheFirstTickOfANewDayReloadsAndChecksNothing) {
    headless::SetClock(Clock(23, 59, 57));
    // Stored as Not Today yesterday; the reload makes it Pending, already due.
    WriteDataFile({OneTime("Midnight", Day(1) + At(0, 0))});
    Start();
    Tick(2);
    EXPECT_EQ(form->TickCounter(), 2);
    EXPECT_EQ(OneTimeRow(1).Status, kStatusNotToday);

    Tick();  // 00:00:00
    EXPECT_EQ(form->LoadDate(), Day(1));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusPending);
    EXPECT_EQ(form->TickCounter(), 2) << "the reload tick does not count";
    EXPECT_EQ(form->TimePanel.Text(), "12:00:00am");

    Tick(2);
    EXPECT_EQ(TakeEvents(), Events{}) << "no check before the fifth counted tick";
    Answer("Ok");
    Tick();
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Midnight.WAV", "window 'Midnight' with Delete: Ok"}));
}

TEST_F(ClockTest, RemindersOfTheEndingDayAreNotifiedBeforeTheListsMoveOn) {
    // Due in the last seconds of the day, between the last check and midnight.
    headless::SetClock(Clock(23, 59, 55));
    WriteDataFile({OneTime("Late", Day() + At(23, 59, 58)), OneTime("Tomorrow", Day(1) + At(8, 0))},
                  {Repeating("Nightly", At(23, 59, 59))});
    Start();
    Answer("Ok");
    Answer("Ok");
    Tick(5);  // 00:00:00, the first tick of the new date
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Late.WAV", "window 'Late' with Delete: Ok",
                                    "sound C:\\SOUNDS\\Nightly.WAV", "window 'Nightly': Ok"}));
    EXPECT_EQ(form->LoadDate(), Day(1));
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Late", "Tomorrow"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone) << "acknowledged, not Expired unseen";
    EXPECT_EQ(OneTimeRow(2).Status, kStatusPending);
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day(1) + At(23, 59, 59));
    EXPECT_EQ(ReadDataFile().oneTime.at(0).Status, kStatusDone);
}

TEST_F(ClockTest, WhatFallsDueUnderAnOpenWindowAcrossMidnightIsNotifiedAtOnce) {
    // The About box stays open from before midnight to after it; the reminder that falls due in
    // between comes up over it, and the lists move on to the new date under it too.
    headless::SetClock(Clock(23, 59, 50));
    WriteDataFile({OneTime("Meanwhile", Day() + At(23, 59, 58))});
    Start();
    Answer("Ok");
    headless::ScriptModal("TSplashform", [this](Form& about) {
        headless::AdvanceClock(20'000);
        log.push_back("about closed");
        about.SetModalResult(mr::kOk);
    });
    form->mnuAboutClick();
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Meanwhile.WAV",
                                    "window 'Meanwhile' with Delete: Ok", "about closed"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
    EXPECT_EQ(form->LoadDate(), Day(1));

    // A notification stays open across midnight; the reminder after it in the list, due before
    // midnight, is notified in the same pass.
    ResetProgram();
    headless::SetClock(Clock(23, 59, 50));
    WriteDataFile(
        {OneTime("First", Day() + At(23, 59, 51)), OneTime("Second", Day() + At(23, 59, 58))});
    Start();
    onWindow = [this] {
        if (log.size() == 2) headless::AdvanceClock(60'000);
        onWindow = nullptr;
    };
    Answer("Ok");
    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\First.WAV", "window 'First' with Delete: Ok",
                      "sound C:\\SOUNDS\\Second.WAV", "window 'Second' with Delete: Ok"}));
    Tick();
    EXPECT_EQ(form->LoadDate(), Day(1));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
    EXPECT_EQ(OneTimeRow(2).Status, kStatusDone);
}

TEST_F(ClockTest, ADataFileThatWentAwayDuringTheDayIsWrittenAgainAtMidnight) {
    headless::SetClock(Clock(23, 59, 50));
    WriteDataFile({OneTime("Tomorrow", Day(1) + At(8, 0))}, {Repeating("Daily", At(7, 0))});
    Start();
    ASSERT_TRUE(DeleteFileIfExists(DataFilePath()));
    Tick(15);
    EXPECT_EQ(form->LoadDate(), Day(1));
    ASSERT_EQ(OneTimeList(), std::vector<std::string>{"Tomorrow"}) << "the lists are kept";
    ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), 2);
    EXPECT_EQ(OneTimeRow(1).Status, kStatusPending) << "and moved on to the new date";
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day(1) + At(7, 0));
    const DataFileContents stored = ReadDataFile();
    ASSERT_EQ(stored.oneTime.size(), 1u) << "the file is written again at once";
    EXPECT_EQ(stored.oneTime[0].Description, "Tomorrow");
    ASSERT_EQ(stored.repeating.size(), 1u);
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

TEST_F(ClockTest, TheButtonsFollowTheListsAfterTheReloadAndTheClocksRemovals) {
    const auto buttons = [this] {
        return std::string(form->EditAlarmButton.Enabled() ? "Edit" : "-") + " " +
               (form->DeleteAlarmButton.Enabled() ? "Delete" : "-") + " " +
               (form->CloneButton.Enabled() ? "Clone" : "-") + " " +
               (form->AdjustTimeButton.Enabled() ? "Adjust" : "-") + ", fixed rows " +
               std::to_string(form->AlarmGrid.FixedRows());
    };
    headless::SetClock(Clock(23, 59, 50));
    WriteDataFile({OneTime("Only", Day() + At(23, 59, 52))});
    Start();
    EXPECT_EQ(buttons(), "Edit Delete Clone Adjust, fixed rows 1");
    Answer("Delete");
    Tick(5);
    ASSERT_EQ(OneTimeList(), std::vector<std::string>{});
    EXPECT_EQ(buttons(), "- - - -, fixed rows 0") << "after the notification's Delete";

    // Another copy of the program wrote a reminder for tomorrow; midnight reads it.
    WriteDataFile({OneTime("Read at midnight", Day(1) + At(8, 0))});
    Tick(10);
    ASSERT_EQ(OneTimeList(), std::vector<std::string>{"Read at midnight"});
    EXPECT_EQ(buttons(), "Edit Delete Clone Adjust, fixed rows 1") << "after the reload";
}

TEST_F(ClockTest, ADateSetBackMovesTheListsToThatDateAsAForwardOneDoes) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Kept", Day(1) + At(18, 0))});
    Start();
    // Another program's copy of the file; only a reload shows it.
    WriteDataFile({OneTime("Reloaded", Day(-1) + At(9, 0, 30))});

    headless::SetClock(Clock(9, 0, 0, 0, 4));
    Tick();
    EXPECT_EQ(OneTimeList(), std::vector<std::string>{"Reloaded"});
    EXPECT_EQ(form->LoadDate(), Day(-1));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusPending) << "due on the date the clock now shows";
    Answer("Ok");
    Tick(30);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Reloaded.WAV", "window 'Reloaded' with Delete: Ok"}));

    headless::SetClock(Clock(9, 0, 0, 0, 6));
    Tick();
    EXPECT_EQ(form->LoadDate(), Day(1));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone) << "what was done stays done";
}

TEST_F(ClockTest, TheDataFileHoldsEveryChangeRightAfterThePass) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Done", Day() + At(9, 0, 1)), OneTime("Deleted", Day() + At(9, 0, 1)),
                   OneTime("Snoozed", Day() + At(9, 0, 1))},
                  {Repeating("Again", At(9, 0, 1), 60)});
    Start();
    Answer("Ok");
    Answer("Delete");
    Answer("1 hour");
    Answer("Ok");
    Tick(5);
    const DataFileContents stored = ReadDataFile();
    ASSERT_EQ(stored.oneTime.size(), 2u) << "the deleted reminder is gone from the file";
    EXPECT_EQ(stored.oneTime[0].Description, "Done");
    EXPECT_EQ(stored.oneTime[0].Status, kStatusDone);
    EXPECT_EQ(stored.oneTime[1].Description, "Snoozed");
    // Answered in the third window, after three guards of 800 ms.
    EXPECT_DOUBLE_EQ(stored.oneTime[1].DueDateTime, AddMinutes(60, Day() + At(9, 0, 7, 400)));
    ASSERT_EQ(stored.repeating.size(), 1u);
    EXPECT_DOUBLE_EQ(stored.repeating[0].DueDateTime, Day() + AddMinutes(60, At(9, 0, 1)));
    EXPECT_FALSE(form->ChangesUnsaved());
}

TEST_F(ClockTest, ChangesOfTheClockSurviveTheReloadAtMidnight) {
    headless::SetClock(Clock(23, 57, 55));
    WriteDataFile(
        {OneTime("Snoozed", Day() + At(23, 57, 58)), OneTime("Done", Day() + At(23, 57, 58))});
    Start();
    Answer("24 hours");
    Answer("Ok");
    Tick(5);  // 23:58:00: the snoozed row moves below the other, which waits for the next check
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Done", "Snoozed"}));
    EXPECT_EQ(OneTimeRow(2).Status, kStatusNotToday);

    Tick(120);  // past midnight: the lists come from the file again
    ASSERT_EQ(form->LoadDate(), Day(1));
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Done", "Snoozed"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone) << "acknowledged, not Expired";
    EXPECT_EQ(OneTimeRow(2).Status, kStatusPending) << "due today, not back at its old moment";
    EXPECT_DOUBLE_EQ(OneTimeRow(2).DueDateTime,
                     AddMinutes(1440, Day() + At(23, 58, 0, kAlarmGuardMs)));
}

TEST_F(ClockTest, AFailedWriteIsShownOnceAndTriedAgainAtEveryPass) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Tea", Day() + At(9, 0, 1))});
    Start();
    headless::LockFile(DataFilePath(), true);
    Answer("Ok");
    headless::QueueMessageBoxAnswer(idresult::kOk);
    Tick(5);
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Cannot create file " + DataFilePath() + ".");
    EXPECT_EQ(headless::MessageBoxLog()[0].flags, mb::kOk | mb::kIconError);
    EXPECT_TRUE(form->ChangesUnsaved());
    EXPECT_TRUE(form->Timer1.Enabled()) << "the clock goes on";

    Tick(5);
    EXPECT_EQ(headless::MessageBoxLog().size(), 1u) << "the failure is not shown again";

    headless::LockFile(DataFilePath(), false);
    Tick(5);
    EXPECT_FALSE(form->ChangesUnsaved());
    EXPECT_EQ(ReadDataFile().oneTime.at(0).Status, kStatusDone);
    EXPECT_EQ(headless::MessageBoxLog().size(), 1u);
}

TEST_F(ClockTest, AtMidnightAFileThatCannotBeWrittenOrReadLeavesTheListsInMemory) {
    // Written at the start; the reload at midnight must not lose what only memory holds, nor empty
    // the lists because another program holds the file.
    for (const bool changed : {true, false}) {
        SCOPED_TRACE(changed ? "a snooze the file refused" : "nothing unsaved, file held");
        ResetProgram();
        headless::SetClock(Clock(23, 57, 55));
        // Unchanged, it is past its grace already: listed as missed, never notified.
        const TDateTime due = Day() + (changed ? At(23, 57, 58) : At(23, 40));
        WriteDataFile({OneTime("Snoozed", due), OneTime("Tomorrow", Day(1) + At(8, 0))},
                      {Repeating("Daily", At(7, 0))});
        if (!changed) SeeMissed();
        Start();
        if (changed) {
            headless::LockFile(DataFilePath(), true);
            headless::QueueMessageBoxAnswer(idresult::kOk);
            Answer("24 hours");
            Tick(5);
            ASSERT_TRUE(form->ChangesUnsaved());
            ASSERT_EQ(headless::MessageBoxLog().size(), 1u) << "the refused write is shown";
            EXPECT_EQ(headless::MessageBoxLog()[0].text,
                      "Cannot create file " + DataFilePath() + ".");
        } else {
            // The first pass writes the missed reminder as Expired; only then is the file held,
            // so that nothing waits to be written when the date moves on.
            Tick(5);
            ASSERT_FALSE(form->ChangesUnsaved());
            headless::LockFile(DataFilePath(), true);
        }
        Tick(125);  // past midnight
        EXPECT_EQ(headless::MessageBoxLog().size(), changed ? 1u : 0u)
            << "a refused write is shown once";
        EXPECT_EQ(form->LoadDate(), Day(1));
        EXPECT_EQ(OneTimeList(), changed ? (std::vector<std::string>{"Tomorrow", "Snoozed"})
                                         : (std::vector<std::string>{"Snoozed", "Tomorrow"}));
        EXPECT_EQ(OneTimeRow(1).Status, changed ? kStatusPending : kStatusExpired);
        EXPECT_EQ(OneTimeRow(2).Status, kStatusPending) << "moved on to the new date";
        EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day(1) + At(7, 0));

        headless::LockFile(DataFilePath(), false);
        Tick(5);
        EXPECT_FALSE(form->ChangesUnsaved());
        if (changed) {
            EXPECT_DOUBLE_EQ(ReadDataFile().oneTime.at(1).DueDateTime,
                             AddMinutes(1440, Day() + At(23, 58, 0, kAlarmGuardMs)));
        }
    }
}

TEST_F(ClockTest, ClosingTheProgramUnderANotificationAnswersNothing) {
    // The close command reaches the main window while a notification is up (another program
    // closes it, or the user logs off). The window ends with the close command's code, which must
    // not be taken for Delete, and nothing after it in the pass is notified.
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Deleted", Day() + At(9, 0, 1)), OneTime("Open", Day() + At(9, 0, 1)),
                   OneTime("Later", Day() + At(9, 0, 1))},
                  {Repeating("Daily", At(9, 0, 1))});
    Start();
    Application::Run(*form);  // makes it the main window; the headless loop returns at once
    Answer("Delete");
    headless::ScriptModal("TAlarmShow", [this](Form&) {
        log.push_back("program closed");
        form->Close();
    });
    Tick(5);
    // The window's sound is logged after its answer; nothing comes after the close.
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Deleted.WAV", "window 'Deleted' with Delete: Delete",
                      "program closed", "sound C:\\SOUNDS\\Open.WAV"}));
    EXPECT_TRUE(Application::Terminated());
    const DataFileContents stored = ReadDataFile();
    ASSERT_EQ(stored.oneTime.size(), 2u) << "only the deleted reminder is gone";
    EXPECT_EQ(stored.oneTime[0].Description, "Open");
    EXPECT_EQ(stored.oneTime[0].Status, kStatusPending) << "to be notified at the next start";
    EXPECT_EQ(stored.oneTime[1].Description, "Later");
    ASSERT_EQ(stored.repeating.size(), 1u);
    EXPECT_DOUBLE_EQ(stored.repeating[0].DueDateTime, Day() + At(9, 0, 1));
}

}  // namespace
}  // namespace pellino::testing
