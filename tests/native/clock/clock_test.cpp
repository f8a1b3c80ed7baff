// The reminder clock during a day: the time display, when reminders fall due, and what each
// answer of the notification window does to them.

#include "clock/clock_fixture.h"
#include "platform/dialogs.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

TEST_F(ClockTest, TheTimePanelShowsATwelveHourClockOnEveryTick) {
    struct Case {
        LocalTime before;  // one second before the tick
        const char* text;
    };
    const Case cases[] = {
        {Clock(0, 30, 14), "12:30:15am"},  // the hour after midnight is 12
        {Clock(12, 4, 59), "12:05:00pm"},  // noon
        {Clock(13, 7, 8), "01:07:09pm"},   // afternoon, with the hour's leading zero
    };
    headless::SetClock(cases[0].before);
    Start();
    for (const Case& c : cases) {
        headless::SetClock(c.before);
        Tick();
        EXPECT_EQ(form->TimePanel.Text(), c.text);
    }
}

TEST_F(ClockTest, EveryTickOfTheClockPanelReachesTheScreen) {
    headless::SetClock(Clock(9, 0, 0));
    Start();
    headless::PutOnScreen(form->TimePanel);
    EXPECT_EQ(headless::ShownText(form->TimePanel), "09:00:00am");
    for (const char* shown : {"09:00:01am", "09:00:02am", "09:00:03am"}) {
        Tick();
        EXPECT_EQ(headless::ShownText(form->TimePanel), shown);
    }
}

TEST_F(ClockTest, ARemindersFallsDueAtTheFirstCheckAtOrAfterItsMoment) {
    // The clock starts at 09:00:00 and checks at 09:00:05, 09:00:10, ...
    struct Case {
        TDateTime due;
        int notifiedAfterSeconds;
    };
    const Case cases[] = {
        {At(9, 0, 5), 5},      // exactly at the moment of a check
        {At(9, 0, 5, 1), 10},  // a millisecond later waits for the next check
        {At(8, 52), 5},        // Pending at start-up (eight minutes past) fires at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notifiedAfterSeconds);
        ResetProgram();
        headless::SetClock(Clock(9, 0));
        WriteDataFile({OneTime("Tea", Day() + c.due)});
        Start();
        Tick(c.notifiedAfterSeconds - 1);
        EXPECT_EQ(TakeEvents(), Events{}) << "nothing before its check";
        Answer("Ok");
        Tick();
        EXPECT_EQ(TakeEvents(),
                  (Events{"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok"}));
        EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
    }
}

TEST_F(ClockTest, ASnoozedReminderLetsTheRowMovingIntoItsPlaceWaitForTheNextCheck) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("First", Day() + At(9, 0, 3)), OneTime("Second", Day() + At(9, 0, 3))});
    Start();
    Answer("5 minutes");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\First.WAV", "window 'First' with Delete: 5 minutes"}));
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Second", "First"}));
    // Five minutes counted from the answer, not from the old moment.
    EXPECT_DOUBLE_EQ(OneTimeRow(2).DueDateTime, AddMinutes(5, Day() + At(9, 0, 5, kAlarmGuardMs)));
    EXPECT_EQ(OneTimeRow(2).Status, kStatusPending);

    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Second.WAV", "window 'Second' with Delete: Ok"}));
    Answer("Ok");
    Tick(5 * 60);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\First.WAV", "window 'First' with Delete: Ok"}))
        << "the snoozed reminder comes back after its five minutes";
}

