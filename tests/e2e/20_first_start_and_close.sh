#!/usr/bin/env bash
# A first start in an empty folder centres the main window on the screen and writes its placement
# to PELLINO.INI at once; closing with nothing changed writes no data file.
source "$(dirname "$0")/lib.sh"

start_program
wait_for_line "$APP_DIR/PELLINO.INI" "Maximized=0" || fail "PELLINO.INI was not written at start"
read -r left top right bottom <<<"$(drive rect "Pellino!")"
width=$((right - left))
height=$((bottom - top))
expect_eq "$left $top" "$(((1024 - width) / 2)) $(((768 - height) / 2))" "centred on the 1024 x 768 screen"
expect_eq "$(tr -d '\r' <"$APP_DIR/PELLINO.INI")" "[TMainForm_Placement]
Left=$left
Top=$top
Right=$right
Bottom=$bottom
Maximized=0" "the placement written right after the start"
expect_eq "$(drive state "Pellino!")" "normal" "window state"
[ ! -e "$APP_DIR/Pellino.dat" ] || fail "the data file was written before the close"
screenshot first-start

drive close "Pellino!"
expect_program_ends 10
[ ! -e "$APP_DIR/Pellino.dat" ] || fail "a data file was written though nothing changed"
