#include "model/merge.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "model/reminder.h"
#include "runtime/datetime.h"

namespace pellino {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TDateTime due(int hour) {
    return EncodeDate(2026, 1, 5) + EncodeTime(hour, 0, 0, 0);
}

TReminder oneTime(const std::string& text, int hour) {
    return *TReminder::CreateOneTime(due(hour), text, "C:\\SOUNDS\\" + text + ".WAV",
                                     kNotifyMessageAndSound);
}

TReminder repeating(const std::string& text, int hour) {
    return *TReminder::CreateRepeating(EncodeTime(hour, 0, 0, 0), false, 0, "12345", 0, text, "",
                                       kNotifyMessageOnly);
}

// The union as the lists get it: each record of ours, then the records of theirs that ours lacks;
// a record of theirs that ours stands for is shown as "=" and the index of its partner.
std::vector<std::string> merged(const std::vector<TReminder>& ours,
                                const std::vector<TReminder>& theirs, bool isRepeating) {
    std::vector<const TReminder*> a, b;
    for (const TReminder& r : ours) a.push_back(&r);
    for (const TReminder& r : theirs) b.push_back(&r);
    const std::vector<std::size_t> partner = MergeReminders(a, b, isRepeating);
    EXPECT_EQ(partner.size(), theirs.size());
    std::vector<std::string> result;
    for (const TReminder& r : ours) result.push_back(r.Description);
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        result.push_back(partner[i] == kNotInOurs ? "+" + theirs[i].Description
                                                  : "=" + std::to_string(partner[i]));
    }
    return result;
}

TReminder with(TReminder r, const std::function<void(TReminder&)>& change) {
    change(r);
    return r;
}

TEST(MergeReminders, OneTimeRemindersAreTheSameWhenWhatTheUserGaveThemIsTheSame) {
    const TReminder tea = oneTime("Tea", 9);
    struct Case {
        const char* what;
        std::vector<TReminder> ours;
        std::vector<TReminder> theirs;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"both empty", {}, {}, {}},
        {"only ours: nothing to add", {tea}, {}, {"Tea"}},
        {"only theirs: all added, in their order",
         {},
         {oneTime("B", 10), oneTime("A", 9)},
         {"+B", "+A"}},
        {"the same reminder in both is kept once", {tea}, {tea}, {"Tea", "=0"}},
        // What the clock changes by itself does not make another reminder.
        {"acknowledged on one side",
         {with(tea, [](TReminder& r) { r.Status = kStatusDone; })},
         {tea},
         {"Tea", "=0"}},
        {"a flag nothing uses",
         {with(tea, [](TReminder& r) { r.ReservedFlag = true; })},
         {tea},
         {"Tea", "=0"}},
        // What the user gives a reminder does.
        {"another moment", {tea}, {oneTime("Tea", 10)}, {"Tea", "+Tea"}},
        {"another message", {tea}, {oneTime("Coffee", 9)}, {"Tea", "+Coffee"}},
        {"another sound",
         {tea},
         {with(tea, [](TReminder& r) { r.SoundFile.clear(); })},
         {"Tea", "+Tea"}},
        {"another mode",
         {tea},
         {with(tea, [](TReminder& r) { r.NotifyMode = kNotifyNothing; })},
         {"Tea", "+Tea"}},
        {"the message differs in case only", {tea}, {oneTime("TEA", 9)}, {"Tea", "+TEA"}},
        // Pairs are one to one: a reminder kept twice on purpose stays twice, never thrice.
        {"twice in ours, once in theirs", {tea, tea}, {tea}, {"Tea", "Tea", "=0"}},
        {"once in ours, twice in theirs", {tea}, {tea, tea}, {"Tea", "=0", "+Tea"}},
        {"theirs pair with ours in order",
         {oneTime("A", 9), tea, tea},
         {tea, tea, oneTime("A", 9)},
         {"A", "Tea", "Tea", "=1", "=2", "=0"}},
        // A value that is no number still equals itself, so a damaged record is not doubled.
        {"a due value that is no number",
         {with(tea, [](TReminder& r) { r.DueDateTime = kNaN; })},
         {with(tea, [](TReminder& r) { r.DueDateTime = kNaN; })},
         {"Tea", "=0"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(merged(c.ours, c.theirs, false), c.expected) << c.what;
    }
}

TEST(MergeReminders, ARepeatingRemindersOccurrenceIsNotPartOfIt) {
    const TReminder daily = repeating("Stand up", 9);
    struct Case {
        const char* what;
        std::vector<TReminder> theirs;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"the same", {daily}, {"Stand up", "=0"}},
        // Every load works the occurrence out anew; a file written at another hour differs there.
        {"another stored occurrence and status",
         {with(daily,
               [](TReminder& r) {
                   r.DueDateTime = due(9);
                   r.Status = kStatusNotToday;
               })},
         {"Stand up", "=0"}},
        {"another first time", {repeating("Stand up", 10)}, {"Stand up", "+Stand up"}},
        {"other days",
         {with(daily, [](TReminder& r) { r.DaySet = "06"; })},
         {"Stand up", "+Stand up"}},
        {"an interval",
         {with(daily, [](TReminder& r) { r.IntervalMinutes = 30; })},
         {"Stand up", "+Stand up"}},
        {"an until time",
         {with(daily,
               [](TReminder& r) {
                   r.HasUntil = true;
                   r.StopTime = EncodeTime(17, 0, 0, 0);
               })},
         {"Stand up", "+Stand up"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(merged({daily}, c.theirs, true), c.expected) << c.what;
    }
    // In the one-time list the stored moment is the reminder's own.
    const TReminder moved = with(daily, [](TReminder& r) { r.DueDateTime = due(9); });
    EXPECT_EQ(merged({daily}, {moved}, false), (std::vector<std::string>{"Stand up", "+Stand up"}));
}

}  // namespace
}  // namespace pellino
