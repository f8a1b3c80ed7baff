#!/usr/bin/env bash
# The notification window comes up in the middle of the monitor that holds the foreground window,
# not on the primary one. The two monitors of this display both start at 0,0: an 800 x 600
# primary and a 1024 x 768 second one, so a window beyond 800, 600 lies on the second alone.
source "$(dirname "$0")/lib.sh"

use_two_monitors 800x600 1024x768
expect_eq "$(drive monitors - | tr '\n' ';')" "0 0 800 600;0 0 1024 768;" "the monitors Wine sees"
make_due_reminder "On the second monitor" 2
start_program
# The user works in another program, on the second monitor only, when the reminder falls due.
drive otherwindow "Other program" 850 630 160 120 20000 &
other=$!
for _ in $(seq 1 50); do
  [ "$(drive foreground "Other program" 2>/dev/null)" = foreground ] && break
  sleep 0.1
done
expect_eq "$(drive foreground "Other program")" "foreground" "the other program before the reminder"
expect_notification "On the second monitor"
read -r left top right bottom <<<"$(drive rect "Reminder Notification")"
echo "notification at $left $top $right $bottom"
screenshot notification-second-monitor
# The second monitor's middle is 512, 384; the primary's would be 400, 300.
awk -v x=$(((left + right) / 2)) -v y=$(((top + bottom) / 2)) \
  'BEGIN { exit !(x >= 510 && x <= 514 && y >= 382 && y <= 386) }' ||
  fail "the window's middle is $(((left + right) / 2)), $(((top + bottom) / 2)), not the second monitor's 512, 384"
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
drive close "Pellino!"
expect_program_ends 10
kill "$other" 2>/dev/null || true
wait "$other" 2>/dev/null || true
