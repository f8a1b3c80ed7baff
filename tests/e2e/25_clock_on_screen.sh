#!/usr/bin/env bash
# The clock panel ticks on the screen, not only in its window text: two pictures of it taken a
# couple of seconds apart differ.
source "$(dirname "$0")/lib.sh"

start_program
# The clock panel is the second panel: the first is the toolbar that holds it.
[[ "$(drive text "Pellino!" PellinoPanel 1)" =~ ^[01][0-9]:[0-5][0-9]:[0-5][0-9][ap]m$ ]] ||
  fail "PellinoPanel 1 is not the clock panel: '$(drive text "Pellino!" PellinoPanel 1)'"
read -r left top right bottom <<<"$(drive childrect "Pellino!" PellinoPanel 1)"
area="$((right - left))x$((bottom - top))+$left+$top"
import -display "$DISPLAY" -window root -crop "$area" "$PELLINO_E2E_OUT/clock-1.png"
sleep 2.5
import -display "$DISPLAY" -window root -crop "$area" "$PELLINO_E2E_OUT/clock-2.png"
changed=$(compare -metric AE "$PELLINO_E2E_OUT/clock-1.png" "$PELLINO_E2E_OUT/clock-2.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 0 ] 2>/dev/null || fail "the clock panel shows the same picture after 2.5 s (differing pixels: $changed)"
drive close "Pellino!"
expect_program_ends 10
