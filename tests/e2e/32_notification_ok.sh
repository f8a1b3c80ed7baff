#!/usr/bin/env bash
# "Ok" acknowledges a due reminder, and the data file holds it as Done before the program ends.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Call the bank" 6
start_program
expect_notification "Call the bank"
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
wait_for_stored_value Status 1 || fail "the acknowledged reminder is not Done in the file: $(stored_value Status)"
drive close "Pellino!"
expect_program_ends 10