TEST_F(ClockTest, TheNotifyModeDecidesBetweenSoundAndWindowAndNoReminderSoundMutes) {
    enum class Sound { Playable, Missing, Held, NoPath, NoDevice };
    struct Case {
        std::uint8_t mode;
        bool silent;
        Sound sound;
        Events events;
    };
    const Case cases[] = {
        {kNotifyMessageAndSound,
         false,
         Sound::Playable,
         {"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok"}},
        {kNotifyMessageAndSound, true, Sound::Playable, {"window 'Tea' with Delete: Ok"}},
        {kNotifyMessageOnly, false, Sound::Playable, {"window 'Tea' with Delete: Ok"}},
        {kNotifySoundOnly, false, Sound::Playable, {"sound C:\\SOUNDS\\Tea.WAV"}},
        // Only to be heard, but nothing can be heard: the window shows it instead.
        {kNotifySoundOnly, true, Sound::Playable, {"window 'Tea' with Delete: Ok"}},
        {kNotifySoundOnly,
         false,
         Sound::Missing,
         {"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok"}},
        {kNotifySoundOnly,
         false,
         Sound::Held,  // another program holds the file, so the player cannot read it
         {"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok"}},
        {kNotifySoundOnly, false, Sound::NoPath, {"sound ", "window 'Tea' with Delete: Ok"}},
        {kNotifySoundOnly,
         false,
         Sound::NoDevice,  // a file that plays, on a system with nothing to play it on
         {"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok"}},
        {kNotifyNothing, false, Sound::Missing, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << int{c.mode} << (c.silent ? " silent" : "")
                                          << " sound " << static_cast<int>(c.sound));
        ResetProgram();
        headless::SetClock(Clock(9, 0));
        TReminder tea = OneTime("Tea", Day() + At(9, 0, 1), c.mode);
        if (c.sound == Sound::NoPath) tea.SoundFile.clear();
        if (c.sound != Sound::Missing && c.sound != Sound::NoPath) PutSoundFile(tea.SoundFile);
        if (c.sound == Sound::Held) headless::LockFile(tea.SoundFile, true);
        headless::SetSoundDevice(c.sound != Sound::NoDevice);
        WriteDataFile({tea});
        Start();
        form->mnuNoAlarmSound.SetChecked(c.silent);
        if (c.events.size() > 0 && c.events.back().rfind("window", 0) == 0) Answer("Ok");
        Tick(5);
        EXPECT_EQ(TakeEvents(), c.events);
        EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
    }
}

TEST_F(ClockTest, DeletedRemindersLeaveTheListOnlyAtTheEndOfThePass) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("First", Day() + At(9, 0, 1)), OneTime("Second", Day() + At(9, 0, 2)),
                   OneTime("Later", Day() + At(18, 0))});
    Start();
    onWindow = [this] {
        std::string rows;
        for (const std::string& text : OneTimeList()) rows += " " + text;
        log.push_back("rows:" + rows);
    };
    Answer("Delete");
    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\First.WAV", "window 'First' with Delete: Delete",
                      "rows: First Second Later", "sound C:\\SOUNDS\\Second.WAV",
                      "window 'Second' with Delete: Ok", "rows: First Second Later"}));
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Second", "Later"}));
}

TEST_F(ClockTest, ARepeatingReminderIsSnoozedAcknowledgedAndClosed) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({}, {Repeating("Stretch", At(9, 0, 3), 30)});
    Start();
    Answer("10 minutes");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': 10 minutes"}))
        << "a repeating reminder shows no Delete button";
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime,
                     AddMinutes(10, Day() + At(9, 0, 5, kAlarmGuardMs)));
    EXPECT_EQ(RepeatingRow(1).Status, kStatusPending);

    Answer("Ok");
    Tick(10 * 60 + 5);  // a minute of the clock is a little longer than 60 seconds
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': Ok"}));
    // The next regular occurrence after the answer.
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day() + AddMinutes(30, At(9, 0, 3)));

    Answer("<close>");
    Tick(20 * 60);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': <close>"}));
    ASSERT_EQ(form->RepeatingAlarmGrid.RowCount(), 2) << "closing the window deletes nothing";
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day() + AddMinutes(60, At(9, 0, 3)))
        << "closing the window acknowledges the occurrence, as Ok does";
}

