// Which reminders a due check notifies, and in which order, on large mixed lists that are not in
// due order, checked against a plain model of the pass: every row in list order, due when Pending,
// of today and its time has come, with the time read afresh after each notification window.
// Also: the check learns of every kind of change to a list, so nothing due is passed over.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clock/clock_fixture.h"

namespace pellino::testing {
namespace {

using Events = std::vector<std::string>;

// Numbers that look random but are the same on every run.
class Sequence {
public:
    int Next(int bound) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t state_ = 20260105;
};

// How a test answers a window: by the reminder's number. The repeating list's window has no
// Delete button.
std::string AnswerFor(int number, bool oneTime) {
    switch (number % (oneTime ? 3 : 2)) {
        case 0:
            return "Ok";
        case 1:
            return oneTime ? "Delete" : "<close>";
        default:
            return "<close>";
    }
}

struct Row {
    TReminder reminder;
    int number = 0;
    // Whether its sound file is there to be played.
    bool soundFile = false;
};

// A mixed list: yesterday, today and tomorrow, times around the moment of the check, every
// status and every notification mode, in no particular order.
std::vector<Row> MixedRows(Sequence& random, int count, const std::string& prefix, bool repeating) {
    const std::uint8_t statuses[] = {kStatusPending, kStatusPending,  kStatusPending, kStatusDone,
                                     kStatusExpired, kStatusNotToday, kStatusInactive};
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        const std::string text = prefix + std::to_string(i);
        const TDateTime day = Day(random.Next(3) - 1);
        // From 08:50 to 09:10, to the second, and now and then to the millisecond.
        const TDateTime time = At(8, 50) + random.Next(1200) / 86400.0 +
                               (random.Next(4) == 0 ? random.Next(1000) / 86400000.0 : 0);
        Row row{repeating ? Repeating(text, At(8, 0)) : OneTime(text, day + time), i};
        row.reminder.DueDateTime = day + time;
        row.reminder.Status = statuses[random.Next(7)];
        row.reminder.NotifyMode = static_cast<std::uint8_t>(random.Next(4));
        rows.push_back(row);
    }
    return rows;
}

// The clock at `ms` milliseconds after midnight of the test's day.
LocalTime ClockAtMs(int ms) {
    const int seconds = ms / 1000;
    return Clock(seconds / 3600, seconds / 60 % 60, seconds % 60, ms % 1000);
}
LocalTime ClockAt(int seconds) {
    return ClockAtMs(seconds * 1000);
}

// The pass as a plain loop over a copy of the list, starting `ms` after midnight: the events it
// gives when each window is answered by AnswerFor and holds the clock `windowMs` longer. Every
// answer settles a reminder for the day (acknowledged, removed, or for a repeating one with a
// single time a day, nothing more today), so a row notified once is marked in `notified` and
// never notified again. Leaves the time at the pass's end in `ms`.
Events ModelPass(const std::vector<Row>& rows, std::vector<bool>& notified, int& ms, int windowMs,
                 bool oneTime) {
    Events events;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const TReminder& r = row.reminder;
        const LocalTime now = ClockAtMs(ms);
        const TDateTime timeOfDay = EncodeTime(now.hour, now.minute, now.second, now.millisecond);
        if (notified[i] || r.Status != kStatusPending || r.DueDate() != Day() ||
            timeOfDay < r.DueTime()) {
            continue;
        }
        notified[i] = true;
        const bool sound =
            r.NotifyMode == kNotifyMessageAndSound || r.NotifyMode == kNotifySoundOnly;
        // A reminder only to be heard is shown when its sound cannot be played.
        const bool window = r.NotifyMode == kNotifyMessageAndSound ||
                            r.NotifyMode == kNotifyMessageOnly ||
                            (r.NotifyMode == kNotifySoundOnly && !row.soundFile);
        if (sound) events.push_back("sound " + r.SoundFile);
        if (window) {
            events.push_back("window '" + r.Description + "'" + (oneTime ? " with Delete" : "") +
                             ": " + AnswerFor(row.number, oneTime));
            ms += windowMs;
        }
    }
    return events;
}

std::vector<std::string> WindowAnswers(const Events& events) {
    std::vector<std::string> answers;
    for (const std::string& event : events) {
        if (event.rfind("window", 0) == 0) answers.push_back(event.substr(event.rfind(": ") + 2));
    }
    return answers;
}

class DueOrderTest : public ClockTest {
protected:
    void Fill(TClickableStringGrid& grid, const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            grid.AddRow();
            grid.SetObjectOf(0, grid.RowCount() - 1, std::make_unique<TReminder>(row.reminder));
        }
    }
};

class MixedLists : public DueOrderTest {
protected:
    void SetUp() override {
        DueOrderTest::SetUp();
        Sequence random;
        oneTime = MixedRows(random, 400, "once ", false);
        repeating = MixedRows(random, 150, "again ", true);
        // Every other reminder's sound file is there.
        for (std::vector<Row>* rows : {&oneTime, &repeating}) {
            for (Row& row : *rows) {
                row.soundFile = row.number % 2 == 0;
                if (row.soundFile) PutSoundFile(row.reminder.SoundFile);
            }
        }
        oneTimeNotified.assign(oneTime.size(), false);
        repeatingNotified.assign(repeating.size(), false);
    }

