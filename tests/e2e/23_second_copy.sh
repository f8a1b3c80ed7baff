#!/usr/bin/env bash
# A second copy of the program, started while one runs, ends at once without touching a file;
# the first runs on. A program file of another name is another program and runs beside it.
source "$(dirname "$0")/lib.sh"

start_program
wait_for_line "$APP_DIR/PELLINO.INI" "Maximized=0" || fail "the first copy did not start"
ini_before=$(md5sum <"$APP_DIR/PELLINO.INI")

# The second copy, from another folder under the same name.
second_dir=$(mktemp -d)
cp "$WIN32_DIR/PELLINO.EXE" "$second_dir/"
start=$(date +%s)
(cd "$second_dir" && timeout 20 wine PELLINO.EXE >"$second_dir/wine.log" 2>&1) ||
  fail "the second copy did not end by itself"
[ $(($(date +%s) - start)) -lt 15 ] || fail "the second copy took too long to end"
[ -z "$(ls "$second_dir" | grep -v -e PELLINO.EXE -e wine.log)" ] ||
  fail "the second copy wrote files: $(ls "$second_dir")"
rm -rf "$second_dir"
expect_eq "$(md5sum <"$APP_DIR/PELLINO.INI")" "$ini_before" "the first copy's settings file"
drive wait "Pellino!" 1000 || fail "the first copy's window is gone"

# Another program file name, in a folder of its own: a program of its own, which starts.
other_dir=$(mktemp -d)
cp "$WIN32_DIR/PELLINO.EXE" "$other_dir/PELLINO2.EXE"
(cd "$other_dir" && exec wine PELLINO2.EXE >"$other_dir/wine.log" 2>&1) &
other=$!
wait_for_line "$other_dir/PELLINO.INI" "Maximized=0" 20 || fail "PELLINO2.EXE did not start"
screenshot second-copy
# Both windows are called "Pellino!": close one and wait until it has gone, so the next close
# cannot reach it again while it is still closing.
drive close "Pellino!"
for _ in $(seq 1 100); do
  kill -0 "$other" 2>/dev/null && kill -0 "$PROGRAM_PID" 2>/dev/null || break
  sleep 0.1
done
drive close "Pellino!"
for _ in $(seq 1 100); do
  kill -0 "$other" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$other" 2>/dev/null && fail "PELLINO2.EXE did not end when closed"
wait "$other" 2>/dev/null || true
rm -rf "$other_dir"
expect_program_ends 10