TEST_F(ClockTest, ClosingTheNotificationWindowAcknowledgesAOneTimeReminder) {
    headless::SetClock(Clock(9, 0));
    WriteDataFile({OneTime("Dentist", Day() + At(9, 0, 1)), OneTime("Later", Day() + At(18, 0))});
    Start();
    Answer("<close>");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Dentist.WAV", "window 'Dentist' with Delete: <close>"}));
    EXPECT_EQ(OneTimeList(), (std::vector<std::string>{"Dentist", "Later"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
    const DataFileContents stored = ReadDataFile();
    ASSERT_EQ(stored.oneTime.size(), 2u) << "the data file keeps the reminder";
    EXPECT_EQ(stored.oneTime[0].Status, kStatusDone);
}

TEST_F(ClockTest, ARepeatingReminderAcknowledgedAfterItsLastOccurrenceRestsUntilTomorrow) {
    headless::SetClock(Clock(23, 0));
    WriteDataFile({}, {Repeating("Lock up", At(23, 0, 3))});
    Start();
    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Lock up.WAV", "window 'Lock up': Ok"}));
    EXPECT_EQ(RepeatingRow(1).Status, kStatusNotToday);
    Tick(59 * 60);
    EXPECT_EQ(TakeEvents(), Events{}) << "no further occurrence today";

    headless::SetClock(Clock(23, 59, 59));
    // The ticks fall where the notification's guard left them within the second; the new day's
    // first one reloads the lists.
    Tick(2);
    EXPECT_EQ(RepeatingRow(1).Status, kStatusPending);
    EXPECT_DOUBLE_EQ(RepeatingRow(1).DueDateTime, Day(1) + At(23, 0, 3));
}

TEST_F(ClockTest, ARefusedTimerIsReportedAndTheNextCommandSwitchesTheClockOnAgain) {
    headless::SetClock(Clock(9, 0));
    headless::RefuseTimers(true);
    headless::QueueMessageBoxAnswer(idresult::kOk);
    form = std::make_unique<TMainForm>();
    form->CreateNotificationWindow();
    form->Show();
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Not enough timers available.");
    EXPECT_FALSE(form->Timer1.Enabled());
    headless::RefuseTimers(false);
    Tick(10);
    EXPECT_EQ(form->TimePanel.Text(), "09:00:00am") << "no tick without the timer";
    headless::ScriptModal("TSplashform", [](Form& about) { about.SetModalResult(mr::kOk); });
    form->mnuAboutClick();
    EXPECT_TRUE(form->Timer1.Enabled()) << "a command asks for the timer again";
    Tick();
    EXPECT_EQ(form->TimePanel.Text(), "09:00:11am");
}

TEST_F(ClockTest, TicksUnderANotificationKeepTheClockPanelGoingButNotifyNothingTwice) {
    // The user takes ten seconds to answer. Ticks come all that time, but a second pass under the
    // open window would notify the same reminder again.
    struct Way {
        const char* what;
        bool commandWaiting;  // a Delete (answered No) waits to be delivered by the tick
        bool switchOnInside;  // the timer is switched off and on while the window is open
    };
    const Way ways[] = {
        {"a command delivered while the tick lets messages through", true, false},
        {"the timer switched off and on during the window", false, true},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        ResetProgram();
        headless::SetClock(Clock(9, 0));
        WriteDataFile({OneTime("Once", Day() + At(9, 0, 4))});
        Start();
        Tick(4);
        if (way.commandWaiting) {
            headless::QueueMessageBoxAnswer(idresult::kNo);
            headless::PostToMessageLoop([this] { form->DeleteAlarmButtonClick(); });
        }
        onWindow = [this, &way] {
            if (way.switchOnInside) {
                form->Timer1.SetEnabled(false);
                form->Timer1.SetEnabled(true);
            }
            Tick(10);
            EXPECT_EQ(form->TimePanel.Text(), "09:00:15am") << "the panel goes on under the window";
        };
        Answer("Ok");
        Tick();
        EXPECT_EQ(TakeEvents(),
                  (Events{"sound C:\\SOUNDS\\Once.WAV", "window 'Once' with Delete: Ok"}));
        EXPECT_EQ(headless::MessageBoxLog().size(), way.commandWaiting ? 1u : 0u);
        EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
        EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs after the tick";
    }
}

}  // namespace
}  // namespace pellino::testing
