#!/usr/bin/env bash
# How long the notification window's guard lasts under Wine: the win32 backend's guard test, run
# ROUNDS times, records the milliseconds from the showing to the buttons' coming to work. The rule
# is 800 ms; the timer's message waits behind any other, so the guard may end a little later on a
# busy machine. Fails when a round's guard lasted over 1500 ms. Run by `make bench`.
#   bench/wine-guard.sh [ROUNDS]     (5 unless given)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env"
rounds=${1:-5}

preset=$PELLINO_WINDOWS_BUILD
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target win32_tests >/dev/null
pellino_start_display
work=$(mktemp -d)
trap 'rm -rf "$work"; pellino_stop_display' EXIT
pellino_prepare_prefix

echo "== the notification's guard, $preset build, load $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
for round in $(seq 1 "$rounds"); do
  # Wine's helper processes inherit the output handles, so the output goes to a file, never a pipe.
  (cd "$work" && wine "$PELLINO_WIN32_DIR/win32_tests.exe" \
    --gtest_filter='Win32Notification.TheGuardSwallows*' --gtest_output=xml:guard.xml \
    >"$work/run.log" 2>&1) || { cat "$work/run.log"; exit 1; }
  ms=$(grep -o 'guardMs="[0-9]*"' "$work/guard.xml" | grep -o '[0-9]*') ||
    { echo "round $round: the test recorded no guard"; exit 1; }
  verdict=ok
  [ "$ms" -le 1500 ] || { verdict="over 1500 ms"; status=1; }
  echo "round $round: guard $ms ms ($verdict)"
done
exit $status
