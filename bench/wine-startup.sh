#!/usr/bin/env bash
# The start-up benchmark under Wine: PELLINO.EXE with empty lists and with COUNT reminders against
# a program that only shows a window (bench/wine/barewindow.cpp), in rotating rounds, each time
# until the window takes input. It prints every round with the empty start's ratio to the bare
# window and what the reminders add, and ends with a failure status when a round missed a goal
# (the empty start within 1.5 times the bare window, the reminders adding under 100 ms), so that a
# change that slows the start shows at once. Run by `make bench`; best on an idle machine.
#   bench/wine-startup.sh [COUNT] [ROUNDS]     (100000 and 10 unless given)
# PELLINO_MEASURE_PROGRAM names another PELLINO.EXE to start, for instance an older build's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env"
count=${1:-100000}
rounds=${2:-10}

preset=$PELLINO_WINDOWS_BUILD
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target pellino pellino-measure pellino-bare-window >/dev/null
pellino_start_display
work=$(mktemp -d)
trap 'rm -rf "$work"; pellino_stop_display' EXIT
pellino_prepare_prefix

cp "${PELLINO_MEASURE_PROGRAM:-$PELLINO_WIN32_DIR/PELLINO.EXE}" "$work/PELLINO.EXE"
cp "$PELLINO_WIN32_DIR/pellino-bare-window.exe" "$work/"
windows_path() { wine winepath.exe -w "$1" 2>/dev/null | tr -d "\r"; }

echo "== start-up, $preset build under $(wine --version 2>/dev/null || echo Wine), load $(cut -d' ' -f1-3 /proc/loadavg)"
# Wine's helper processes inherit the output handles, so the output goes to a file, never a pipe.
status=0
wine "$PELLINO_WIN32_DIR/pellino-measure.exe" start "$(windows_path "$work/PELLINO.EXE")" \
  "$(windows_path "$work/pellino-bare-window.exe")" "$count" "$rounds" >"$work/start.txt" 2>&1 ||
  status=$?
cat "$work/start.txt"
exit $status
