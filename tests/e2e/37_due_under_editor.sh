#!/usr/bin/env bash
# An editor left open does not hold the clock: a reminder that falls due meanwhile comes up over
# it at once, its answer is applied and written, and the editor is still there afterwards.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Under the editor" 8
start_program
drive click "Pellino!" "&New"
drive wait "Reminder Description" 5000 || fail "New opened no editor"
drive wait "Reminder Notification" 30000 || fail "no notification while the editor was open"
expect_eq "$(drive text "Reminder Notification" Static 0)" "Under the editor" "the reminder's message"
expect_eq "$(drive visible "Reminder Description")" "visible" "the editor under the notification"
sleep 1.5  # past the window's guard, and painted whole before the picture
screenshot notification-over-editor
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "Ok left the notification open"
wait_for_stored_value Status 1 || fail "the answer was not written: Status $(stored_value Status)"
expect_eq "$(drive visible "Reminder Description")" "visible" "the editor after the answer"
drive click "Reminder Description" "&Cancel"
drive gone "Reminder Description" 5000 || fail "Cancel left the editor open"
drive close "Pellino!"
expect_program_ends 10
