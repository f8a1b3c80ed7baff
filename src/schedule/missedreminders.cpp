// Reminders whose moment went by without a notification, and the window that lists them.
#include "schedule/missedreminders.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "model/reminder.h"
#include "runtime/formats.h"

namespace pellino {

namespace {

// How long after its moment a reminder that was not notified is still notified.
constexpr int kGraceMinutes = 10;

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

bool NoteIfMissed(std::vector<MissedReminder>& missed, const TReminder& reminder, bool repeating,
                  const ReminderState& before, TDateTime now) {
    if (!WentMissed(reminder, repeating, before, now)) return false;
    missed.push_back({repeating ? before.due : reminder.DueDateTime, reminder.Description});
    return true;
}

ReminderState RefreshForToday(TReminder& reminder, bool repeating, const ClockReading& clock) {
    const ReminderState before = StateOf(reminder);
    if (!repeating) {
        reminder.RefreshStatus(clock);
    } else if (!WithinGrace(before, clock.now)) {
        // The stored next occurrence belongs to the day it was written on.
        reminder.DueDateTime = 0;
        reminder.ScheduleNext(clock);
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
