// No reminder slips by unseen: the clock runs under every dialog and box, a command keeps the
// reminder it works on, reminders missed while the program was off or the machine slept are
// listed once, and the platform's word of a wake, a clock change or the session's end is acted on
// at once.

#include "clock/clock_fixture.h"
#include "editors/editalarmexact.h"
#include "platform/application.h"
#include "platform/dialogs.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

class ClockUnseenTest : public ClockTest {
protected:
    void TearDown() override {
        headless::SetUnexpectedMessageBoxHandler(nullptr);
        ClockTest::TearDown();
    }

    // The next one-time editor: `act` runs on it like the user.
    void OnEditor(std::function<void(TEditAlarmExact&)> act) {
        headless::ScriptModal("TEditAlarmExact",
                              [act](Form& shown) { act(static_cast<TEditAlarmExact&>(shown)); });
    }

    std::string Selected() const {
        const TReminder* r = TMainForm::ReminderAt(form->AlarmGrid, form->AlarmGrid.Row());
        return r ? r->Description : "<none>";
    }

    static TReminder WithStatus(TReminder reminder, std::uint8_t status) {
        reminder.Status = status;
        return reminder;
    }
};

TEST_F(ClockUnseenTest, AnEditorLeftOpenHoldsBackOnlyItsOwnReminder) {
    headless::SetClock(Clock(9, 58));
    WriteDataFile({OneTime("Coffee", Day() + At(9, 59)),
                   OneTime("Edited", Day() + At(10, 0), kNotifyMessageOnly),
                   OneTime("Lunch", Day() + At(12, 0))});
    Start();
    form->AlarmGrid.SetRow(2);
    Answer("10 minutes");
    OnEditor([this](TEditAlarmExact& editor) {
        Tick(180);
        log.push_back("editor open, clock at " + form->TimePanel.Text());
        editor.Descript.SetText("Edited later");
        editor.SetAlarmButton.Click();
    });
    form->EditAlarmButton.Click();
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Coffee.WAV", "window 'Coffee' with Delete: 10 minutes",
                      "editor open, clock at 10:01:00am"}))
        << "the reminder under the editor was not notified, the other one was, at once";
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Edited later", "Coffee", "Lunch"}))
        << "the editor changed the reminder it was opened on, though the snooze moved rows";
    EXPECT_EQ(Selected(), "Edited later");

    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"window 'Edited later' with Delete: Ok"}))
        << "its turn comes at the first check after the command";
}

TEST_F(ClockUnseenTest, AReminderMovedEarlierUnderARunningClockFallsDueAtItsNewTime) {
    // The clock looks at the list while the editor is open; the edit must not leave it with what
    // it saw then.
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Only", Day() + At(12, 0), kNotifyMessageOnly)});
    Start();
    OnEditor([this](TEditAlarmExact& editor) {
        Tick(10);
        editor.TimeEdit.SetText("9:01 AM");
        editor.SetAlarmButton.Click();
    });
    form->EditAlarmButton.Click();
    Answer("Ok");
    Tick(60);
    EXPECT_EQ(TakeEvents(), (Events{"window 'Only' with Delete: Ok"}));
}

TEST_F(ClockUnseenTest, TheReminderUnderTheDeleteQuestionWaitsAndIsTheOneDeleted) {
    headless::SetClock(Clock(9, 58, 50));
    WriteDataFile({OneTime("Other", Day() + At(9, 58, 58)), OneTime("Doomed", Day() + At(9, 59))});
    Start();
    form->AlarmGrid.SetRow(2);
    Answer("Delete");
    headless::SetUnexpectedMessageBoxHandler([this](const headless::MessageBoxCall& box) {
        log.push_back("asked '" + box.text + "'");
        Tick(30);
        return idresult::kYes;
    });
    form->DeleteAlarmButton.Click();
    EXPECT_EQ(TakeEvents(), (Events{"asked 'Delete this reminder?'", "sound C:\\SOUNDS\\Other.WAV",
                                    "window 'Other' with Delete: Delete"}));
    EXPECT_EQ(OneTimeList(), std::vector<std::string>{}) << "both went, each by its own answer";
    EXPECT_TRUE(ReadDataFile().oneTime.empty());
}

