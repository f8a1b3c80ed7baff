#!/usr/bin/env bash
# Reminders whose moment went by while the program was not running are listed once at the start,
# in "Missed Reminders"; they stay Expired, and the next start lists nothing.
source "$(dirname "$0")/lib.sh"

# A one-time record line due $1 seconds from now (negative: in the past), status $3.
record_line() {
  echo "record Kind=0 NotifyMode=1 DueDateTime=$(date_time_value "$1") Description=\"$2\" Status=$3"
}

# The Missed Reminders window is up: one, and only after the main window.
expect_missed_window() {
  drive wait "Missed Reminders" 10000 || fail "no Missed Reminders window"
  expect_eq "$(drive topmost "Missed Reminders")" "topmost" "the list stays on top"
  sleep 1  # painted whole before the picture
  screenshot "$1"
}

{
  echo "list one-time"
  record_line -1800 "Half an hour ago" 0
  record_line -86400 "Yesterday" 3
  record_line 3600 "In an hour" 3
  echo "end"
} | make_data_file

start_program
expect_missed_window missed-two
drive click "Missed Reminders" "Ok"
drive gone "Missed Reminders" 5000 || fail "Ok left the window open"
# Marked in the file right away, so the next start does not list them again.
for _ in $(seq 1 25); do
  [ "$(dump_data_file | grep -c 'Status=2')" = 2 ] && break
  sleep 0.2
done
expect_eq "$(dump_data_file | grep -c 'Status=2')" "2" "the two missed reminders stored Expired"
drive close "Pellino!"
expect_program_ends 10

start_program
sleep 3
expect_eq "$(drive windows "Missed Reminders" | grep -c '^TMissedReminders|visible' || true)" "0" \
  "a second start lists nothing"
drive close "Pellino!"
expect_program_ends 10

# Forty: the list scrolls in a window that can be sized, and Enter closes it. With
# PELLINO_DPI=144 the same is looked at on a screen of 144 dots per inch.
{
  echo "list one-time"
  for i in $(seq 1 40); do record_line $((-86400 * i)) "Missed reminder number $i" 0; done
  echo "end"
} | make_data_file
[ -z "${PELLINO_DPI:-}" ] || use_screen_dpi "$PELLINO_DPI"
start_program
expect_missed_window "missed-forty-${PELLINO_DPI:-96}"
drive key "Missed Reminders" - 0 13 || fail "Enter did not reach the window"
drive gone "Missed Reminders" 5000 || fail "Enter left the window open"
drive close "Pellino!"
expect_program_ends 10
