#!/usr/bin/env bash
# A data file that another program holds without sharing as Pellino starts (a sync client, a virus
# scanner), for its first 8 seconds: the start shows empty lists and says nothing, a reminder
# added meanwhile is not written over the file, and once the other program lets go the file's 11
# reminders come into the lists and Pellino.dat holds them and the one added, 12 in all.
source "$(dirname "$0")/lib.sh"

day=$(date_time_value 0)
day=${day%.*}
{
  echo "list one-time"
  for i in $(seq 1 11); do
    echo "record Kind=0 DueDateTime=$((day + i)).5 Description=\"Stored reminder $i\" Status=3"
  done
  echo "end"
} | make_data_file
cp "$APP_DIR/Pellino.dat" "$APP_DIR/prepared.dat"

# The second program runs under the same prefix and holds the file with share mode 0.
(cd "$APP_DIR" && exec wine "$E2E" hold Pellino.dat 8 >hold.log 2>"$APP_DIR/hold.err") &
HOLD_PID=$!
wait_for_line "$APP_DIR/hold.log" held 10 || fail "the file could not be held: $(cat "$APP_DIR/hold.err")"

start_program
expect_eq "$(drive control "Pellino!" "&Edit")" "visible disabled" "empty lists while the file is held"
expect_eq "$(drive boxes "Pellino!")" "0" "nothing said at the start"

drive click "Pellino!" "&New"
drive wait "Reminder Description" 5000 || fail "New opened no editor"
drive settext "Reminder Description" Edit 0 "Added while the file was held" || fail "no message typed"
drive settext "Reminder Description" Edit 1 "11:58 pm" || fail "no time typed"
drive click "Reminder Description" "&Save"
drive gone "Reminder Description" 5000 || fail "Save left the editor open"
expect_eq "$(drive boxes "Pellino!")" "0" "no error for the change that waits"
cmp -s "$APP_DIR/prepared.dat" "$APP_DIR/Pellino.dat" || fail "the held file was written over"

wait "$HOLD_PID" || fail "the holding program failed"
grep -q released "$APP_DIR/hold.log" || fail "the file was not let go of"
# Read within a few seconds, and written at the clock's next pass.
records=0
for _ in $(seq 1 30); do
  records=$(dump_data_file | grep -c '^record' || true)
  [ "$records" -eq 12 ] && break
  sleep 0.5
done
expect_eq "$records" "12" "reminders in Pellino.dat once the file was let go of"
expect_eq "$(drive boxes "Pellino!")" "0" "nothing to tell of a file held for 8 seconds"
sleep 1  # painted whole before the picture
screenshot held-file-read
drive close "Pellino!"
expect_program_ends 10

dump=$(dump_data_file)
echo "$dump" | grep -q '^# read to the end' || fail "Pellino.dat does not read whole: $dump"
for i in $(seq 1 11); do
  echo "$dump" | grep -q "Description=\"Stored reminder $i\"" || fail "stored reminder $i lost: $dump"
done
echo "$dump" | grep -q 'Description="Added while the file was held"' || fail "the added one lost: $dump"
[ ! -e "$APP_DIR/Pellino.bak" ] || fail "a file read whole was kept as a backup"
[ ! -e "$APP_DIR/Pellino.unsaved.dat" ] || fail "changes were left beside the data file"
