#!/usr/bin/env bash
# A program folder whose path is longer than 260 characters: the program reads and writes the
# Pellino.dat beside itself, and no other folder's.
source "$(dirname "$0")/lib.sh"

long=$APP_DIR
i=0
while [ ${#long} -lt 300 ]; do
  i=$((i + 1))
  long="$long/a-folder-with-a-rather-long-name-$i"
done
mkdir -p "$long"
make_due_reminder "Mine, in the long folder" 86400
mv "$APP_DIR/Pellino.dat" "$long/"
cp "$WIN32_DIR/PELLINO.EXE" "$long/"
echo "program folder: $long (${#long} characters)"
(cd "$long" && exec wine PELLINO.EXE >"$APP_DIR/wine.log" 2>&1) &
PROGRAM_PID=$!
drive wait "Pellino!" 20000 || fail "the main window did not appear"
expect_eq "$(drive control "Pellino!" "&Edit")" "visible enabled" "the reminder of its own folder"
drive click "Pellino!" "&Clone"
# Wine cannot make so long a folder the working one of another program: the inspector reads a copy.
records_beside_program() {
  cp "$long/Pellino.dat" "$APP_DIR/copy.dat"
  (cd "$APP_DIR" && wine "$WIN32_DIR/pellino-dat.exe" dump copy.dat 2>/dev/null | grep -c '^record')
}
for _ in $(seq 1 25); do
  [ "$(records_beside_program)" = 2 ] && break
  sleep 0.2
done
expect_eq "$(records_beside_program)" "2" "the clone written beside the program"
expect_eq "$(find "$APP_DIR" -name Pellino.dat | wc -l)" "1" "no data file in another folder"
drive close "Pellino!"
expect_program_ends 10
