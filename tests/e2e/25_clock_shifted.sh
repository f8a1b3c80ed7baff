#!/usr/bin/env bash
# The program keeps the time of its own wall clock, moved for it alone by the clock-shifting
# library: the clock panel shows the shifted time from the start, follows a shift made while the
# program runs (back to the day before), and goes on ticking after it.
source "$(dirname "$0")/lib.sh"

# The clock panel's time ("01:00:05pm") as seconds since midnight.
panel_seconds() {
  local text
  text=$(drive text "Pellino!" PellinoPanel 1)
  [[ $text =~ ^([01][0-9]):([0-5][0-9]):([0-5][0-9])([ap])m$ ]] || fail "the clock panel shows '$text'"
  local afternoon=0
  [ "${BASH_REMATCH[4]}" = p ] && afternoon=12
  echo $(( (10#${BASH_REMATCH[1]} % 12 + afternoon) * 3600 + 10#${BASH_REMATCH[2]} * 60 +
           10#${BASH_REMATCH[3]} ))
}

# Fails unless the panel shows a time from $1 to $1 + 30 seconds (seconds since midnight).
expect_panel_near() {
  local shown
  shown=$(panel_seconds)
  [ "$shown" -ge "$1" ] && [ "$shown" -le $(($1 + 30)) ] ||
    fail "$2: the clock panel shows $(drive text "Pellino!" PellinoPanel 1), not a time just after $(printf '%02d:%02d:%02d' $(($1 / 3600)) $(($1 / 60 % 60)) $(($1 % 60)))"
}

start_program_shifted "$(seconds_until "today 13:00:00")"
expect_panel_near $((13 * 3600)) "started at 13:00"

shift_clock "$(seconds_until "yesterday 06:30:00")"
sleep 1.2
expect_panel_near $((6 * 3600 + 30 * 60)) "set back to 06:30 of the day before"
first=$(panel_seconds)
sleep 2.2
[ "$(panel_seconds)" -gt "$first" ] || fail "the clock panel stopped after the clock was set back"
read -r left top right bottom <<<"$(drive childrect "Pellino!" PellinoPanel 1)"
import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
  "$PELLINO_E2E_OUT/clock-shifted.png"
drive close "Pellino!"
expect_program_ends 10
