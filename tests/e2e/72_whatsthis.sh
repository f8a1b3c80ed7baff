#!/usr/bin/env bash
# What's this on a toolbar button: a right click opens the menu "What's this?", whose item shows
# the button's short text in a pop-up in the info-tip colours near the click, and the next key
# closes it. Then the toolbar's pictures at 96 and at 144 DPI: their strokes must grow with the
# resolution (a stroke of one screen pixel at every resolution looks thin on a sharp screen).
source "$(dirname "$0")/lib.sh"

NEW_TEXT="Adds a new reminder to the list shown: a one-time reminder on the Reminders page, a repeating one on the Repeat Reminders page."

# Pixels of colour $2 ("#RRGGBB") in the picture $1.
count_colour() {
  local histogram
  histogram=$(convert "$1" -format %c histogram:info:) || fail "the colours of $1 could not be counted"
  awk -v c="$2" '$3 == c { n += $1 } END { print n + 0 }' <<<"${histogram//:/ }"
}

# Cuts the rectangle "left top right bottom" (screen pixels) out of the screenshot $1 into $2.
cut_out() {
  local left top right bottom
  read -r left top right bottom <<<"$3"
  convert "$PELLINO_E2E_OUT/$1.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$PELLINO_E2E_OUT/$2.png" || fail "the screenshot $1 could not be cut"
}

# The toolbar (the first panel of the main window) at the screen's resolution, cut out of a
# screenshot as toolbar-$1.png.
toolbar_picture() {
  sleep 1  # painted whole before the picture
  screenshot "whole-$1"
  cut_out "whole-$1" "toolbar-$1" "$(drive childrect "Pellino!" PellinoPanel 0)"
}

# Pixels of the hints' aqua on the screen now, shot into $1.png.
aqua_pixels() {
  screenshot "$1" >/dev/null
  convert "$PELLINO_E2E_OUT/$1.png" -fill black +opaque 'rgb(0,255,255)' \
    -fill white -opaque 'rgb(0,255,255)' -format '%[fx:int(mean*w*h+0.5)]' info:
}

start_program
toolbar_picture 96dpi

# The pointer rests on "&New" all the while: its hint would come up after two seconds.
drive hover "Pellino!" "&New" || fail "no button &New to point at"
drive rightclick "Pellino!" "&New" || fail "no right click on \"&New\""
sleep 1
# The menu has its single item: Down selects it, Enter chooses it.
drive key "Pellino!" - 0 40
drive key "Pellino!" - 0 13
for _ in $(seq 1 50); do
  drive windows "$NEW_TEXT" | grep -q '^PellinoHelpPopup|visible|' && break
  sleep 0.1
done
popup=$(drive windows "$NEW_TEXT")
[[ $popup == PellinoHelpPopup\|visible\|* ]] || fail "no what's-this pop-up for \"&New\": '$popup'"
sleep 0.5
screenshot whatsthis-new
cut_out whatsthis-new whatsthis-popup "${popup##*|}"
read -r left top right bottom <<<"${popup##*|}"
area=$(((right - left) * (bottom - top)))
# The info-tip colours of the platform (COLOR_INFOBK 24, COLOR_INFOTEXT 23), which Wine's
# look may set to other values than the classic pale yellow and black.
info_back=$(drive syscolor 24)
info_text=$(drive syscolor 23)
background=$(count_colour "$PELLINO_E2E_OUT/whatsthis-popup.png" "$info_back")
ink=$(count_colour "$PELLINO_E2E_OUT/whatsthis-popup.png" "$info_text")
echo "pop-up ${popup##*|}: $area pixels, $background of the background $info_back, $ink of the text colour $info_text"
[ "$background" -gt $((area / 2)) ] || fail "the pop-up is not in the info-tip background colour"
# The text: three lines of small letters (anti-aliased, so only their cores are of the text
# colour exactly).
[ "$ink" -gt 100 ] || fail "the pop-up shows no text"
# The pop-up stands near the click, in the middle of "&New".
read -r bl bt br bb <<<"$(drive childrect "Pellino!" Button 0)"
[ "$left" -ge "$bl" ] && [ "$left" -le "$br" ] && [ "$top" -ge "$bt" ] && [ "$top" -le "$((bb + 20))" ] ||
  fail "the pop-up at $left,$top is not by the button at $bl $bt $br $bb"
# No hint comes over the pop-up while it shows, however long the pointer rests on the button.
sleep 3
aqua=$(aqua_pixels whatsthis-no-hint)
echo "aqua pixels with the pop-up up, 3 s later: $aqua"
expect_eq "$aqua" "0" "pixels of a hint over the pop-up"

drive key "Pellino!" - 0 27
for _ in $(seq 1 50); do
  [ -z "$(drive windows "$NEW_TEXT")" ] && break
  sleep 0.1
done
expect_eq "$(drive windows "$NEW_TEXT")" "" "the pop-up after a key"
expect_eq "$(drive visible "Pellino!")" "visible" "the main window after the key that closed the pop-up"
# Once the pop-up has gone, the hints come again.
drive pointat 5 5
drive hover "Pellino!" "&New"
sleep 3.5
aqua=$(aqua_pixels whatsthis-hint-again)
echo "aqua pixels after the pop-up, pointer on \"&New\": $aqua"
[ "$aqua" -gt 1000 ] || fail "no hint after the pop-up went: $aqua aqua pixels"
drive close "Pellino!"
expect_program_ends 10

use_screen_dpi 144
start_program
toolbar_picture 144dpi
drive close "Pellino!"
expect_program_ends 10

# The green of the plus on "&New" (the other buttons are disabled, their pictures grey): drawn
# with strokes that scale, it covers about (144/96)^2 = 2.25 times the pixels (less where the
# strokes cross); lines one screen pixel wide at every resolution would cover only 1.5 times as
# many.
for colour in "#008000"; do
  at96=$(count_colour "$PELLINO_E2E_OUT/toolbar-96dpi.png" "$colour")
  at144=$(count_colour "$PELLINO_E2E_OUT/toolbar-144dpi.png" "$colour")
  echo "pixels of $colour on the toolbar: $at96 at 96 DPI, $at144 at 144 DPI"
  [ "$at96" -gt 20 ] || fail "too few pixels of $colour at 96 DPI: no pictures?"
  [ $((at144 * 4)) -ge $((at96 * 7)) ] ||
    fail "the pictures' strokes of $colour do not grow with the resolution ($at96 -> $at144)"
done
