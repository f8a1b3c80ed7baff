#!/usr/bin/env bash
# Started minimised on the Windows 95 family with "Minimize to System Tray" checked, the program
# goes straight into the notification area, its clock running; the icon's click brings it back.
source "$(dirname "$0")/lib.sh"

use_windows_98
printf '[Tray]\r\nUse=1\r\n' >"$APP_DIR/PELLINO.INI"
launch_program 7
wait_visible hidden || fail "the start did not end in the tray"
expect_eq "$(drive state "Pellino!")" "minimized" "the window's state after the start"
wait_tray "icon" || fail "no icon after the start: $(tray_state)"
first=$(drive text "Pellino!" PellinoPanel 1)
sleep 2.2
[ "$first" != "$(drive text "Pellino!" PellinoPanel 1)" ] || fail "the clock does not run in the tray"
screenshot tray-start
drive trayicon 515 514
wait_visible visible || fail "a double click did not bring the window back"
expect_eq "$(drive state "Pellino!")" "normal" "the window's state after the double click"
wait_tray "no icon" || fail "the icon stayed"
drive close "Pellino!"
drive gone "Pellino!" 10000 || fail "the program did not end"
