#!/usr/bin/env bash
# A reminder falls due a few seconds after the start: the notification window comes up on top with
# its message, "10 minutes" puts it off, and the data file holds the new moment right away.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Water the plants" 6
start_program
expect_notification "Water the plants"
screenshot notification
original=$(stored_value DueDateTime)
expected=$(date_time_value 600)
drive click "Reminder Notification" "10 minutes"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
# Written right after the window closed: the status stays Pending, so wait for the moment to move.
due=$(changed_stored_value DueDateTime "$original")
awk -v a="$due" -v b="$expected" 'BEGIN { d = a - b; exit !(d < 5 / 86400 && d > -5 / 86400) }' ||
  fail "stored due moment $due, expected about $expected (ten minutes after the answer)"
expect_eq "$(stored_value Status)" "0" "the snoozed reminder is Pending"
drive close "Pellino!"
expect_program_ends 10
