#!/usr/bin/env bash
# The close command on the notification window (Alt+F4, "Close window" on its taskbar button,
# another program) acknowledges the reminder as "Ok" does; it never deletes it.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Watering" 6
start_program
expect_notification "Watering"
drive close "Reminder Notification"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
wait_for_stored_value Status 1 || fail "the reminder is not Done in the file: $(stored_value Status)"
expect_eq "$(stored_value Description)" '"Watering"' "the reminder is still in the file"
drive close "Pellino!"
expect_program_ends 10
