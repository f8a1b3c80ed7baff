#pragma once

#include <string>

#include "platform/timer.h"

namespace pellino {

class StringGrid;
class TReminder;
class TrayIcon;

// The reminder the clock will notify first, as the lists know it now: the earliest of the one-time
// reminders still to come (Pending today, or on a later date) and of the next occurrences today of
// the repeating ones; null when there is none.
const TReminder* NextDueReminder(const StringGrid& oneTime, const StringGrid& repeating);

// The tray icon's hint: the program's name and, when a reminder is to come, when it falls due and
// its message: "Pellino! Today at 10:58pm: Standup & notes". The icon shows as much of it as the
// platform's hint takes.
std::string TrayHintText(const StringGrid& oneTime, const StringGrid& repeating);

// Keeps the icon's hint up to date while the icon is shown: written when the icon comes, then
// looked at once a second, since the clock's passes, snoozes and the midnight reload all change
// which reminder is next. The lists are read only while the icon is shown.
class TrayHint {
public:
    // Not owned: the main window's icon and lists, which outlive this.
    TrayHint(TrayIcon& icon, const StringGrid& oneTime, const StringGrid& repeating);
    TrayHint(const TrayHint&) = delete;
    TrayHint& operator=(const TrayHint&) = delete;

    // Writes the hint now and follows the lists until the icon goes.
    void Follow();

private:
    void Tick();

    TrayIcon& icon_;
    const StringGrid& oneTime_;
    const StringGrid& repeating_;
    Timer timer_;
};

}  // namespace pellino
