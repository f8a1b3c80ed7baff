// Reminders whose moment went by without a notification, and the window that lists them.
#include "schedule/missedreminders.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "model/reminder.h"
#include "runtime/formats.h"
#include "runtime/zonetime.h"

namespace pellino {

namespace {

// Without an until time, an interval's occurrences run to 23:59 (and the minute after).
constexpr TDateTime kLastMinuteOfDay = 1439.0 / 1440.0;

constexpr int kMargin = 8;
constexpr int kExplanationHeight = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kRowHeight = 18;
constexpr int kWhenWidth = 150;

// When a reminder was due, as the user writes dates and times.
std::string DueText(TDateTime due) {
    try {
        const UserFormatsScope userFormats;
        return FormatDateTime("ddddd t", due);
    } catch (const std::exception&) {
        // A moment no calendar holds (only a damaged file gives one): the list still names the
        // reminder.
        return "?";
    }
}

// Calls `visit` with each occurrence of a repeating reminder on `day`, earliest first, as
// ScheduleNext places them, until it returns false.
template <typename Visit>
void ForEachOccurrence(const TReminder& reminder, TDateTime day, Visit visit) {
    if (reminder.IntervalMinutes <= 0) {
        visit(day + reminder.FirstTime);
        return;
    }
    const TDateTime limit = reminder.HasUntil ? reminder.StopTime : kLastMinuteOfDay;
    // One minute past the limit still counts, as in ScheduleNext.
    const TDateTime last = AddMinutes(1, limit);
    const ZoneDay zone(day);
    // On the day the clock changes the steps count real time, as ScheduleNext counts them.
    const bool realTime = zone.OffsetChanges() && reminder.FirstTime >= 0 &&
                          reminder.FirstTime < 1 && last < 2 && reminder.IntervalMinutes <= 1440;
    const std::int64_t first = realTime ? zone.RealMs(day + reminder.FirstTime) : 0;
    const std::int64_t firstLocal = realTime ? LocalMsOf(day + reminder.FirstTime) : 0;
    // Each step adds at least a minute and AddMinutes never returns less than 0, so this ends
    // within a day's worth of steps whatever a damaged file holds.
    for (TDateTime t = reminder.FirstTime; t <= last; t = AddMinutes(reminder.IntervalMinutes, t)) {
        const TDateTime moment =
            realTime ? zone.LocalAt(first + LocalMsOf(day + t) - firstLocal).value : day + t;
        if (realTime && moment > day + last) return;
        if (!visit(moment)) return;
    }
}

}  // namespace

ReminderState StateOf(const TReminder& reminder) {
    return ReminderState{reminder.Status, reminder.DueDateTime};
}

bool WentMissed(const TReminder& reminder, bool repeating, const ReminderState& before,
                TDateTime now) {
    if (repeating) {
        // An occurrence that was notified leaves no moment behind (the clock clears it before
        // scheduling the next), so a stored moment that now lies in the past was never shown.
        return before.status == kStatusPending && before.due != 0 && before.due < now &&
               reminder.DueDateTime != before.due;
    }
    return (before.status == kStatusPending || before.status == kStatusNotToday) &&
           reminder.Status == kStatusExpired;
}

bool WithinGrace(const ReminderState& before, TDateTime now) {
    if (before.status != kStatusPending || before.due == 0) return false;
    // Ten minutes back, but never into the day before.
    const TDateTime limit = std::max(std::trunc(now), AddMinutes(-kGraceMinutes, now));
    return before.due >= limit && before.due <= now;
}

std::optional<TDateTime> LatestOccurrence(const TReminder& reminder, TDateTime after,
                                          TDateTime upTo) {
    if (!(after < upTo) || !(upTo > kFirstDueDate) || !(upTo < kLastDueDate)) return std::nullopt;
    const TDateTime lastDay = std::trunc(upTo);
    // The days repeat every week: a reminder with no occurrence in the last seven days and today
    // has none at all.
    const TDateTime firstDay = std::max(std::trunc(after), lastDay - 7);
    for (TDateTime day = lastDay; day >= firstDay; --day) {
        const char weekday = static_cast<char>('0' + DayOfWeek(day));
        if (reminder.DaySet.find(weekday) == std::string::npos) continue;
        std::optional<TDateTime> latest;
        ForEachOccurrence(reminder, day, [&](TDateTime moment) {
            if (moment > upTo) return false;
            if (moment > after) latest = moment;
            return true;
        });
        if (latest) return latest;
    }
    return std::nullopt;
}

bool NoteIfMissed(std::vector<MissedReminder>& missed, const TReminder& reminder, bool repeating,
                  const ReminderState& before, TDateTime now) {
    const bool stored = WentMissed(reminder, repeating, before, now);
    if (!stored && before.unseen == 0) return false;
    TDateTime moment = repeating ? before.due : reminder.DueDateTime;
    if (!stored || before.unseen > moment) moment = before.unseen;
    missed.push_back({moment, reminder.Description});
    return true;
}

ReminderState RefreshForToday(TReminder& reminder, bool repeating, const ClockReading& clock,
                              const ClockMemory& memory) {
    // A moment set as the second showing of an hour the change back from daylight saving
    // repeats still waits for it after a restart in the first showing.
    if (reminder.DueDateTime != 0 && memory.InSecondPass(reminder.DueDateTime)) {
        reminder.SetDueMoment(LocalMoment{reminder.DueDateTime, true});
    }
    ReminderState before = StateOf(reminder);
    if (!repeating) {
        reminder.RefreshStatus(clock);
        return before;
    }
    if (reminder.WaitsForLaterPass() || WithinGrace(before, clock.now)) return before;
    // The stored next occurrence belongs to the day it was written on.
    reminder.DueDateTime = 0;
    reminder.ScheduleNext(clock);
    // Occurrences between the clock's last look and now went by while nobody watched: once a
    // repeating reminder has had its last occurrence of a day, nothing stored tells of them.
    // Without a last look (the first run) there is no telling, and nothing is said.
    if (!memory.lastLook || before.status == kStatusInactive) return before;
    const std::optional<TDateTime> unseen = LatestOccurrence(reminder, *memory.lastLook, clock.now);
    if (!unseen) return before;
    if (WithinGrace(ReminderState{kStatusPending, *unseen}, clock.now)) {
        reminder.DueDateTime = *unseen;
        reminder.Status = kStatusPending;
    } else {
        before.unseen = *unseen;
    }
    return before;
}

void SortMissed(std::vector<MissedReminder>& missed) {
    std::stable_sort(
        missed.begin(), missed.end(),
        [](const MissedReminder& a, const MissedReminder& b) { return a.due < b.due; });
}

TMissedReminders::TMissedReminders(const std::vector<MissedReminder>& missed)
    : Form("TMissedReminders") {
    SetName("MissedReminders");
    SetCaption("Missed Reminders");
    SetBorder(FormBorder::Sizeable);
    SetIcons(BorderIcons{true, false, true});
    // Over every other window, as a notification is: it tells of reminders the user has not seen.
    SetStayOnTop(true);
    SetOwnedByDesktop(true);
    SetPosition(FormPosition::ScreenCenter);
    SetFont(Font{"Arial", 11, false, colors::kBlack});  // Arial 8 points

    Explanation.SetName("Explanation");
    Explanation.SetText(missed.size() == 1
                            ? "This reminder came due while Pellino! could not show it:"
                            : "These reminders came due while Pellino! could not show them:");

    List.SetName("List");
    GridOptions options;
    options.rowSelect = true;
    options.colSizing = true;
    List.SetOptions(options);
    List.SetColor(colors::kWhite);
    List.SetFixedColor(colors::kSilver);
    List.SetDefaultRowHeight(kRowHeight);
    List.SetColCount(2);
    List.SetRowCount(static_cast<int>(missed.size()) + 1);
    List.SetFixedRows(1);
    List.SetCells(0, 0, "Due");
    List.SetCells(1, 0, "Reminder");
    int row = 1;
    for (const MissedReminder& reminder : missed) {
        List.SetCells(0, row, DueText(reminder.due));
        List.SetCells(1, row, reminder.message);
        ++row;
    }
    List.SetColWidths(0, kWhenWidth);

    OkButton.SetName("OkButton");
    OkButton.SetText("Ok");
    OkButton.SetModalResult(mr::kOk);
    // The only answer: Enter and Escape both close the window.
    OkButton.SetDefault(true);
    OkButton.SetCancel(true);
    // The list first, so that the arrows and Page Down scroll it at once.
    SetActiveControl(&List);

    OnResize = [this] { LayOut(); };
    SetClientSize(480, 260);
    LayOut();
}

void TMissedReminders::LayOut() {
    const Rect client = ClientRect();
    const int width = std::max(0, client.Width() - 2 * kMargin);
    Explanation.SetBounds(kMargin, kMargin, width, kExplanationHeight);
    const int listTop = kMargin + kExplanationHeight + 4;
    const int buttonTop = std::max(listTop, client.Height() - kMargin - kButtonHeight);
    List.SetBounds(kMargin, listTop, width, std::max(0, buttonTop - kMargin - listTop));
    // The message column takes what the date column leaves.
    List.SetColWidths(1, std::max(100, width - kWhenWidth - StringGrid::kScrollBarSize - 4));
    OkButton.SetBounds(client.Width() - kMargin - kButtonWidth, buttonTop, kButtonWidth,
                       kButtonHeight);
}

}  // namespace pellino
