// Repeating reminders whose occurrences came while nobody watched: the program was not running,
// or the machine slept. The clock keeps the moment it last looked; at the next start or wake the
// latest occurrence since then is listed once, or notified when it came only minutes ago.

#include <optional>

#include "clock/clock_fixture.h"
#include "editors/editalarmrepeating.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/profile.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

TReminder RepeatingOn(const std::string& text, const std::string& days, TDateTime first,
                      std::int32_t interval = 0, std::optional<TDateTime> until = std::nullopt) {
    return *TReminder::CreateRepeating(first, until.has_value(), until.value_or(0), days, interval,
                                       text, "C:\\SOUNDS\\" + text + ".WAV",
                                       kNotifyMessageAndSound);
}

class ClockMissedRepeatingTest : public ClockTest {
protected:
    // Closes the program as the user does and starts it again at `at`.
    void Restart(const LocalTime& at) {
        form->Close();
        Crash();
        headless::SetClock(at);
        Start();
    }

    // The process ends with no close: no close query, no close event. (The stop of the sound
    // at the end is left out of the log.)
    void Crash() {
        form.reset();
        Application::Reset();
        const Events ending = TakeEvents();
        EXPECT_EQ(ending, Events{"sound <stop>"});
    }

    static std::string LastLook() {
        return ReadProfileKey(SettingsFilePath(), settings::kClock, settings::kLastLook,
                              "<missing>");
    }
};

TEST_F(ClockMissedRepeatingTest, ADailyReminderMissedWhileTheProgramWasOffIsListedOnce) {
    headless::SetClock(Clock(12, 0));
    WriteDataFile({}, {Repeating("Pills", At(10, 0))});
    Start();
    Tick(5);
    EXPECT_EQ(TakeEvents(), Events{}) << "the first run knows of no earlier look: nothing listed";
    form->Close();
    EXPECT_EQ(LastLook(), "2026-01-05 12:00:05.000") << "kept at the close";

    // The next day at noon: 10:00 went by while the program was off.
    SeeMissed();
    Crash();
    headless::SetClock(Clock(12, 0, 0, 0, 6));
    Start();
    Tick(5);
    EXPECT_EQ(TakeEvents(), Events{"missed: [1/6/2026 10:00 AM Pills]"});
    EXPECT_EQ(RepeatingRow(1).Status, kStatusNotToday) << "and on to tomorrow";

    // A second start has nothing to tell: an unscripted list would fail the test.
    Restart(Clock(12, 30, 0, 0, 6));
    Tick(60);
    EXPECT_EQ(TakeEvents(), Events{});
}

TEST_F(ClockMissedRepeatingTest, AfterDaysOffEachReminderIsListedOnceWithItsLatestOccurrence) {
    headless::SetClock(Clock(11, 10));  // Monday
    WriteDataFile({},
                  {
                      Repeating("Daily", At(10, 0)),
                      RepeatingOn("Monday", "1", At(10, 0)),  // came before the program's last look
                      RepeatingOn("Tuesday", "2", At(10, 0)),
                      RepeatingOn("Hourly", "3", At(0, 0), 60),  // Wednesdays, to the day's end
                      Repeating("Stretch", At(8, 0), 30),        // 09:00 came minutes ago: notified
                      RepeatingOn("Evening", "4", At(20, 0)),    // still to come
                      RepeatingOn("Weekend", "06", At(10, 0)),   // no weekend went by
                  });
    Start();
    Tick(5);
    EXPECT_EQ(TakeEvents(), Events{});

    SeeMissed();
    Answer("Ok");
    Restart(Clock(9, 5, 0, 0, 8));  // Thursday
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"missed: [1/6/2026 10:00 AM Tuesday] [1/7/2026 10:00 AM Daily] "
                                    "[1/7/2026 11:00 PM Hourly]",
                                    "sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': Ok"}));
    EXPECT_NEAR(RepeatingRow(5).DueDateTime, Day(3) + At(9, 30), 1e-6) << "Stretch goes on";
    EXPECT_EQ(RepeatingRow(6).Status, kStatusPending);
    EXPECT_NEAR(RepeatingRow(6).DueDateTime, Day(3) + At(20, 0), 1e-9) << "Evening comes today";

    Restart(Clock(9, 10, 0, 0, 8));
    Tick(60);
    EXPECT_EQ(TakeEvents(), Events{}) << "listed once";
}

TEST_F(ClockMissedRepeatingTest, AnOccurrenceMinutesBeforeTheStartIsNotifiedNotListed) {
    headless::SetClock(Clock(12, 0));
    WriteDataFile({}, {Repeating("Pills", At(10, 0))});
    Start();
    Tick(5);
    Answer("Ok");
    Restart(Clock(10, 9, 0, 0, 6));  // nine minutes after the next day's 10:00
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Pills.WAV", "window 'Pills': Ok"}));
    EXPECT_EQ(RepeatingRow(1).Status, kStatusNotToday);
}

TEST_F(ClockMissedRepeatingTest, ASleepOverTheNextDaysTimeIsListedAtTheWake) {
    headless::SetClock(Clock(11, 0));
    WriteDataFile({}, {Repeating("Pills", At(10, 0))});
    Start();
    Tick(5);
    SeeMissed();
    headless::SetClock(Clock(12, 0, 0, 0, 6));
    form->FormSystemEvent(SystemEvent::Resumed);
    EXPECT_EQ(TakeEvents(), Events{"missed: [1/6/2026 10:00 AM Pills]"});
    EXPECT_EQ(LastLook(), "2026-01-06 12:00:00.000") << "kept at the wake";

    // The process ends without a close: what it last kept holds.
    Crash();
    headless::SetClock(Clock(12, 5, 0, 0, 6));
    Start();
    Tick(60);
    EXPECT_EQ(TakeEvents(), Events{});
}

TEST_F(ClockMissedRepeatingTest, AReminderAddedAfterTheLastLookIsNotListedForEarlierTimes) {
    // The running clock keeps its moment only every few minutes; a reminder added in between,
    // for a time already past, must not be taken for one missed before it was made.
    headless::SetClock(Clock(9, 58));
    WriteDataFile({}, {Repeating("Other", At(7, 0))});
    Start();
    Tick(3 * 60);
    headless::ScriptModal("TEditAlarmRepeating", [](Form& shown) {
        auto& editor = static_cast<TEditAlarmRepeating&>(shown);
        editor.Descript.SetText("Late");
        editor.TimeEdit.SetText("10:00 AM");
        editor.SetAlarmButton.Click();
    });
    form->AddRepeating();
    ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), 3);
    EXPECT_EQ(RepeatingRow(2).Status, kStatusNotToday);

    Crash();
    headless::SetClock(Clock(10, 30));
    Start();
    Tick(60);
    EXPECT_EQ(TakeEvents(), Events{});
}

TEST_F(ClockMissedRepeatingTest, TheMomentIsKeptOnlyWhileThereAreRepeatingReminders) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Once", Day(1) + At(9, 0))}, {Repeating("Pills", At(10, 0))});
    Start();
    Tick(1);
    EXPECT_EQ(LastLook(), "2026-01-05 09:00:01.000") << "at the first tick";
    form->TabSet_.SetTabIndex(1);
    form->TabSetClick();
    form->RepeatingAlarmGrid.SetRow(1);
    headless::QueueMessageBoxAnswer(idresult::kYes);
    form->DeleteAlarmButtonClick();
    EXPECT_EQ(LastLook(), "") << "emptied with the last repeating reminder";
    form->Close();
    EXPECT_EQ(LastLook(), "");
}

}  // namespace
}  // namespace pellino::testing
