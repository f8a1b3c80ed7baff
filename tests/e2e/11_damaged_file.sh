#!/usr/bin/env bash
# A data file cut short loads as far as it can be read, silently; the close that writes the lists
# back first keeps the cut file as Pellino.bak, and the new file reads whole.
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
expect_eq "$(drive control "Pellino!" "&Edit")" "visible enabled" "Edit with what could be read"
[ ! -e "$APP_DIR/Pellino.bak" ] || fail "loading wrote a backup"
drive close "Pellino!"
expect_program_ends 10
cmp -s "$APP_DIR/Pellino.bak" "$APP_DIR/cut.dat" || fail "Pellino.bak is not the file as it was"
dump=$(dump_data_file)
echo "$dump" | grep -q '^# read to the end' || fail "the file written on close does not read whole: $dump"
echo "$dump" | grep -q 'Description="First, read whole"' || fail "the first reminder was lost: $dump"
