#include "schedule/trayhint.h"

#include "model/reminder.h"
#include "platform/exception.h"
#include "platform/stringgrid.h"
#include "platform/trayicon.h"

namespace pellino {

namespace {

constexpr const char* kProgramName = "Pellino!";
constexpr int kFollowIntervalMs = 1000;

// Whether the clock will still notify the reminder: a one-time one Pending today or Not Today (a
// later date), a repeating one with an occurrence to come today. Done, expired and inactive ones,
// and a repeating one with nothing more today, fall due no more for now.
bool StillToCome(const TReminder& reminder, bool oneTime) {
    if (reminder.DueDateTime <= 0) return false;
    if (reminder.Status == kStatusPending) return true;
    return oneTime && reminder.Status == kStatusNotToday;
}

}  // namespace

const TReminder* NextDueReminder(const StringGrid& oneTime, const StringGrid& repeating) {
    const TReminder* next = nullptr;
    for (const StringGrid* grid : {&oneTime, &repeating}) {
        const bool isOneTime = grid == &oneTime;
        for (int row = 1; row < grid->RowCount(); ++row) {
            const TReminder* reminder = grid->ObjectOf<TReminder>(0, row);
            if (!reminder || !StillToCome(*reminder, isOneTime)) continue;
            // Of two due at the same moment, the one the clock's pass meets first: the one-time
            // list is checked first, each list from the top.
            if (!next || reminder->DueDateTime < next->DueDateTime) next = reminder;
        }
    }
    return next;
}

std::string TrayHintText(const StringGrid& oneTime, const StringGrid& repeating) {
    const TReminder* next = NextDueReminder(oneTime, repeating);
    if (!next) return kProgramName;
    std::string text = std::string(kProgramName) + " " + next->DueText();
    // A message's line breaks would show as marks of their own in the one-line hint.
    std::string message = next->Description;
    for (char& c : message) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return message.empty() ? text : text + ": " + message;
}

TrayHint::TrayHint(TrayIcon& icon, const StringGrid& oneTime, const StringGrid& repeating)
    : icon_(icon), oneTime_(oneTime), repeating_(repeating) {
    timer_.SetInterval(kFollowIntervalMs);
    timer_.OnTimer = [this] { Tick(); };
}

void TrayHint::Follow() {
    icon_.SetHint(TrayHintText(oneTime_, repeating_));
    try {
        timer_.SetEnabled(true);
    } catch (const EOutOfResources&) {
        // A platform out of timers keeps the hint as it is written now; going into the tray
        // matters more than the hint's being up to date.
    }
}

void TrayHint::Tick() {
    if (!icon_.Active()) {
        timer_.SetEnabled(false);
        return;
    }
    icon_.SetHint(TrayHintText(oneTime_, repeating_));
}

}  // namespace pellino
