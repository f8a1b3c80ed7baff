#!/usr/bin/env bash
# "Delete" removes a due reminder, from the list and, before the program ends, from the data file.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Old appointment" 6
start_program
expect_notification "Old appointment"
drive click "Reminder Notification" "Delete"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
for _ in $(seq 1 25); do
  [ "$(dump_data_file | grep -c '^record')" = 0 ] && break
  sleep 0.2
done
expect_eq "$(dump_data_file | grep -c '^record')" "0" "records left in the file"
drive close "Pellino!"
expect_program_ends 10
