#!/usr/bin/env bash
# The list commands on the real program: Clone, Delete with its question (Yes and No), the Delete
# key of the list, the time adjustment menu, and the About window. Each command that changes the
# list writes the data file at once.
source "$(dirname "$0")/lib.sh"

today=$(date_time_value 0)
day=${today%.*}
make_data_file <<EOF_DATA
list one-time
record Kind=0 DueDateTime=$((day + 2)).25 Description="Dentist" Status=3
record Kind=0 DueDateTime=$((day + 3)).5 Description="Call the garage" Status=3
end
EOF_DATA

# Waits for the data file to hold $1 one-time records.
expect_records() {
  for _ in $(seq 1 25); do
    [ "$(dump_data_file | grep -c '^record')" = "$1" ] && return 0
    sleep 0.2
  done
  fail "$2: $(dump_data_file | grep -c '^record') records in the file, expected $1"
}

start_program
drive click "Pellino!" "&Clone"
expect_records 3 "after Clone"
screenshot commands-cloned

drive click "Pellino!" "&Delete"
drive wait "Confirm" 5000 || fail "Delete asked nothing"
screenshot commands-confirm
drive click "Confirm" "&Yes"
drive gone "Confirm" 5000 || fail "the question stayed open"
expect_records 2 "after Delete"

# The Delete key in the list asks too; No keeps the reminder.
drive key "Pellino!" PellinoCustom 0 46 || fail "the key could not be given"
drive wait "Confirm" 5000 || fail "the Delete key asked nothing"
drive click "Confirm" "&No"
drive gone "Confirm" 5000 || fail "the question stayed open"
sleep 0.5
expect_records 2 "after No"

# Alt and the underlined letter press a toolbar button.
drive altkey "Pellino!" - 0 68 || fail "Alt+D could not be given"
drive wait "Confirm" 5000 || fail "Alt+D asked nothing"
drive click "Confirm" "&No"
drive gone "Confirm" 5000 || fail "the question stayed open"

# "Adjust Time +-" drops its menu down; Down and Enter choose "+1 Minute", which moves the
# selected reminder a minute later and writes the file.
before=$(stored_value DueDateTime)
drive click "Pellino!" "Adjust Time +-"
sleep 1
screenshot commands-adjust-menu
drive key "Pellino!" - 0 40 || fail "Down did not reach the menu"
drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
after=$(changed_stored_value DueDateTime "$before")
awk -v a="$after" -v b="$before" 'BEGIN { d = (a - b) * 1440; exit !(d > 0.99 && d < 1.01) }' ||
  fail "the adjusted due moment $after is not a minute after $before"

# Help > About: the Help menu drops down with "Contents" highlighted; Down skips the separator.
drop_menu "Pellino!" h
drive key "Pellino!" - 0 40 || fail "Down did not reach the menu"
drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
drive wait "About Pellino!" 5000 || fail "no About window"
expect_eq "$(drive topmost "About Pellino!")" "topmost" "the About window stays on top"
# The logo is a picture: the first focus goes to the only button.
expect_eq "$(drive focus "About Pellino!")" "OK" "the focus in the About window"
screenshot commands-about
drive click "About Pellino!" "OK"
drive gone "About Pellino!" 5000 || fail "the About window stayed open"

drive close "Pellino!"
expect_program_ends 10
expect_records 2 "after the close"
