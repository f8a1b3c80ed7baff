#!/usr/bin/env bash
# A data file cut short inside a record: the start tells the user once that it is damaged, how
# many reminders were read and that the file as it was is kept as Pellino.bak, which is there at
# once. The record cut short is not shown, and the close writes back a file that reads whole.
source "$(dirname "$0")/lib.sh"

day=$(date_time_value 0)
day=${day%.*}
make_data_file <<EOF_DATA
header integer=666 float=2
list one-time
record Kind=0 DueDateTime=$((day + 3)).5 Description="First, read whole" Status=3
record Kind=0 DueDateTime=$((day + 4)).5 Description="Second, cut in its description" Status=3
end
list repeating
end
EOF_DATA
size=$(stat -c %s "$APP_DIR/Pellino.dat")
head -c $((size - 30)) "$APP_DIR/Pellino.dat" >"$APP_DIR/cut.dat"
cp "$APP_DIR/cut.dat" "$APP_DIR/Pellino.dat"

start_program
for _ in $(seq 1 50); do
  [ "$(drive boxes "Pellino!")" -ge 1 ] && break
  sleep 0.1
done
expect_eq "$(drive boxes "Pellino!")" "1" "one warning about the damaged file"
sleep 1  # painted whole before the picture
screenshot damaged-file-warning
ls -la "$APP_DIR"; cmp "$APP_DIR/Pellino.bak" "$APP_DIR/cut.dat" || fail "Pellino.bak is not the file as it was"
drive boxclick "Pellino!" OK || fail "the warning has no OK"
expect_eq "$(drive control "Pellino!" "&Edit")" "visible enabled" "Edit with what could be read"
drive close "Pellino!"
expect_program_ends 10
cmp -s "$APP_DIR/Pellino.bak" "$APP_DIR/cut.dat" || fail "Pellino.bak changed"
dump=$(dump_data_file)
echo "$dump" | grep -q '^# read to the end' || fail "the file written on close does not read whole: $dump"
echo "$dump" | grep -q 'Description="First, read whole"' || fail "the first reminder was lost: $dump"
if echo "$dump" | grep -q 'Second'; then fail "the record cut short came back: $dump"; fi

# The next start has nothing to tell.
start_program
sleep 3
expect_eq "$(drive boxes "Pellino!")" "0" "no warning at the next start"
drive close "Pellino!"
expect_program_ends 10
