#!/usr/bin/env bash
# The editors under the real mouse and keyboard (xdotool): quick clicks on the calendar's buttons
# each count, a refused field has the focus back with its text selected, the time picker asked
# for after a refused time comes up with no hint over it, and the message prompt gives way to the
# first key typed; the Tab key selects the time, so a time typed replaces it; "Repeat Every" stands
# as far from its field as the message's caption.
source "$(dirname "$0")/lib.sh"

EDITOR="Reminder Description"
REPEATING="Repeating Reminder Description"

# Visible hints of the program's windows, one line each.
visible_hints() {
  drive windows "" | grep -c 'tooltips_class32|visible' || true
}

# Types $3 into field $2 of window $1, presses Enter there (a click puts the focus into it first:
# Enter on a focused button would press that button) and answers the refusal ($4) with OK.
refused_by_enter() {
  drive clickin "$1" Edit "$2" 4 4 || fail "no field $2 to click"
  drive settext "$1" Edit "$2" "$3"
  drive key "$1" Edit "$2" 13 || fail "Enter could not be given"
  drive wait "Information" 5000 || fail "$4 was not told"
  drive boxclick "Information" "OK"
  drive gone "Information" 5000 || fail "the message stayed"
  sleep 0.5
}

# Waits up to 5 s for at least $1 visible hints.
wait_hints() {
  for _ in $(seq 1 25); do
    [ "$(visible_hints)" -ge "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

# The month and year of the calendar's date label ("Saturday, April 11, 2026" gives
# "April 2026").
shown_month() {
  drive text "$EDITOR" Static 2 | sed -E 's/^[A-Za-z]+, ([A-Za-z]+) [0-9]+, ([0-9]+)$/\1 \2/'
}

# Four clicks of the real mouse, 150 ms apart, on the editor's button captioned $1: the second and
# the fourth reach the button as double clicks.
four_quick_clicks() {
  drive hover "$EDITOR" "$1" || fail "no button '$1'"
  xdotool click --repeat 4 --delay 150 1
  sleep 1
}

start_program
drive click "Pellino!" "&New"
drive wait "$EDITOR" 5000 || fail "New opened no editor"
sleep 0.5

# The prompt gives way to the first key: the focus starts in the message field, its caret before
# the prompt.
expect_eq "$(drive focus "$EDITOR")" "[Type reminder message here]" "the focus at the showing"
xdotool type --delay 40 "Call Anna"
sleep 0.5
expect_eq "$(drive text "$EDITOR" Edit 0)" "Call Anna" "the message after typing over the prompt"

# The Tab key from the message selects the time: the keys typed then replace it.
drive key "$EDITOR" - 0 9
sleep 0.3
proposed=$(drive text "$EDITOR" Edit 1)
expect_eq "$(drive selection "$EDITOR")" "0 ${#proposed}" "the time after Tab"
xdotool type --delay 40 "9:4"
sleep 0.5
expect_eq "$(drive text "$EDITOR" Edit 1)" "9:4" "the time typed after Tab"

# Every click counts.
first_of_month=$(date +%Y-%m-01)
four_quick_clicks "Month +"
expect_eq "$(shown_month)" "$(date -d "$first_of_month +4 months" '+%B %Y')" \
  "the calendar after four quick clicks on Month +"
four_quick_clicks "Year-"
expect_eq "$(shown_month)" "$(date -d "$first_of_month +4 months -4 years" '+%B %Y')" \
  "the calendar after four quick clicks on Year-"

# A refused time: after the message the focus is back in the time field, the text as typed and
# selected.
refused_by_enter "$EDITOR" 1 "25:00" "the bad time"
expect_eq "$(drive text "$EDITOR" Edit 1)" "25:00" "the refused time"
expect_eq "$(drive focus "$EDITOR")" "25:00" "the focus after the refused time"
expect_eq "$(drive selection "$EDITOR")" "0 5" "the selection of the refused field"

# A refused time, then the picker: the user rests the mouse on the picker button until its hint
# shows, clicks it, and answers the message with the mouse.
drive settext "$EDITOR" Edit 1 "25:00"
read -r l t r b < <(drive childrect "$EDITOR" Button 0) || fail "no picker button"
xdotool mousemove $(((l + r) / 2 - 1)) $(((t + b) / 2)) mousemove_relative 1 0
wait_hints 1 || fail "no hint over the resting mouse"
xdotool click 1
drive wait "Information" 5000 || fail "the bad time was not told before the picker"
read -r l t r b < <(drive childrect "Information" Button 0)
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
drive gone "Information" 5000 || fail "the message stayed"
# The refused text stays; the picker starts from the current time (the minute may turn meanwhile).
picker=""
for _ in $(seq 1 10); do
  for at in now "-1 minute"; do
    caption="Set Time As: $(date -d "$at" '+%I:%M %P')"
    drive wait "$caption" 250 2>/dev/null && picker=$caption && break 2
  done
done
[ -n "$picker" ] || fail "no time picker at the current time after the refused time"
expect_eq "$(drive text "$EDITOR" Edit 1)" "25:00" "the refused time under the picker"
sleep 1.5  # longer than the hints' delay
expect_eq "$(drive foreground "$picker")" "foreground" "the picker in front"
expect_eq "$(drive focus "$picker")" "Ok" "the focus in the picker"
expect_eq "$(visible_hints)" "0" "hints over the picker before the mouse moved"
screenshot picker-after-refused-time
xdotool mousemove_relative 3 3
wait_hints 1 || fail "no hint once the mouse moved in the picker"
drive click "$picker" "&Cancel"
drive gone "$picker" 5000 || fail "the picker stayed open"
# Back to today at the time first proposed, which a slow machine may have passed by now: the
# question about a moment gone by is then answered Yes.
drive click "$EDITOR" "Today"
drive settext "$EDITOR" Edit 1 "$proposed"

drive click "$EDITOR" "&Save"
drive wait "Confirm" 1000 2>/dev/null && drive boxclick "Confirm" "&Yes"
drive gone "$EDITOR" 5000 || fail "Save left the editor open"
# The dump's values are split at blanks by stored_value, so the whole record line is read.
for _ in $(seq 1 25); do
  dump_data_file | grep -qF 'Description="Call Anna" ' && break
  sleep 0.2
done
dump_data_file | grep -qF 'Description="Call Anna" ' ||
  fail "the message typed over the prompt was not stored as typed: $(dump_data_file | grep -o 'Description="[^"]*"')"

# The repeating editor: a refused interval stays as typed, focused and selected.
drive tab "Pellino!" 1 || fail "the Repeat Reminders tab could not be chosen"
drive click "Pellino!" "&New"
drive wait "$REPEATING" 5000 || fail "New opened no repeating editor"
drive click "$REPEATING" "Repeat Every"
sleep 1  # painted whole before the picture
screenshot repeating-interval-96dpi
expect_interval_gap_as_message repeating-interval-96dpi
refused_by_enter "$REPEATING" 2 "5" "the short interval"
expect_eq "$(drive text "$REPEATING" Edit 2)" "5" "the refused interval"
expect_eq "$(drive focus "$REPEATING")" "5" "the focus after the refused interval"
expect_eq "$(drive selection "$REPEATING")" "0 1" "the selection of the refused interval"
drive key "$REPEATING" - 0 27
drive gone "$REPEATING" 5000 || fail "Escape left the repeating editor open"

drive close "Pellino!"
expect_program_ends 10
