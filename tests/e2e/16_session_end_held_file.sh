#!/usr/bin/env bash
# A reminder added while another program holds the data file cannot be saved; as the session ends
# it is written beside the data file to Pellino.unsaved.dat, and the process may then be ended at
# once. The next start adds it to the lists, saves it to Pellino.dat and removes the file beside.
source "$(dirname "$0")/lib.sh"

day=$(date_time_value 0)
day=${day%.*}
make_data_file <<EOF_DATA
list one-time
record Kind=0 DueDateTime=$((day + 2)).5 Description="Stored before" Status=3
end
EOF_DATA

start_program
(cd "$APP_DIR" && exec wine "$E2E" hold Pellino.dat 30 >hold.log 2>"$APP_DIR/hold.err") &
HOLD_PID=$!
wait_for_line "$APP_DIR/hold.log" held 10 || fail "the file could not be held: $(cat "$APP_DIR/hold.err")"

drive click "Pellino!" "&New"
drive wait "Reminder Description" 5000 || fail "New opened no editor"
drive settext "Reminder Description" Edit 0 "Added just before the log-off" || fail "no message typed"
drive settext "Reminder Description" Edit 1 "11:58 pm" || fail "no time typed"
drive click "Reminder Description" "&Save"
drive gone "Reminder Description" 5000 || fail "Save left the editor open"
for _ in $(seq 1 50); do
  [ "$(drive boxes "Pellino!")" -ge 1 ] && break
  sleep 0.1
done
expect_eq "$(drive boxes "Pellino!")" "1" "the failed save is told"
drive boxclick "Pellino!" OK || fail "the error box has no OK"

drive endsession "Pellino!" || fail "the session end was not answered"
[ -f "$APP_DIR/Pellino.unsaved.dat" ] || fail "no Pellino.unsaved.dat after the session end"
# The session ends the process.
kill -9 "$PROGRAM_PID"
expect_program_ends 10
# The other program lets go of the file.
kill "$HOLD_PID" 2>/dev/null || true
wait "$HOLD_PID" 2>/dev/null || true
dump_data_file | grep -q 'Added just before' && fail "the held file was written"

# The next log-on.
start_program
records=0
for _ in $(seq 1 30); do
  records=$(dump_data_file | grep -c '^record' || true)
  [ "$records" -eq 2 ] && [ ! -e "$APP_DIR/Pellino.unsaved.dat" ] && break
  sleep 0.5
done
expect_eq "$records" "2" "reminders in Pellino.dat after the next start"
[ ! -e "$APP_DIR/Pellino.unsaved.dat" ] || fail "Pellino.unsaved.dat was not removed once saved"
expect_eq "$(drive boxes "Pellino!")" "0" "nothing to tell at the next start"
drive close "Pellino!"
expect_program_ends 10
dump=$(dump_data_file)
echo "$dump" | grep -q 'Description="Stored before"' || fail "the stored reminder was lost: $dump"
echo "$dump" | grep -q 'Description="Added just before the log-off"' || fail "the added one was lost: $dump"
