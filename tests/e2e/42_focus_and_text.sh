#!/usr/bin/env bash
# The main window keeps the user's place: the list that had the keyboard focus has it again after
# the editor it opened closes (read with GetGUIThreadInfo), letters typed there do not press the
# bar's buttons, and a page switch takes the focus to the other list. A message with "&" is shown
# as typed: its pixels in the list are those of the text drawn without accelerator marks.
source "$(dirname "$0")/lib.sh"

# Waits up to 5 s for the focus to be on $1 ("CLASS N", as the driver's "focused" prints it).
expect_focus() {
  local now
  for _ in $(seq 1 50); do
    now=$(drive focused "Pellino!")
    [ "$now" = "$1" ] && return 0
    sleep 0.1
  done
  fail "$2: the focus is on '$now', expected '$1'"
}

tomorrow=$(($(date_time_value 0 | cut -d. -f1) + 1))
make_data_file <<EOF
list one-time
record Kind=0 DueDateTime=$tomorrow.375 Description="First" Status=3
record Kind=0 DueDateTime=$tomorrow.5 Description="A & B" Status=3
end
list repeating
record Kind=1 FirstTime=0.5 DaySet="0123456" Description="Stretch & walk" Status=3
end
EOF

start_program
# A click on the first row, as the user selects a reminder.
drive clickin "Pellino!" PellinoCustom 0 60 30 || fail "no click in the list"
expect_focus "PellinoCustom 0" "after a click in the list"

# The second row, drawn by the list, against the same text drawn as itself: the left 120 x 20
# pixels of the row's first cell (rows of 20 pixels and a grid line: the second row starts at 42).
sleep 1  # painted whole before the picture
screenshot focus-list
read -r gl gt _ _ <<<"$(drive childrect "Pellino!" PellinoCustom 0)"
convert "$PELLINO_E2E_OUT/focus-list.png" -crop "120x20+$gl+$((gt + 42))" +repage \
  "$APP_DIR/row.png" || fail "the row could not be cut out"
(cd "$APP_DIR" && wine "$E2E" celltext cell.bmp 120 20 96 "A & B" 2>/dev/null) ||
  fail "the reference text could not be drawn"
convert "$APP_DIR/cell.bmp" "$APP_DIR/cell.png"
cp "$APP_DIR/row.png" "$PELLINO_E2E_OUT/focus-row-a-and-b.png"
cp "$APP_DIR/cell.png" "$PELLINO_E2E_OUT/focus-row-reference.png"
differing=$(compare -metric AE "$APP_DIR/row.png" "$APP_DIR/cell.png" null: 2>&1 || true)
echo "pixels of the row \"A & B\" that differ from the text drawn as itself: $differing"
expect_eq "$differing" "0" "the pixels of \"A & B\" in the list"

# Enter in the list opens the editor of the selected reminder; Escape closes it again.
drive key "Pellino!" - 0 13 || fail "Enter could not be given"
drive wait "Reminder Description" 5000 || fail "Enter in the list opened no editor"
expect_eq "$(drive text "Reminder Description" Edit 0)" "First" "the reminder edited"
drive key "Reminder Description" - 0 27 || fail "Escape could not be given"
drive gone "Reminder Description" 5000 || fail "Escape left the editor open"
expect_focus "PellinoCustom 0" "after the editor closed"

# Letters typed into the list: "x" does not end the program, "d" asks nothing.
drive key "Pellino!" - 0 88
drive key "Pellino!" - 0 68
sleep 1
expect_eq "$(drive boxes "Confirm")" "0" "questions after \"d\" in the list"
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended after \"x\" in the list"
expect_eq "$(drive visible "Pellino!")" "visible" "the program after \"x\" in the list"
# The Delete key still deletes from the list: the question, answered No, gives the focus back.
drive key "Pellino!" - 0 46
drive wait "Confirm" 5000 || fail "the Delete key asked nothing"
drive boxclick "Confirm" "&No"
drive gone "Confirm" 5000 || fail "the question stayed"
expect_focus "PellinoCustom 0" "after the question"

# The other page: its list takes the focus.
drive tab "Pellino!" 1 || fail "the repeating list could not be shown"
expect_focus "PellinoCustom 1" "after the switch to the repeating list"
drive key "Pellino!" - 0 13
drive wait "Repeating Reminder Description" 5000 || fail "Enter opened no repeating editor"
expect_eq "$(drive text "Repeating Reminder Description" Edit 0)" "Stretch & walk" \
  "the repeating reminder edited"
drive key "Repeating Reminder Description" - 0 27
drive gone "Repeating Reminder Description" 5000 || fail "Escape left the repeating editor open"
expect_focus "PellinoCustom 1" "after the repeating editor closed"
sleep 1
screenshot focus-repeating

drive close "Pellino!"
expect_program_ends 10
