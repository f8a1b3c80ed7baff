#!/usr/bin/env bash
# A stored placement is applied at start; one reaching past the screen's right and bottom edges
# is moved left and up until those edges meet the screen's, and the file then holds what was
# applied.
source "$(dirname "$0")/lib.sh"

printf '[Sounds]\r\nSilent=1\r\n[TMainForm_Placement]\r\nLeft=0x32\r\nTop=40\r\nRight=700\r\nBottom=500\r\n' \
  >"$APP_DIR/PELLINO.INI"
start_program
wait_for_line "$APP_DIR/PELLINO.INI" "Maximized=0" || fail "the placement was not written back at start"
expect_eq "$(drive rect "Pellino!")" "50 40 700 500" "the stored rectangle ('0x32' is 50)"
drive close "Pellino!"
expect_program_ends 10
expect_eq "$(tr -d '\r' <"$APP_DIR/PELLINO.INI")" "[Sounds]
Silent=1
[TMainForm_Placement]
Left=50
Top=40
Right=700
Bottom=500
Maximized=0" "the placement saved at the close"

# Past the right and bottom edges, but no larger than the screen: the platform keeps a window
# within its largest tracking size, so a larger one would also be made smaller.
printf '[TMainForm_Placement]\r\nLeft=600\r\nTop=400\r\nRight=1200\r\nBottom=900\r\nMaximized=0\r\n' \
  >"$APP_DIR/PELLINO.INI"
start_program
wait_for_line "$APP_DIR/PELLINO.INI" "Left=424" || fail "the applied placement was not written back at once"
expect_eq "$(drive rect "Pellino!")" "424 268 1024 768" "moved back onto the screen, keeping its size"
screenshot stored-placement
drive close "Pellino!"
expect_program_ends 10

# Kept on a second monitor, the window comes back there. The two monitors both start at 0,0: an
# 800 x 600 primary and a 1024 x 768 second one, which holds the window whole and so its larger
# part; fitted to the primary it would move to 150 100 800 600.
use_two_monitors 800x600 1024x768
printf '[TMainForm_Placement]\r\nLeft=300\r\nTop=200\r\nRight=950\r\nBottom=700\r\n' >"$APP_DIR/PELLINO.INI"
start_program
wait_for_line "$APP_DIR/PELLINO.INI" "Maximized=0" || fail "the placement was not written back at start"
expect_eq "$(drive rect "Pellino!")" "300 200 950 700" "the window on the second monitor"
expect_eq "$(tr -d '\r' <"$APP_DIR/PELLINO.INI" | grep '^Left=')" "Left=300" "the placement written back"
drive close "Pellino!"
expect_program_ends 10
