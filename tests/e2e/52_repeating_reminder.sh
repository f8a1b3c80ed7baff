#!/usr/bin/env bash
# A repeating reminder made through the real editor on the Repeat Reminders page: every 10 minutes
# until a later time, found in the data file; then edited; with a picture of the editor in each of
# its three states (once per day; every N minutes for the rest of the day; until a time).
source "$(dirname "$0")/lib.sh"

expect_stored() {
  wait_for_stored_value "$1" "$2" || fail "$3: $1 is '$(stored_value "$1")', expected '$2'"
}
# The editor's fields, in the order of the window: message, starting time, interval, ending time.
MESSAGE=0 START=1 INTERVAL=2 ENDING=3
EDITOR="Repeating Reminder Description"

start_program
drive tab "Pellino!" 1 || fail "the Repeat Reminders tab could not be chosen"
drive click "Pellino!" "&New"
drive wait "$EDITOR" 5000 || fail "New opened no repeating editor"
expect_eq "$(drive control "$EDITOR" "For remainder of day")" "hidden enabled" \
  "the ending is hidden while once per day is chosen"
sleep 1  # painted whole before the picture
screenshot repeating-once

drive settext "$EDITOR" Edit $MESSAGE "Stretch"
drive settext "$EDITOR" Edit $START "9:00 AM"
drive click "$EDITOR" "Repeat Every"
for _ in $(seq 1 20); do
  [ "$(drive control "$EDITOR" "For remainder of day")" = "visible enabled" ] && break
  sleep 0.1
done
expect_eq "$(drive control "$EDITOR" "For remainder of day")" "visible enabled" \
  "Repeat Every shows the ending"
sleep 1
screenshot repeating-every

drive settext "$EDITOR" Edit $INTERVAL "10"
drive click "$EDITOR" "Until"
sleep 0.5
drive settext "$EDITOR" Edit $ENDING "5:30 PM"
sleep 1
screenshot repeating-until
drive click "$EDITOR" "&Save"
drive gone "$EDITOR" 5000 || fail "Save left the editor open"
expect_stored Description '"Stretch"' "after Save"
expect_stored IntervalMinutes 10 "the interval"
expect_stored HasUntil true "the ending"
expect_stored DaySet '"12345"' "the days"
stop=$(stored_value StopTime)
awk -v s="$stop" 'BEGIN { exit !(s > 0.72915 && s < 0.72918) }' || fail "StopTime $stop is not 5:30 PM"

# Edit: the interval shown as stored, changed by typing, and the row keeps its place.
drive click "Pellino!" "&Edit"
drive wait "$EDITOR" 5000 || fail "Edit opened no editor"
expect_eq "$(drive text "$EDITOR" Edit $INTERVAL)" "10" "the interval on Edit"
expect_eq "$(drive text "$EDITOR" Edit $ENDING)" "5:30 PM" "the ending on Edit"
drive settext "$EDITOR" Edit $INTERVAL "30"
drive click "$EDITOR" "Sunday"
drive click "$EDITOR" "&Save"
drive gone "$EDITOR" 5000 || fail "Save left the editor open"
expect_stored IntervalMinutes 30 "the interval after Edit"
expect_stored DaySet '"012345"' "the days after Edit"

drive close "Pellino!"
expect_program_ends 10
