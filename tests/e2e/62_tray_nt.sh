#!/usr/bin/env bash
# On the NT family "Minimize to System Tray" changes nothing: minimised, the program keeps its
# window and taskbar button, and no icon comes.
source "$(dirname "$0")/lib.sh"

printf '[Tray]\r\nUse=1\r\n' >"$APP_DIR/PELLINO.INI"
start_program
drive click "Pellino!" "Minimize"
for _ in $(seq 1 50); do
  [ "$(drive state "Pellino!")" = minimized ] && break
  sleep 0.1
done
expect_eq "$(drive state "Pellino!")" "minimized" "the window's state"
sleep 0.5
expect_eq "$(drive visible "Pellino!")" "visible" "the minimised window (the taskbar button)"
expect_eq "$(tray_state)" "no icon" "the notification area"
drive close "Pellino!"
expect_program_ends 10
