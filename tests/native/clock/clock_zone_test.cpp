// The clock on the nights the clocks change, in a zone with daylight-saving time (New York, 2027):
// plain due times in the skipped spring hour and the repeated autumn hour keep the wall clock's
// rules, while snoozes and the steps of repeating reminders count real time.

#include "clock/clock_fixture.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/profile.h"
#include "zones.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

const TDateTime kSpring = EncodeDate(2027, 3, 14);  // 02:00 standard time becomes 03:00
const TDateTime kAutumn = EncodeDate(2027, 11, 7);  // 02:00 summer time becomes 01:00

class ClockZoneTest : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        headless::SetTimeZone(NewYork());
        // Each notification notes the time the clock panel shows.
        onWindow = [this] { log.push_back("at " + form->TimePanel.Text()); };
    }

    // The universal time, for a moment of the repeated hour.
    static void SetUtc(int month, int day, int hour, int minute, int second) {
        headless::SetClockUtc(LocalTime{2027, month, day, hour, minute, second, 0});
    }
};

TEST_F(ClockZoneTest, AReminderInTheSkippedSpringHourComesRightAfterTheJump) {
    headless::SetClock({2027, 3, 14, 1, 59, 51});
    WriteDataFile({OneTime("Skipped", kSpring + At(2, 30))}, {Repeating("Daily", At(2, 15))});
    Start();
    Answer("Ok");
    Answer("Ok");
    Tick(10);  // checks at 01:59:56 and, five seconds later, at 03:00:01
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Skipped.WAV", "window 'Skipped' with Delete: Ok",
                      "at 03:00:01am", "sound C:\\SOUNDS\\Daily.WAV", "window 'Daily': Ok",
                      "at 03:00:02am"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
    EXPECT_EQ(RepeatingRow(1).Status, kStatusNotToday);
}

TEST_F(ClockZoneTest, AReminderInTheRepeatedAutumnHourComesOnce) {
    headless::SetClock({2027, 11, 7, 1, 29, 58});  // the first 01:29:58
    WriteDataFile({OneTime("Once", kAutumn + At(1, 30))}, {Repeating("Daily", At(1, 30))});
    Start();
    Answer("Ok");
    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Once.WAV", "window 'Once' with Delete: Ok",
                                    "at 01:30:03am", "sound C:\\SOUNDS\\Daily.WAV",
                                    "window 'Daily': Ok", "at 01:30:04am"}));
    Tick(90 * 60);  // through the second 01:30 to 02:00:03 standard time
    EXPECT_EQ(TakeEvents(), Events{}) << "the second 01:30 brings neither back";
    EXPECT_EQ(form->TimePanel.Text(), "02:00:04am");
}

TEST_F(ClockZoneTest, ASnoozeAcrossTheSpringChangeLastsItsMinutes) {
    headless::SetClock({2027, 3, 14, 1, 57, 55});
    WriteDataFile({OneTime("Tea", kSpring + At(1, 58))});
    Start();
    Answer("5 minutes");
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Tea.WAV",
                                    "window 'Tea' with Delete: 5 minutes", "at 01:58:00am"}));
    // Five minutes of real time from the answer, given as the window's guard ended: the wall
    // clock has jumped an hour on the way.
    EXPECT_NEAR(OneTimeRow(1).DueDateTime, kSpring + At(3, 3, 0, kAlarmGuardMs), 0.001 / 86400);
    EXPECT_EQ(OneTimeRow(1).DueText(), "Today at 3:03am");
    Tick(295);
    EXPECT_EQ(TakeEvents(), Events{}) << "not at 03:00, two minutes after the answer";
    Answer("Ok");
    Tick(10);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok",
                                    "at 03:03:05am"}));
}

TEST_F(ClockZoneTest, ARepeatingReminderKeepsItsIntervalAcrossTheSpringChange) {
    headless::SetClock({2027, 3, 14, 1, 39, 58});
    WriteDataFile({}, {Repeating("Stretch", At(0, 0), 25)});  // 01:40, then 25 minutes on
    Start();
    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': Ok", "at 01:40:03am"}));
    EXPECT_NEAR(RepeatingRow(1).DueDateTime, kSpring + At(3, 5), 0.01 / 86400);
    Tick(24 * 60 + 50);
    EXPECT_EQ(TakeEvents(), Events{}) << "not at 03:00, twenty minutes after the last one";
    Answer("Ok");
    Tick(10);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': Ok", "at 03:05:03am"}));
}

