#!/usr/bin/env bash
# Started minimised (show command 7, as from a shortcut set to run minimised) with "Minimize to
# System Tray" unchecked, as it is at first, the program is a minimised window with a taskbar
# button, and its clock runs.
source "$(dirname "$0")/lib.sh"

launch_minimized
[ -f "$APP_DIR/PELLINO.INI" ] || fail "the placement was not restored and written"
grep -q '^Maximized=0' "$APP_DIR/PELLINO.INI" || fail "the placement written is not the normal one"
# The clock panel shows the time of day and moves on while the window is minimised.
first=$(drive text "Pellino!" PellinoPanel 1)
[[ "$first" =~ ^[0-9]{2}:[0-9]{2}:[0-9]{2}(am|pm)$ ]] || fail "clock panel shows '$first'"
sleep 2.2
second=$(drive text "Pellino!" PellinoPanel 1)
[ "$first" != "$second" ] || fail "the clock did not run: '$first' both times"
screenshot minimized-start
drive close "Pellino!"
drive gone "Pellino!" 10000 || fail "the program did not end"
[ ! -e "$APP_DIR/Pellino.dat" ] || fail "a data file was written though nothing changed"
