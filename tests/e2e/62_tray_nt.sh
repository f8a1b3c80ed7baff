#!/usr/bin/env bash
# On the NT family (the Windows version Wine shows by default) "Minimize to System Tray" works as
# on the 95 family: minimising leaves an icon in the notification area and no window or taskbar
# button, the icon's hint names the reminder due next, and a click brings the window back and
# takes the icon away. Started minimised, the program goes straight into the tray, and a second
# start brings it back from there.
source "$(dirname "$0")/lib.sh"

tomorrow=$(($(date_time_value 0 | cut -d. -f1) + 1))
make_data_file <<EOF2
list one-time
record Kind=0 DueDateTime=$tomorrow.375 Description="Tom & Jerry" Status=3
end
EOF2
printf '[Tray]\r\nUse=1\r\n' >"$APP_DIR/PELLINO.INI"
start_program
expect_eq "$(tray_state)" "no icon" "the notification area before the minimise"
screenshot tray-nt-before

drive click "Pellino!" "Minimize"
wait_visible hidden || fail "the main window (with its taskbar button) was not hidden"
expect_eq "$(drive state "Pellino!")" "minimized" "the window's state in the tray"
wait_tray "icon" || fail "no icon in the notification area: $(tray_state)"
screenshot tray-nt-minimized
tray_pixels_differ tray-nt-before tray-nt-minimized || fail "the icon is not to be seen on the screen"
# The pointer on the icon (Wine's notification area shows it near its top left corner) brings
# up the hint: "Pellino!", when the reminder is due and its message, "&" as typed.
drive pointat 12 22
sleep 3
screenshot tray-nt-hint
drive pointat 600 700

drive trayicon 513 514
wait_visible visible || fail "a click on the icon did not bring the window back"
expect_eq "$(drive state "Pellino!")" "normal" "the window's state after the click"
wait_tray "no icon" || fail "the icon stayed after the restore: $(tray_state)"
drive close "Pellino!"
expect_program_ends 10

# Started minimised, as a shortcut set to "Run: Minimized" starts it.
launch_program 7
wait_visible hidden || fail "the start did not end in the tray"
expect_eq "$(drive state "Pellino!")" "minimized" "the window's state after the start"
wait_tray "icon" || fail "no icon after the start: $(tray_state)"

# A second copy ends at once and brings the first back from the tray.
second_dir=$(mktemp -d)
cp "$WIN32_DIR/PELLINO.EXE" "$second_dir/"
(cd "$second_dir" && timeout 20 wine PELLINO.EXE >"$second_dir/wine.log" 2>&1) ||
  fail "the second copy did not end by itself"
rm -rf "$second_dir"
wait_visible visible || fail "the second start did not bring the window back from the tray"
expect_eq "$(drive state "Pellino!")" "normal" "the window's state after the second start"
wait_tray "no icon" || fail "the icon stayed after the second start"
drive close "Pellino!"
drive gone "Pellino!" 10000 || fail "the program did not end"
