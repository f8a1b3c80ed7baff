#!/usr/bin/env bash
# A button's hint comes up after two seconds, drawn in aqua also under the visual style of the
# newer common controls.
source "$(dirname "$0")/lib.sh"

start_program
drive hover "Pellino!" "&New" || fail "no button &New to point at"
sleep 3.5
screenshot hint-new
aqua=$(convert "$PELLINO_E2E_OUT/hint-new.png" -fill black +opaque 'rgb(0,255,255)' \
  -fill white -opaque 'rgb(0,255,255)' -format '%[fx:int(mean*w*h+0.5)]' info:)
# The hint "Add a new reminder" is a box of some 120 by 18 pixels.
[ "$aqua" -gt 1000 ] || fail "the hint is not aqua: $aqua aqua pixels on the screen"
drive close "Pellino!"
expect_program_ends 10