    // The model's events of the checks of both lists at `ms` after midnight: the one-time list
    // first, the repeating list's pass when the one-time list's windows are all closed. Leaves
    // the time at the check's end in `ms`.
    Events ModelCheck(int& ms, int windowMs) {
        Events events = ModelPass(oneTime, oneTimeNotified, ms, windowMs, true);
        const Events more = ModelPass(repeating, repeatingNotified, ms, windowMs, false);
        events.insert(events.end(), more.begin(), more.end());
        return events;
    }

    void StartAt(int seconds) {
        headless::SetClock(ClockAt(seconds));
        Start();
        Fill(form->AlarmGrid, oneTime);
        Fill(form->RepeatingAlarmGrid, repeating);
    }

    std::vector<Row> oneTime;
    std::vector<Row> repeating;
    std::vector<bool> oneTimeNotified;
    std::vector<bool> repeatingNotified;
};

constexpr int k0850 = 8 * 3600 + 50 * 60;
constexpr int k0900 = 9 * 3600;
constexpr int k0910 = 9 * 3600 + 10 * 60;

TEST_F(MixedLists, ACheckEveryFiveSecondsThroughTheirTimesNotifiesAsThePlainPassDoes) {
    // The checks come at 08:50:00 and then five seconds after the end of the one before, as the
    // reminders' times come one by one; the test makes each check itself, so that where the
    // clock's ticks fall does not matter. Each window is answered as soon as its guard lets it.
    StartAt(k0850 - 5);
    form->Timer1.SetEnabled(false);
    std::size_t windows = 0;
    for (int ms = k0850 * 1000; ms <= k0910 * 1000; ms += 5000) {
        SCOPED_TRACE(::testing::Message() << "check at millisecond " << ms);
        headless::SetClock(ClockAtMs(ms));
        const Events expected = ModelCheck(ms, kAlarmGuardMs);
        for (const std::string& answer : WindowAnswers(expected)) Answer(answer);
        windows += WindowAnswers(expected).size();
        form->CheckNormalAlarms();
        form->CheckRepeatAlarms();
        ASSERT_EQ(TakeEvents(), expected);
    }
    EXPECT_GT(windows, 30u) << "the fixture gives many windows";
}

TEST_F(MixedLists, WindowsHeldOpenLetLaterRowsFallDueWithinTheSamePass) {
    // One check at 09:00:00 whose windows stay up 20 s each.
    constexpr int kWindowSeconds = 20;
    StartAt(k0900 - 5);
    int ms = k0900 * 1000;
    const Events expected = ModelCheck(ms, kWindowSeconds * 1000);
    ASSERT_GE(WindowAnswers(expected).size(), 20u) << "the fixture gives many windows";
    for (const std::string& answer : WindowAnswers(expected)) Answer(answer);
    int windowsShown = 0;
    onWindow = [&] { headless::SetClock(ClockAt(k0900 + ++windowsShown * kWindowSeconds)); };
    Tick(5);
    EXPECT_EQ(TakeEvents(), expected);
}

TEST_F(DueOrderTest, EveryKindOfChangeToAListIsSeenByTheNextCheck) {
    // Each change makes a reminder due at the next check, after a check that found nothing.
    struct Case {
        const char* what;
        std::function<void(TMainForm&)> change;
    };
    const Case cases[] = {
        {"a record changed in its row",
         [](TMainForm& f) {
             TMainForm::ReminderAt(f.AlarmGrid, 2)->DueDateTime = Day() + At(9, 0);
         }},
        {"a row added",
         [](TMainForm& f) {
             f.AppendOneTimeReminder(std::make_unique<TReminder>(OneTime("Tea", Day() + At(9, 0))));
         }},
        {"a time adjusted",
         [](TMainForm& f) {
             f.AlarmGrid.SetRow(2);
             f.AdjustTime(f.Less5Minutes);
         }},
        {"the lists read again",
         [](TMainForm& f) {
             WriteDataFile(
                 {OneTime("Tea", Day() + At(9, 0, 1)), OneTime("Later", Day() + At(18, 0))});
             f.Reload();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgram();
        headless::SetClock(Clock(9, 0));
        WriteDataFile({OneTime("Later", Day() + At(18, 0)), OneTime("Tea", Day() + At(9, 5))});
        Start();
        Tick(5);
        ASSERT_EQ(TakeEvents(), Events{}) << "nothing due before the change";
        c.change(*form);
        Answer("Ok");
        Tick(5);
        EXPECT_EQ(TakeEvents(),
                  (Events{"sound C:\\SOUNDS\\Tea.WAV", "window 'Tea' with Delete: Ok"}));
    }
}

}  // namespace
}  // namespace pellino::testing
