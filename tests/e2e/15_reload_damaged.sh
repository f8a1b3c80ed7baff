#!/usr/bin/env bash
# The reload at a new date finds the data file damaged: the lists stay as they were, moved on to
# the new day, the user is told once, the damaged file is kept as Pellino.bak, and the lists are
# written back whole.
source "$(dirname "$0")/lib.sh"

day=$(date_time_value 0)
day=${day%.*}
make_data_file <<EOF_DATA
list one-time
record Kind=0 DueDateTime=$((day + 1)).5 Description="Tomorrow at noon" Status=3
end
list repeating
record Kind=1 FirstTime=0.75 DaySet="0123456" Description="Every evening" Status=3
end
EOF_DATA

start_program_shifted "$(seconds_until "today 23:59:50")"
expect_eq "$(drive control "Pellino!" "&Edit")" "visible enabled" "the reminder before midnight"
printf 'MZ, not a data file' >"$APP_DIR/damaged.dat"
cp "$APP_DIR/damaged.dat" "$APP_DIR/Pellino.dat"

for _ in $(seq 1 200); do
  [ "$(drive boxes "Pellino!")" -ge 1 ] && break
  sleep 0.1
done
expect_eq "$(drive boxes "Pellino!")" "1" "one warning after midnight"
sleep 1  # painted whole before the picture
screenshot reload-damaged-warning
cmp -s "$APP_DIR/Pellino.bak" "$APP_DIR/damaged.dat" || fail "Pellino.bak is not the damaged file"
drive boxclick "Pellino!" OK || fail "the warning has no OK"
expect_eq "$(drive control "Pellino!" "&Edit")" "visible enabled" "the lists stay as they were"
drive close "Pellino!"
expect_program_ends 10
dump=$(dump_data_file)
echo "$dump" | grep -q '^# read to the end' || fail "Pellino.dat does not read whole: $dump"
echo "$dump" | grep -q 'Description="Tomorrow at noon"' || fail "the one-time reminder was lost: $dump"
echo "$dump" | grep -q 'Description="Every evening"' || fail "the repeating reminder was lost: $dump"
