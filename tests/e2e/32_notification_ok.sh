#!/usr/bin/env bash
# "Ok" acknowledges a due reminder, and the data file holds it as Done before the program ends.
# The message is shown as typed ("&" is no accelerator mark in it), and the list that had the
# keyboard focus before the notification has it again afterwards.
source "$(dirname "$0")/lib.sh"

make_due_reminder "Call Tom & Jerry" 6
start_program
drive clickin "Pellino!" PellinoCustom 0 60 30 || fail "no click in the list"
expect_notification "Call Tom & Jerry"
style=$(drive style "Reminder Notification" Static 0)
# SS_NOPREFIX (0x80): the label draws every "&" as itself.
(((0x$style & 0x80) != 0)) || fail "the message's label takes \"&\" for an accelerator mark (style $style)"
sleep 0.5  # painted whole before the picture
screenshot notification-ampersand
drive click "Reminder Notification" "Ok"
drive gone "Reminder Notification" 5000 || fail "the window stayed open"
wait_for_stored_value Status 1 || fail "the acknowledged reminder is not Done in the file: $(stored_value Status)"
for _ in $(seq 1 50); do
  [ "$(drive focused "Pellino!")" = "PellinoCustom 0" ] && break
  sleep 0.1
done
expect_eq "$(drive focused "Pellino!")" "PellinoCustom 0" "the focus after the notification"
drive close "Pellino!"
expect_program_ends 10
