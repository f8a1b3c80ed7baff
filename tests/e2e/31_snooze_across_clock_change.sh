#!/usr/bin/env bash
# A snooze lasts its minutes in real time across a change of the clock: in New York, on the night
# the clock jumps from 02:00 to 03:00, a reminder due at 01:59:50 is put off five minutes and is
# stored as due at about 03:05, not 02:05. The program's clock is shifted to that night for it
# alone, and its zone is New York's as the platform reports it.
source "$(dirname "$0")/lib.sh"

export TZ=America/New_York
PROGRAM_ENV=(TZ=America/New_York)
# 14 March 2027 is day 46460 of the program's count.
make_data_file <<EOF2
list one-time
record Kind=0 NotifyMode=0 DueDateTime=$(awk 'BEGIN { printf "%.9f", 46460 + (1 * 3600 + 59 * 60 + 50) / 86400 }') FirstTime=0 StopTime=0 HasUntil=false Description="Tea" SoundFile="" DaySet="" IntervalMinutes=0 Status=0 ReservedFlag=false
end
EOF2
start_program_shifted "$(seconds_until "2027-03-14 01:59:44")"
expect_notification "Tea"
original=$(stored_value DueDateTime)
drive click "Reminder Notification" "5 minutes"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
due=$(changed_stored_value DueDateTime "$original")
# Answered between 01:59:50 and 02:00:10 standard time: due five real minutes later, which the
# wall clock shows as 03:04:50 to 03:05:10.
awk -v d="$due" 'BEGIN { t = (d - 46460) * 86400; exit !(t >= 3 * 3600 + 4 * 60 + 50 && t <= 3 * 3600 + 5 * 60 + 10) }' ||
  fail "stored due moment $due is not five real minutes after the answer (03:04:50 to 03:05:10)"
# The wall clock shows the last seconds before the jump, or the minutes after it.
[[ "$(drive text "Pellino!" PellinoPanel 1)" =~ ^(01:59|03:0[0-9]):[0-5][0-9]am$ ]] ||
  fail "the clock panel shows $(drive text "Pellino!" PellinoPanel 1), not the night of the change"
drive close "Pellino!"
expect_program_ends 10
