#!/usr/bin/env bash
# The clock set back a day while the program runs: the lists move to that date as on a forward
# change, so a reminder of that date due 30 seconds after the new time falls due and is notified.
# It was Expired (of the day before) while the clock showed the later date.
source "$(dirname "$0")/lib.sh"

start=$(seconds_until "today 12:00:00")
# Stored as the program left it: Expired, told about already, due yesterday at 11:00:30.
make_data_file <<EOF_DATA
list one-time
record Kind=0 NotifyMode=1 DueDateTime=$(date_time_value $((start - 86400 - 3600 + 30))) Description="Yesterday at half past eleven" Status=2
end
EOF_DATA
start_program_shifted "$start"
sleep 2
expect_eq "$(drive windows "Reminder Notification" | grep -c '|visible|' || true)" "0" \
  "nothing is due at the later date"
shift_clock $((start - 86400 - 3600))
drive wait "Reminder Notification" 60000 || fail "the reminder of the date set back was not notified"
expect_eq "$(drive text "Reminder Notification" Static 0)" "Yesterday at half past eleven" \
  "the reminder's message"
sleep 1.5  # past the window's guard
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "Ok left the notification open"
wait_for_stored_value Status 1 || fail "the answer was not written: Status $(stored_value Status)"
drive close "Pellino!"
expect_program_ends 10
