#!/usr/bin/env bash
# Measures, under Wine, the reload of the lists at a new date with the main window open: the
# program starts a few seconds before midnight on a wall clock shifted for it alone (the project's
# clock-shifting library, tests/clockshift, on the 32-bit and the 64-bit Wine alike), with 1 000,
# 10 000 and 100 000 reminders in its data file, and the driver keeps sending the window null
# messages across midnight. For each size it prints how long the start-up load took to show the
# window and the longest the window then went without answering, which is the reload's stall.
# It stops with an error when the program's clock panel shows that its clock was not moved.
#   bench/wine-reload.sh [COUNT...]
# A measurement, not a test: run it by hand on an idle machine and compare runs of one machine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env"

counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(1000 10000 100000)

cmake --preset "$PELLINO_WINDOWS_BUILD" >/dev/null && cmake --build --preset "$PELLINO_WINDOWS_BUILD" || exit 1
clock_shift=$(pellino_clock_shift_preload) || exit 1
cmake --preset native >/dev/null && cmake --build --preset native --target pellino-dat || exit 1
pellino_start_display || exit 1
work=$(mktemp -d)
program_pid=
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  pellino_stop_display
  rm -rf "$work"
}
trap finish EXIT
pellino_prepare_prefix
drive() { wine "$PELLINO_WIN32_DIR/pellino-e2e.exe" "$@" 2>/dev/null | tr -d '\r'; }

# Stops the measurement unless the clock panel shows a time from $1 to $2 (texts as the panel
# shows them, "11:59:48pm"; both within one half-day): the clock of the program was not moved,
# and the figures would measure no reload.
expect_panel_between() {
  local shown
  shown=$(drive text "Pellino!" PellinoPanel 1)
  if [[ ${shown:8:2} != "${1:8:2}" || ${shown:0:8} < ${1:0:8} || ${shown:0:8} > ${2:0:8} ]]; then
    echo "wine-reload: the program's clock shows '$shown', not $1 to $2: its clock was not moved" >&2
    exit 1
  fi
}

# Half one-time reminders spread over the year from today on, half repeating ones, all with
# messages of an everyday length; none falls due in the seconds measured.
write_reminders() {
  local count=$1 today
  today=$(( ($(date -u +%s) / 86400) + 25569 ))
  awk -v n="$count" -v today="$today" 'BEGIN {
    print "header integer=666 float=2"
    print "list one-time"
    for (i = 0; i < n; i += 2)
      printf "record Kind=0 NotifyMode=1 DueDateTime=%.6f Description=\"Call the dentist about Thursday %d\" Status=3\n", today + 1 + (i % 730) / 2 + 0.375, i
    print "end"
    print "list repeating"
    for (i = 1; i < n; i += 2)
      printf "record Kind=1 NotifyMode=1 FirstTime=%.6f DaySet=\"12345\" IntervalMinutes=30 Description=\"Stretch %d\" Status=3\n", 0.75 + (i % 60) / 1440, i
    print "end"
  }' | "$root/build/native/pellino-dat" make "$work/Pellino.dat" >/dev/null || exit 1
}

printf "%-8s %-14s %-20s %s\n" reminders window-shown-ms longest-no-answer-ms clock-after
for count in "${counts[@]}"; do
  rm -f "$work"/*
  cp "$PELLINO_WIN32_DIR/PELLINO.EXE" "$work/"
  write_reminders "$count"
  # Midnight comes 12 s after the start: time enough for the start-up load to show the window.
  started=$(date +%s%N)
  echo $(( $(date -d "today 23:59:48" +%s) - started / 1000000000 )) >"$work/clock-shift"
  (cd "$work" && LD_PRELOAD="$clock_shift" PELLINO_CLOCK_SHIFT_FILE="$work/clock-shift" \
    exec wine PELLINO.EXE >"$work/wine.log" 2>&1) &
  program_pid=$!
  drive wait "Pellino!" 600000 >/dev/null || { echo "$count: the window did not appear"; continue; }
  shown=$(( ($(date +%s%N) - started) / 1000000 ))
  [ "$shown" -lt 9000 ] && expect_panel_between 11:59:48pm 11:59:59pm
  # Past midnight and a little more, whatever part of the 12 s the start-up used.
  longest=$(drive answers "Pellino!" $(( 12000 - shown > 0 ? 12000 - shown + 6000 : 6000 )))
  clock=$(drive text "Pellino!" PellinoPanel 1 2>/dev/null || true)
  expect_panel_between 12:00:00am 12:09:59am
  printf "%-8s %-14s %-20s %s\n" "$count" "$shown" "$longest" "$clock"
  drive close "Pellino!" >/dev/null
  drive gone "Pellino!" 600000 >/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=
done
