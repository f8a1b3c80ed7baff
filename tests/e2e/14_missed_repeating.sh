#!/usr/bin/env bash
# A repeating reminder whose time came while the program was not running is listed once at the
# next start. The program's clock is shifted: it runs on one day after the reminder's 10:00, is
# closed, and starts again the next day after 10:00; a third start lists nothing.
source "$(dirname "$0")/lib.sh"

# Waits up to 5 s for the settings file to keep a last look on the day $1 (yyyy-mm-dd).
wait_last_look() {
  for _ in $(seq 1 50); do
    [ -f "$APP_DIR/PELLINO.INI" ] && tr -d '\r' <"$APP_DIR/PELLINO.INI" | grep -q "^LastLook=$1 " &&
      return 0
    sleep 0.1
  done
  return 1
}

missed_windows() {
  drive windows "Missed Reminders" | grep -c '^TMissedReminders|visible' || true
}

make_data_file <<EOF
list repeating
record Kind=1 NotifyMode=1 FirstTime=0.416666667 DaySet="0123456" Description="Daily pills" Status=3
end
EOF

# The first run knows of no earlier look, so it lists nothing; it keeps the moment it looked.
start_program_shifted "$(seconds_until "2030-06-04 12:00:00")"
wait_last_look 2030-06-04 || fail "no last look kept while running"
sleep 2
expect_eq "$(missed_windows)" "0" "the first run lists nothing"
drive close "Pellino!"
expect_program_ends 10
wait_last_look 2030-06-04 || fail "no last look kept at the close"

# The next day at noon: the 10:00 that went by is listed.
start_program_shifted "$(seconds_until "2030-06-05 12:00:00")"
drive wait "Missed Reminders" 10000 || fail "no Missed Reminders window"
sleep 1  # painted whole before the picture
screenshot missed-repeating
drive click "Missed Reminders" "Ok"
drive gone "Missed Reminders" 5000 || fail "Ok left the window open"
wait_last_look 2030-06-05 || fail "the new look was not kept"
drive close "Pellino!"
expect_program_ends 10

start_program_shifted "$(seconds_until "2030-06-05 12:01:00")"
sleep 3
expect_eq "$(missed_windows)" "0" "a second start lists nothing"
drive close "Pellino!"
expect_program_ends 10
