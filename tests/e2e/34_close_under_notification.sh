#!/usr/bin/env bash
# The program closed from outside while a notification is up (as at log-off) ends, and the
# unanswered reminder stays in the data file, still to come: the window's end is no "Delete".
source "$(dirname "$0")/lib.sh"

make_due_reminder "Unanswered" 6
start_program
expect_notification "Unanswered"
drive close "Pellino!"
expect_program_ends 10
expect_eq "$(stored_value Description)" '"Unanswered"' "the reminder in the data file"
expect_eq "$(stored_value Status)" "0" "its status (Pending)"
