#!/usr/bin/env bash
# File > "Import from Pellino 1.x File": the open dialog takes the first version's ALARMS.DAT, its
# future one-time reminders join the list and the data file at once, the others stay out.
source "$(dirname "$0")/lib.sh"

tomorrow=$(date -d tomorrow +%m/%d/%Y)
yesterday=$(date -d yesterday +%m/%d/%Y)
printf '9:30^Dentist^x^3^%s^^1\r\n8:00^Gone by^x^3^%s^^0\r\n7:00^Other kind^x^2^%s^^0\r\n' \
  "$tomorrow" "$yesterday" "$tomorrow" >"$APP_DIR/ALARMS.DAT"

start_program
drop_menu "Pellino!" f
# File: the sound file, "No Reminder Sound", the tray, then the import.
for _ in 1 2 3; do drive key "Pellino!" - 0 40 || fail "Down did not reach the menu"; done
drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
drive wait "Open" 10000 || fail "no open dialog"
sleep 1
screenshot import-dialog
drive settext "Open" Edit 0 "ALARMS.DAT" || fail "no file name box"
drive key "Open" - 0 13 || fail "Enter did not reach the dialog"
drive gone "Open" 10000 || fail "the dialog stayed open"
for _ in $(seq 1 25); do
  [ "$(stored_value Description)" = '"Dentist"' ] && break
  sleep 0.2
done
expect_eq "$(stored_value Description)" '"Dentist"' "the imported reminder in the data file"
expect_eq "$(dump_data_file | grep -c '^record')" "1" "records in the data file"
expect_eq "$(stored_value NotifyMode)" "1" "its notification mode"
screenshot import-done
drive close "Pellino!"
expect_program_ends 10