TEST_F(ClockZoneTest, ASnoozeIntoTheRepeatedAutumnHourIsDueInItsSecondPass) {
    SetUtc(11, 7, 5, 59, 43);  // 01:59:43 summer time
    WriteDataFile({OneTime("Tea", kAutumn + At(1, 59, 48))});
    Start();
    Answer("5 minutes");
    Tick(5);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Tea.WAV",
                                    "window 'Tea' with Delete: 5 minutes", "at 01:59:48am"}));
    const TReminder& tea = OneTimeRow(1);
    EXPECT_NEAR(tea.DueDateTime, kAutumn + At(1, 4, 48, kAlarmGuardMs), 0.001 / 86400);
    EXPECT_EQ(tea.DueText(), "Today at 1:04am");
    EXPECT_EQ(tea.Status, kStatusPending);
    EXPECT_TRUE(tea.WaitsForLaterPass()) << "01:04:48 comes again in five minutes";
    Tick(295);
    EXPECT_EQ(TakeEvents(), Events{}) << "not at the first 01:04:48, an hour early";
    Answer("Ok");
    Tick(10);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok",
                                    "at 01:04:53am"}));
    EXPECT_EQ(OneTimeRow(1).Status, kStatusDone);
}

TEST_F(ClockZoneTest, ASnoozeIntoTheSecondPassStillWaitsForItAfterARestart) {
    SetUtc(11, 7, 5, 59, 43);  // 01:59:43 summer time
    WriteDataFile({OneTime("Tea", kAutumn + At(1, 59, 48))});
    Start();
    Answer("5 minutes");
    Tick(5);
    TakeEvents();
    const std::string kept =
        ReadProfileKey(SettingsFilePath(), settings::kClock, settings::kSecondPass, "");
    EXPECT_EQ(kept.substr(0, 20), "2027-11-07 01:04:48.") << "kept with the snooze's write";

    // Closed, and started again while the clock still shows the first 01:59: the snooze's
    // 01:04:48 is an hour behind on the wall clock, but still to come.
    form->Close();
    form.reset();
    Application::Reset();
    TakeEvents();
    SetUtc(11, 7, 5, 59, 55);
    Start();
    EXPECT_EQ(OneTimeRow(1).Status, kStatusPending) << "neither Expired nor listed as missed";
    Tick(4 * 60 + 50);  // to 01:04:45 of the second pass
    EXPECT_EQ(TakeEvents(), Events{}) << "not in the first pass";
    Answer("Ok");
    Tick(10);
    EXPECT_EQ(TakeEvents(), (Events{"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok",
                                    "at 01:04:50am"}));
    EXPECT_EQ(ReadProfileKey(SettingsFilePath(), settings::kClock, settings::kSecondPass, "?"), "")
        << "nothing waits any more";
}

TEST_F(ClockZoneTest, ARepeatingStepIntoTheRepeatedAutumnHourIsDueInItsSecondPass) {
    SetUtc(11, 7, 5, 44, 58);  // 01:44:58 summer time
    WriteDataFile({}, {Repeating("Stretch", At(0, 0), 15)});
    Start();
    Answer("Ok");
    Tick(5);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': Ok", "at 01:45:03am"}));
    // Fifteen real minutes after 01:45 summer time the clock shows 01:00 standard time.
    EXPECT_NEAR(RepeatingRow(1).DueDateTime, kAutumn + At(1, 0), 0.01 / 86400);
    EXPECT_TRUE(RepeatingRow(1).WaitsForLaterPass());
    Tick(890);
    EXPECT_EQ(TakeEvents(), Events{}) << "not at the first 01:00, three quarters of an hour early";
    Answer("Ok");
    Tick(10);
    EXPECT_EQ(TakeEvents(),
              (Events{"sound C:\\SOUNDS\\Stretch.WAV", "window 'Stretch': Ok", "at 01:00:03am"}));
    EXPECT_NEAR(RepeatingRow(1).DueDateTime, kAutumn + At(1, 15), 0.01 / 86400);
    EXPECT_TRUE(RepeatingRow(1).WaitsForLaterPass()) << "every step of the second pass waits";
}

}  // namespace
}  // namespace pellino::testing
