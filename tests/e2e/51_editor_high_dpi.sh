#!/usr/bin/env bash
# On a 144 DPI screen the editor, the time picker and the options dialog keep their designed
# proportions, the editor's picture button still shows its picture, and the repeating editor's
# "Repeat Every" keeps its gap to the field. Runs in a copy of the prefix, so the other scenarios
# keep 96 DPI.
source "$(dirname "$0")/lib.sh"

use_screen_dpi 144

start_program
drive click "Pellino!" "&New"
drive wait "Reminder Description" 5000 || fail "New opened no editor"
expect_eq "$(drive client "Reminder Description")" "674 528" \
  "the editor's client size at 144 DPI (449 x 352 design pixels)"
sleep 1  # painted whole before the picture
screenshot editor-144dpi
drive settext "Reminder Description" Edit 1 "9:30"
drive click "Reminder Description" "" || fail "the picker button could not be pressed"
picker="Set Time As: 09:30 am"
drive wait "$picker" 5000 || fail "no time picker"
expect_eq "$(drive client "$picker")" "459 501" "the picker's client size (306 x 334)"
sleep 1  # painted whole before the picture
screenshot picker-144dpi
drive click "$picker" "&Cancel"
drive gone "$picker" 5000 || fail "the picker stayed open"
drive click "Reminder Description" "Options"
drive wait "Reminder Options" 5000 || fail "no options dialog"
expect_eq "$(drive client "Reminder Options")" "669 521" "the options' client size (446 x 347)"
sleep 1  # painted whole before the picture
screenshot options-144dpi
drive click "Reminder Options" "&Cancel"
drive gone "Reminder Options" 5000 || fail "the options dialog stayed open"
drive key "Reminder Description" - 0 27
drive gone "Reminder Description" 5000 || fail "Escape left the editor open"

# The repeating editor's interval: its caption stands as far from the field as the message's.
REPEATING="Repeating Reminder Description"
drive tab "Pellino!" 1 || fail "the Repeat Reminders tab could not be chosen"
drive click "Pellino!" "&New"
drive wait "$REPEATING" 5000 || fail "New opened no repeating editor"
drive click "$REPEATING" "Repeat Every"
sleep 1  # painted whole before the picture
screenshot repeating-144dpi
expect_interval_gap_as_message repeating-144dpi
drive key "$REPEATING" - 0 27
drive gone "$REPEATING" 5000 || fail "Escape left the repeating editor open"
drive close "Pellino!"
expect_program_ends 10
