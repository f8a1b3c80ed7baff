#!/usr/bin/env bash
# Measures, under Wine, the save of 100 000 reminders against one plain write of the same bytes
# and its reading back against one fread, then the start as bench/wine-startup.sh does. A
# measurement to run by hand on a quiet machine, not a test: it prints figures.
#   bench/wine-measure.sh [COUNT] [ROUNDS]     (100000 and 7 unless given)
# PELLINO_MEASURE_PROGRAM names another PELLINO.EXE to start, for instance an older build's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env"
count=${1:-100000}
rounds=${2:-7}

preset=$PELLINO_WINDOWS_BUILD
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target pellino-measure >/dev/null
pellino_start_display
trap pellino_stop_display EXIT
pellino_prepare_prefix

work=$(mktemp -d)
trap 'rm -rf "$work"; pellino_stop_display' EXIT
measure="$PELLINO_WIN32_DIR/pellino-measure.exe"
windows_path() { wine winepath.exe -w "$1" 2>/dev/null | tr -d "\r"; }

echo "== $preset build under $(wine --version 2>/dev/null || echo Wine), load $(cut -d' ' -f1-3 /proc/loadavg)"
# Wine's helper processes inherit the output handles, so the output goes to a file, never a pipe.
wine "$measure" save "$count" "$(windows_path "$work")" "$rounds" >"$work/save.txt" 2>&1 ||
  { cat "$work/save.txt"; exit 1; }
cat "$work/save.txt"
# The start's goals are bench/wine-startup.sh's to judge; here only its figures count.
"$root/bench/wine-startup.sh" "$count" "$rounds" || [ $? -eq 3 ]
