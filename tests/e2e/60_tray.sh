#!/usr/bin/env bash
# On the Windows 95 family (Wine told to show PELLINO.EXE Windows 98) with "Minimize to System
# Tray" checked, minimising leaves no window and no taskbar button but an icon in the
# notification area; a click on the icon, and a double click, bring the program back and the
# icon goes.
#
# How the icon is seen under Wine (measured): the X server of the tests has no notification area,
# so Wine's X11 driver makes one of its own, a window of class "__winex11_standalone_tray"
# captioned "Wine System Tray", 166 x 45 pixels at the top left of the screen. It comes with the
# first icon, is shown while it holds one (the program's icon drawn in it) and is hidden when the
# last icon goes. The test checks that window's state and compares the pixels of that corner of
# the screen before, during and after.
source "$(dirname "$0")/lib.sh"

use_windows_98
printf '[Tray]\r\nUse=1\r\n' >"$APP_DIR/PELLINO.INI"
start_program
expect_eq "$(tray_state)" "no icon" "the notification area before the minimise"
screenshot tray-before

drive click "Pellino!" "Minimize"
wait_visible hidden || fail "the main window (with its taskbar button) was not hidden"
expect_eq "$(drive state "Pellino!")" "minimized" "the window's state in the tray"
wait_tray "icon" || fail "no icon in the notification area: $(tray_state)"
screenshot tray-minimized
tray_pixels_differ tray-before tray-minimized || fail "the icon is not to be seen on the screen"

# A single click: the program comes back once the wait for a double click is over.
drive trayicon 513 514
wait_visible visible || fail "a click on the icon did not bring the window back"
expect_eq "$(drive state "Pellino!")" "normal" "the window's state after the click"
wait_tray "no icon" || fail "the icon stayed after the restore: $(tray_state)"
screenshot tray-restored
tray_pixels_differ tray-minimized tray-restored || fail "the icon is still to be seen"

# A double click.
drive click "Pellino!" "Minimize"
wait_visible hidden || fail "the second minimise did not hide the window"
wait_tray "icon" || fail "no icon after the second minimise"
drive trayicon 513 514 515 514
wait_visible visible || fail "a double click on the icon did not bring the window back"
wait_tray "no icon" || fail "the icon stayed after the double click"
drive close "Pellino!"
expect_program_ends 10
