#!/usr/bin/env bash
# Killing the program at any moment of the save its close runs never costs the data file: after
# every kill the folder holds a Pellino.dat that reads whole and is either the file as it was or
# the file the close writes. The kills are spread evenly from the start of the save to the end of
# the process, times that 100 000 reminders make long enough to aim at; PELLINO_KILLS sets how many
# (make fuzz runs 50).
source "$(dirname "$0")/lib.sh"

kills=${PELLINO_KILLS:-4}
reminders=${PELLINO_KILL_REMINDERS:-100000}

# The inspector of this machine when there is one: it reads the file many times faster than the
# Windows one under Wine.
check_data_file() {
  if [ -x "$PELLINO_ROOT/build/native/pellino-dat" ]; then
    "$PELLINO_ROOT/build/native/pellino-dat" check "$1" >/dev/null
  else
    (cd "$(dirname "$1")" && wine "$WIN32_DIR/pellino-dat.exe" check "$(basename "$1")" >/dev/null 2>&1)
  fi
}

# Past one-time reminders stored as Pending: the program reads them as Expired, so the file the
# close writes differs from the old one in every record.
day=$(date_time_value 0)
day=${day%.*}
awk -v n="$reminders" -v day="$day" 'BEGIN {
  print "list one-time"
  for (i = 0; i < n; i++) {
    printf "record Kind=0 DueDateTime=%d.5 Description=\"Reminder %d, stored before the kill\"", day - 1 - i % 3000, i
    print " Status=0"
  }
  print "end"
}' | make_data_file
cp "$APP_DIR/Pellino.dat" "$APP_DIR/old.dat"

# A close without a kill: when the new file is written beside the old one, when it takes the old
# one's place, and what it holds.
start_program
# The driver runs in the program's folder, so the new file's name is enough.
read -r appeared replaced ended < <(cd "$APP_DIR" && drive closetimes "Pellino!" Pellino.tmp) ||
  fail "the close could not be timed"
expect_program_ends 10
[ "${appeared%.*}" -ge 0 ] && [ "${replaced%.*}" -ge 0 ] ||
  fail "the close wrote no new file beside the old one ($appeared $replaced $ended ms)"
echo "close: new file from $appeared ms, in place at $replaced ms, process ended at $ended ms"
cp "$APP_DIR/Pellino.dat" "$APP_DIR/new.dat"
check_data_file "$APP_DIR/new.dat" || fail "the file the close wrote does not read whole"
! cmp -s "$APP_DIR/old.dat" "$APP_DIR/new.dat" || fail "the close wrote the file unchanged"

old=0
new=0
writing=0
# Starts the program on the old file, closes it and kills it $1 ms after the close command.
kill_at() {
  local moment=$1 during found
  cp "$APP_DIR/old.dat" "$APP_DIR/Pellino.dat"
  rm -f "$APP_DIR/Pellino.tmp" "$APP_DIR/Pellino.bak"
  start_program
  during=$(cd "$APP_DIR" && drive closekill "Pellino!" "$moment" Pellino.tmp) ||
    fail "the kill at $moment ms failed"
  [ "$during" = there ] && writing=$((writing + 1))
  expect_program_ends 10
  [ -f "$APP_DIR/Pellino.dat" ] || fail "killed at $moment ms: no Pellino.dat"
  check_data_file "$APP_DIR/Pellino.dat" || fail "killed at $moment ms: Pellino.dat does not read whole"
  if cmp -s "$APP_DIR/Pellino.dat" "$APP_DIR/old.dat"; then
    old=$((old + 1))
    found=old
  elif cmp -s "$APP_DIR/Pellino.dat" "$APP_DIR/new.dat"; then
    new=$((new + 1))
    found=new
  else
    fail "killed at $moment ms: Pellino.dat is neither the old file nor the new one"
  fi
  echo "killed at $moment ms ($([ "$during" = there ] && echo "while the new file was written" ||
    echo "with no new file beside the old one")): the $found file"
}

# From the moment the new file appeared to the end of the process: a save in a run of its own
# may take longer than the one timed, and the kills must reach past its end.
for i in $(seq 0 $((kills - 1))); do
  kill_at "$(awk -v a="$appeared" -v b="$ended" -v i="$i" -v n="$kills" \
    'BEGIN { printf "%.1f", (n > 1 ? a + (b - a) * i / (n - 1) : (a + b) / 2) }')"
done
# A run proves crash safety only with a kill in the middle of a write and a kill too late to stop
# it: a start whose save took longer or shorter than the timed one may have missed either, so
# further kills are aimed at each until it has happened, at most five times.
for extra in 1 2 3 4 5; do
  [ "$writing" -gt 0 ] && break
  kill_at "$(awk -v a="$appeared" -v b="$replaced" 'BEGIN { printf "%.1f", (a + b) / 2 }')"
done
for extra in 1 2 3 4 5; do
  [ "$new" -gt 0 ] && break
  kill_at "$(awk -v b="$ended" -v e="$extra" 'BEGIN { printf "%.1f", b * (1 + e / 2) }')"
done
echo "$((old + new)) kills, $writing of them while the new file was written: $old left the old file, $new the new one"
[ "$writing" -gt 0 ] || fail "no kill landed while the new file was written"
[ "$new" -gt 0 ] || fail "no kill left the whole new file"
