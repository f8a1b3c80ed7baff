#!/usr/bin/env bash
# A second start while the program runs brings the running copy forward: from minimised, from the
# tray (the icon goes), and from behind another window. The second copy ends by itself at once and
# writes nothing; the first copy changes no file either.
source "$(dirname "$0")/lib.sh"

# Starts a second copy from a folder of its own and checks that it ended by itself and wrote
# nothing, and that the first copy's files are as they were.
second_start() {
  local second_dir before
  before=$(cd "$APP_DIR" && md5sum PELLINO.INI Pellino.dat 2>/dev/null || true)
  second_dir=$(mktemp -d)
  cp "$WIN32_DIR/PELLINO.EXE" "$second_dir/"
  (cd "$second_dir" && timeout 20 wine PELLINO.EXE >"$second_dir/wine.log" 2>&1) ||
    fail "the second copy did not end by itself"
  [ -z "$(ls "$second_dir" | grep -v -e PELLINO.EXE -e wine.log)" ] ||
    fail "the second copy wrote files: $(ls "$second_dir")"
  rm -rf "$second_dir"
  expect_eq "$(cd "$APP_DIR" && md5sum PELLINO.INI Pellino.dat 2>/dev/null || true)" "$before" \
    "the first copy's files"
}

# Waits up to 5 s for the first copy to be open, in front and the foreground window.
expect_in_front() {
  for _ in $(seq 1 50); do
    [ "$(drive visible "Pellino!")" = visible ] && [ "$(drive state "Pellino!")" = normal ] &&
      [ "$(drive foreground "Pellino!")" = foreground ] && return 0
    sleep 0.1
  done
  fail "$1: the first copy is $(drive visible "Pellino!"), $(drive state "Pellino!"), $(drive foreground "Pellino!")"
}

use_windows_98
printf '[Tray]\r\nUse=1\r\n' >"$APP_DIR/PELLINO.INI"
start_program
wait_for_line "$APP_DIR/PELLINO.INI" "Maximized=0" || fail "the first copy did not start"
# The menu is dropped once the start is over: the window in front, and its queue answered for a
# while. A menu dropped while the first activation still runs is closed by it, and the keys meant
# for it reach the list.
expect_in_front "after the start"
drive answers "Pellino!" 500 >/dev/null || fail "the first copy did not answer"

# Minimised, with "Minimize to System Tray" unchecked for the moment: a taskbar button.
drop_menu "Pellino!" f
drive key "Pellino!" - 0 40
drive key "Pellino!" - 0 40
drive key "Pellino!" - 0 13
wait_for_line "$APP_DIR/PELLINO.INI" "Use=0" || fail "the tray item was not unchecked"
drive click "Pellino!" "Minimize"
for _ in $(seq 1 50); do
  [ "$(drive state "Pellino!")" = minimized ] && break
  sleep 0.1
done
expect_eq "$(drive state "Pellino!")" "minimized" "the first copy before the second start"
second_start
expect_in_front "from minimised"
screenshot second-start-from-minimized

# In the tray.
drop_menu "Pellino!" f
drive key "Pellino!" - 0 40
drive key "Pellino!" - 0 40
drive key "Pellino!" - 0 13
wait_for_line "$APP_DIR/PELLINO.INI" "Use=1" || fail "the tray item was not checked"
drive click "Pellino!" "Minimize"
wait_visible hidden || fail "the first copy did not go into the tray"
wait_tray icon || fail "no icon for the first copy"
second_start
expect_in_front "from the tray"
wait_tray "no icon" || fail "the icon stayed after the second start"
screenshot second-start-from-tray

# Behind another program's window.
(cd "$APP_DIR" && exec wine notepad.exe >"$APP_DIR/notepad.log" 2>&1) &
notepad=$!
drive wait "Untitled - Notepad" 20000 || { kill "$notepad"; fail "notepad did not start"; }
drive front "Untitled - Notepad"
for _ in $(seq 1 50); do
  [ "$(drive foreground "Pellino!")" = background ] && break
  sleep 0.1
done
expect_eq "$(drive foreground "Pellino!")" "background" "the first copy behind notepad"
second_start
expect_in_front "from behind another window"
screenshot second-start-from-behind
drive close "Untitled - Notepad"
drive gone "Untitled - Notepad" 10000 || kill "$notepad" 2>/dev/null || true
wait "$notepad" 2>/dev/null || true

drive close "Pellino!"
expect_program_ends 10
