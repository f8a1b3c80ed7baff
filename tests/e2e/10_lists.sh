#!/usr/bin/env bash
# The lists show what the data file beside the program holds; the tab strip switches between them
# and the toolbar follows; closing writes the same reminders back, value for value.
source "$(dirname "$0")/lib.sh"

# Values chosen so that loading them today gives them back unchanged: a stored status is kept only
# where today's rules would give the same one.
today=$(date_time_value 0)
day=${today%.*}
weekday=$(date +%w)
other_days=$(echo 0123456 | tr -d "$weekday")
make_data_file <<EOF
header integer=666 float=2
list one-time
record Kind=0 DueDateTime=$((day - 40)).25 Description="Done long ago" Status=1
record Kind=0 DueDateTime=$((day - 2)).5 Description="Missed the day before yesterday" Status=2
record Kind=0 DueDateTime=$((day + 30)).75 Description="Dentist in a month" SoundFile="C:\\\\WINDOWS\\\\MEDIA\\\\chimes.wav" Status=3
end
list repeating
record Kind=1 FirstTime=0.375 DaySet="$other_days" IntervalMinutes=30 Description="Stretch, not today" Status=3
record Kind=1 FirstTime=0 DaySet="0123456" Description="At midnight" Status=3
end
EOF
before=$(dump_data_file)
echo "$before" | grep -q "^# read to the end" || fail "the prepared file does not read whole: $before"
cp "$APP_DIR/Pellino.dat" "$APP_DIR/prepared.dat"

start_program
# A list with reminders enables the commands on them; the one-time page shows all five buttons.
expect_eq "$(drive control "Pellino!" "&Edit")" "visible enabled" "Edit on the one-time page"
expect_eq "$(drive control "Pellino!" "&Clone")" "visible enabled" "Clone on the one-time page"
expect_eq "$(drive control "Pellino!" "Reminders")" "visible enabled" "the one-time page"
screenshot lists_one_time

drive tab "Pellino!" 1 || fail "the second tab could not be chosen"
expect_eq "$(drive control "Pellino!" "Repeat Reminders")" "visible enabled" "the repeating page"
expect_eq "$(drive control "Pellino!" "Reminders")" "hidden enabled" "the one-time page after the switch"
expect_eq "$(drive control "Pellino!" "&Clone")" "hidden enabled" "Clone on the repeating page"
expect_eq "$(drive control "Pellino!" "Adjust Time +-")" "hidden enabled" "Adjust on the repeating page"
expect_eq "$(drive control "Pellino!" "&Delete")" "visible enabled" "Delete on the repeating page"
screenshot lists_repeating

drive tab "Pellino!" 0 || fail "the first tab could not be chosen again"
expect_eq "$(drive control "Pellino!" "Adjust Time +-")" "visible enabled" "Adjust back on the one-time page"

# The strip chooses by the keys too: the right arrow (39) the next tab, Home (36) the first. The
# keys are posted, so the page is asked for until it shows (5 s at most).
page_after_key() {
  drive key "Pellino!" PellinoTabs 0 "$1"
  local i
  for i in $(seq 50); do
    [ "$(drive control "Pellino!" "$2")" = "visible enabled" ] && return 0
    sleep 0.1
  done
  fail "the page $2 did not show after the key $1"
}
page_after_key 39 "Repeat Reminders"
page_after_key 36 "Reminders"

drive close "Pellino!"
expect_program_ends 10
after=$(dump_data_file)
expect_eq "$after" "$before" "the reminders written back on close"
cmp -s "$APP_DIR/Pellino.dat" "$APP_DIR/prepared.dat" || fail "the file written back differs in its bytes"
[ ! -e "$APP_DIR/Pellino.bak" ] || fail "a backup was kept of a file that was read whole"
[ ! -e "$APP_DIR/Pellino.tmp" ] || fail "the temporary file was left behind"
