#!/usr/bin/env bash
# A settings file that cannot be written: the error is shown once at the start, closing it does
# not start everything over, the clock runs, and the program still ends.
source "$(dirname "$0")/lib.sh"

cp "$WIN32_DIR/PELLINO.EXE" "$APP_DIR/"
printf '[TMainForm_Placement]\r\nLeft=100\r\nTop=50\r\nRight=700\r\nBottom=450\r\nMaximized=0\r\n' \
  >"$APP_DIR/PELLINO.INI"
# As root only the immutable flag makes a file read-only for Wine; it must come off again, or the
# folder cannot be removed.
chattr +i "$APP_DIR/PELLINO.INI"
trap 'chattr -i "$APP_DIR/PELLINO.INI" 2>/dev/null; e2e_cleanup' EXIT
(cd "$APP_DIR" && exec wine PELLINO.EXE >"$APP_DIR/wine.log" 2>&1) &
PROGRAM_PID=$!

boxes() { drive boxes "Pellino!"; }
for _ in $(seq 1 100); do [ "$(boxes)" = 1 ] && break; sleep 0.2; done
expect_eq "$(boxes)" "1" "error boxes at the start"
screenshot read-only-settings-error
drive boxclick "Pellino!" "OK" || fail "the error box has no OK"
# A start that began again would bring the box back at once.
sleep 2
expect_eq "$(boxes)" "0" "error boxes after OK"
first=$(drive text "Pellino!" PellinoPanel 1)
sleep 2
[ "$(drive text "Pellino!" PellinoPanel 1)" != "$first" ] || fail "the clock stands at $first"

# The close cannot store the placement either: that is said once, and the program ends.
drive close "Pellino!"
for _ in $(seq 1 50); do [ "$(boxes)" = 1 ] && break; sleep 0.2; done
expect_eq "$(boxes)" "1" "error boxes at the close"
drive boxclick "Pellino!" "OK"
expect_program_ends 10
