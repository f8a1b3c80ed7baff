#!/usr/bin/env bash
# A reminder only to be heard whose sound cannot be heard is shown in its notification window, so
# that it is not acknowledged unseen: one whose sound file is not there, and, on a system with no
# sound device (as the tests' Wine has none), one whose file would play.
source "$(dirname "$0")/lib.sh"

# A wave file the player can read, and its path as the program sees the folder.
printf 'RIFF\044\000\000\000WAVEfmt \020\000\000\000\001\000\001\000\100\037\000\000\100\037\000\000\001\000\010\000data\000\000\000\000' \
  >"$APP_DIR/ding.wav"
folder=$(echo "Z:$APP_DIR" | sed 's|/|\\\\|g')

make_data_file <<EOF
list one-time
record Kind=0 NotifyMode=2 DueDateTime=$(date_time_value 2) Description="Heard, not seen" SoundFile="$folder\\\\ding.wav" Status=0
record Kind=0 NotifyMode=2 DueDateTime=$(date_time_value 3) Description="Only to be heard" SoundFile="$folder\\\\gone.wav" Status=0
end
EOF
start_program
expect_notification "Heard, not seen"
drive click "Reminder Notification" "Ok"
# The same window comes back at once with the next reminder due in this pass.
for _ in $(seq 1 50); do
  [ "$(drive text "Reminder Notification" Static 0 || true)" = "Only to be heard" ] && break
  sleep 0.1
done
expect_notification "Only to be heard"
screenshot sound-only-unplayable
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "Ok left the window open"
for _ in $(seq 1 25); do
  [ "$(dump_data_file | grep -c 'Status=1')" = 2 ] && break
  sleep 0.2
done
expect_eq "$(dump_data_file | grep -c 'Status=1')" "2" "both acknowledged"
drive close "Pellino!"
expect_program_ends 10
