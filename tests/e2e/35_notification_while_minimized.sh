#!/usr/bin/env bash
# A reminder that falls due while the program is minimised comes up on top of everything all the
# same, and the main window stays minimised behind it.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Minimised but not forgotten" 8
launch_minimized
expect_notification "Minimised but not forgotten"
expect_eq "$(drive state "Pellino!")" "minimized" "the main window under the notification"
screenshot notification-while-minimized
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
wait_for_stored_value Status 1 || fail "the acknowledged reminder is not Done in the file: $(stored_value Status)"
drive close "Pellino!"
drive gone "Pellino!" 10000 || fail "the program did not end"