TEST_F(ClockUnseenTest, RemindersMissedWhileTheProgramWasOffAreListedOnceAtTheStart) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile(
        {
            OneTime("Last week", Day(-7) + At(9, 0)),
            WithStatus(OneTime("Yesterday", Day(-1) + At(9, 0)), kStatusNotToday),
            WithStatus(OneTime("Seen", Day(-1) + At(10, 0)), kStatusDone),
            WithStatus(OneTime("Told before", Day(-2) + At(10, 0)), kStatusExpired),
            OneTime("Half an hour ago", Day() + At(8, 30)),
            OneTime("Five minutes ago", Day() + At(8, 55)),  // within the grace: notified
            OneTime("Later", Day() + At(10, 0)),
        },
        {
            [] {
                TReminder r = Repeating("Pills", At(8, 0));
                r.DueDateTime = Day(-1) + At(8, 0);  // scheduled yesterday, never shown
                return r;
            }(),
            [] {
                TReminder r = Repeating("Stretch", At(7, 0), 30);
                r.DueDateTime = Day() + At(8, 52);  // minutes ago: still notified
                return r;
            }(),
        });
    SeeMissed();
    Answer("Ok");
    Answer("Ok");
    Start();
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"missed: [12/29/2025 9:00 AM Last week] [1/4/2026 8:00 AM Pills] "
                      "[1/4/2026 9:00 AM Yesterday] [1/5/2026 8:30 AM Half an hour ago]",
                      "sound C:\\SOUNDS\\Five minutes ago.WAV",
                      "window 'Five minutes ago' with Delete: Ok", "sound C:\\SOUNDS\\Stretch.WAV",
                      "window 'Stretch': Ok"}));
    EXPECT_EQ(RepeatingRow(1).Status, kStatusNotToday) << "missed, and on to the next day";
    EXPECT_NEAR(RepeatingRow(2).DueDateTime, Day() + At(9, 30), 1e-6);

    // The next start has nothing more to tell: an unscripted list would fail the test.
    form->Close();
    form.reset();
    Application::Reset();
    TakeEvents();
    headless::SetClock(Clock(9, 10));
    Start();
    Tick(60);
    EXPECT_EQ(TakeEvents(), Events{});
}

TEST_F(ClockUnseenTest, AClockThatJumpsIsActedOnAtOnce) {
    // Forward a day, as a sleep through the night or a clock set forward does: what the new day
    // had before the new time is listed, what is still to come falls due.
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Early tomorrow", Day(1) + At(8, 0)),
                   OneTime("Late tomorrow", Day(1) + At(10, 0, 30))});
    Start();
    SeeMissed();
    headless::SetClock(Clock(10, 0, 0, 0, 6));
    form->FormSystemEvent(SystemEvent::TimeChanged);
    EXPECT_EQ(TakeEvents(), Events{"missed: [1/6/2026 8:00 AM Early tomorrow]"});
    EXPECT_EQ(form->LoadDate(), Day(1));
    Answer("Ok");
    headless::SetClock(Clock(10, 0, 31, 0, 6));
    form->FormSystemEvent(SystemEvent::Resumed);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Late tomorrow.WAV",
                                    "window 'Late tomorrow' with Delete: Ok"}))
        << "a wake checks at once, not at the next fifth tick";

    // Back an hour on the same day: what was done stays done, nothing is listed again.
    headless::SetClock(Clock(9, 30, 0, 0, 6));
    form->FormSystemEvent(SystemEvent::TimeChanged);
    Tick(120 * 60);
    EXPECT_EQ(TakeEvents(), Events{});
    EXPECT_EQ(OneTimeRow(2).Status, kStatusDone);
}

TEST_F(ClockUnseenTest, TheEndOfTheSessionWritesWhatIsNotOnTheDiskAndAsksNothing) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Kept", Day(1) + At(9, 0))});
    Start();
    form->AlarmGrid.SetRow(1);
    headless::LockFile(DataFilePath(), true);
    EXPECT_ANY_THROW(form->CloneButtonClick()) << "the clone's write is refused";
    ASSERT_TRUE(form->ChangesUnsaved());

    // Still refused as the session ends: no question, no message, and the old file stays whole.
    const std::size_t boxes = headless::MessageBoxLog().size();
    form->FormSystemEvent(SystemEvent::SessionEnding);
    EXPECT_EQ(headless::MessageBoxLog().size(), boxes);
    EXPECT_TRUE(FileExists(UnsavedChangesFilePath())) << "the clone waits beside the file";
    headless::LockFile(DataFilePath(), false);
    EXPECT_EQ(ReadDataFile().oneTime.size(), 1u);

    headless::LockFile(DataFilePath(), true);
    headless::LockFile(DataFilePath(), false);
    form->FormSystemEvent(SystemEvent::SessionEnding);
    EXPECT_EQ(ReadDataFile().oneTime.size(), 2u) << "the clone is on the disk";
    EXPECT_FALSE(form->ChangesUnsaved());
    EXPECT_FALSE(FileExists(UnsavedChangesFilePath())) << "and needs no keeping beside it";
}

}  // namespace
}  // namespace pellino::testing
