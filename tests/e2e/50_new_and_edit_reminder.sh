#!/usr/bin/env bash
# A new user's first reminder, with no file prepared: "&New" opens the editor, the message and the
# time are typed into the real fields, Save writes the data file; "&Edit" changes it; the time
# picker and the options dialog open from the editor; and the reminder falls due and notifies.
source "$(dirname "$0")/lib.sh"

# Waits for the data file's first one-time record to hold value $2 under name $1.
expect_stored() {
  wait_for_stored_value "$1" "$2" || fail "$3: $1 is '$(stored_value "$1")', expected '$2'"
}

# The program's clock reads about noon, whatever the hour of the run: 11:58 PM is still ahead
# today, a time typed for midnight has gone by, and a reminder due in 20 seconds is due today.
shift=$(seconds_until "12:00:00")
start_program_shifted "$shift"
drive click "Pellino!" "&New"
drive wait "Reminder Description" 5000 || fail "New opened no editor"
expect_eq "$(drive text "Reminder Description" Edit 0)" "[Type reminder message here]" \
  "the message field at the start"
expect_eq "$(drive focus "Reminder Description")" "[Type reminder message here]" \
  "the focus starts in the message field"
sleep 1  # painted whole before the picture
screenshot editor-new

# Typed into the real fields, as the user's keystrokes reach them.
drive settext "Reminder Description" Edit 0 "Plants" || fail "the message could not be typed"
drive settext "Reminder Description" Edit 1 "11:58 pm" || fail "the time could not be typed"
drive click "Reminder Description" "&Save"
drive gone "Reminder Description" 5000 || fail "Save left the editor open"
expect_stored Description '"Plants"' "after Save"
due=$(stored_value DueDateTime)
awk -v d="$due" 'BEGIN { f = d - int(d); exit !(f > 0.99860 && f < 0.99862) }' ||
  fail "the stored moment $due is not at 11:58 PM"

# A bad time is told and the editor stays open with the time as typed, selected; Enter on the
# Cancel button, reached with Tab, then cancels without a change.
drive click "Pellino!" "&Edit"
drive wait "Reminder Description" 5000 || fail "Edit opened no editor"
expect_eq "$(drive text "Reminder Description" Edit 0)" "Plants" "the message on Edit"
expect_eq "$(drive text "Reminder Description" Edit 1)" "11:58 PM" "the time on Edit"
drive settext "Reminder Description" Edit 1 "25:00"
drive click "Reminder Description" "&Save"
drive wait "Information" 5000 || fail "a bad time was not told"
sleep 1  # painted whole before the picture
screenshot editor-bad-time
drive click "Information" "OK"
drive gone "Information" 5000 || fail "the message stayed"
drive wait "Reminder Description" 2000 || fail "the editor closed after a bad time"
expect_eq "$(drive focus "Reminder Description")" "25:00" "the focus after the refused time"
expect_eq "$(drive selection "Reminder Description")" "0 5" "the refused time, selected"
drive settext "Reminder Description" Edit 0 "Garden"
# From the time field past the picker, the five calendar buttons and Save.
for _ in $(seq 1 8); do drive key "Reminder Description" - 0 9; done
sleep 0.5
expect_eq "$(drive focus "Reminder Description")" "&Cancel" "the focus after eight Tabs"
drive key "Reminder Description" - 0 13 || fail "Enter could not be given"
drive gone "Reminder Description" 5000 || fail "Enter on Cancel left the editor open"
sleep 0.5
expect_stored Description '"Plants"' "after Enter on Cancel"

# The picker and the options dialog, from an editor opened by Enter in the list.
drive key "Pellino!" PellinoCustom 0 13 || fail "Enter could not be given to the list"
drive wait "Reminder Description" 5000 || fail "Enter in the list opened no editor"
drive click "Reminder Description" "" || fail "the picker button could not be pressed"
drive wait "Set Time As: 11:58 pm" 5000 || fail "no time picker showing the field's time"
sleep 1  # painted whole before the picture
screenshot editor-picker
drive click "Set Time As: 11:58 pm" "&Cancel"
drive gone "Set Time As: 11:58 pm" 5000 || fail "the picker stayed open"
drive click "Reminder Description" "Options"
drive wait "Reminder Options" 5000 || fail "no options dialog"
sleep 1  # painted whole before the picture
screenshot editor-options
drive click "Reminder Options" "Only Show &Message"
drive click "Reminder Options" "Ok"
drive gone "Reminder Options" 5000 || fail "the options dialog stayed open"
# Opened again, another choice is thrown away by Enter on its Cancel button, reached with Tab.
drive click "Reminder Description" "Options"
drive wait "Reminder Options" 5000 || fail "no options dialog the second time"
drive click "Reminder Options" "Only &Play Sound"
for _ in $(seq 1 10); do
  [ "$(drive focus "Reminder Options")" = "&Cancel" ] && break
  drive key "Reminder Options" - 0 9
  sleep 0.2
done
expect_eq "$(drive focus "Reminder Options")" "&Cancel" "the focus in the options after Tabs"
drive key "Reminder Options" - 0 13 || fail "Enter could not be given to the options"
drive gone "Reminder Options" 5000 || fail "Enter on Cancel left the options open"
# Alt+T takes the focus to the time, selected, from the Options button, where Enter would open
# the options again. A moment gone by is asked about; No goes back to the time, selected.
drive altkey "Reminder Description" - 0 84 || fail "Alt+T could not be given"
sleep 0.5
expect_eq "$(drive focus "Reminder Description")" "11:58 PM" "the focus after Alt+T"
expect_eq "$(drive selection "Reminder Description")" "0 8" "the time after Alt+T"
drive settext "Reminder Description" Edit 1 "12:00 AM"
drive key "Reminder Description" - 0 13 || fail "Enter could not be given"
drive wait "Confirm" 5000 || fail "a moment gone by was not asked about"
sleep 1  # painted whole before the picture
screenshot editor-time-passed
drive boxclick "Confirm" "&No"
drive gone "Confirm" 5000 || fail "the question stayed"
drive wait "Reminder Description" 2000 || fail "the editor closed after No"
expect_eq "$(drive focus "Reminder Description")" "12:00 AM" "the focus after No"
expect_eq "$(drive selection "Reminder Description")" "0 8" "the time gone by, selected"
# Due a little from now: the time field takes the regional form ('h:mm:ss AM' is accepted).
soon=$(date -d "@$(($(date +%s) + shift + 20))" "+%l:%M:%S %p" | sed 's/^ //')
drive settext "Reminder Description" Edit 1 "$soon"
drive key "Reminder Description" - 0 13 || fail "Enter could not be given"
drive gone "Reminder Description" 5000 || fail "Enter did not save"
expect_stored NotifyMode 1 "the options' choice after Enter (the cancelled one not taken)"

expect_notification "Plants" 90000
sleep 1  # painted whole before the picture
screenshot editor-notified
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "the notification stayed"
expect_stored Status 1 "after Ok"

drive close "Pellino!"
expect_program_ends 10
