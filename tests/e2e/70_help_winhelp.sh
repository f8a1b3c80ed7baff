#!/usr/bin/env bash
# Help on a system with the WinHelp engine (Windows 98 here): Help > Contents and the help button
# of every dialog open their own topic of PELLINO.HLP, the very first request included, and the
# engine goes when the program ends. Without the help file the engine itself says so.
source "$(dirname "$0")/lib.sh"
# The help engine is a program of its own: whatever happens, it does not outlive the scenario.
trap 'e2e_cleanup; wineserver -k 2>/dev/null || true' EXIT

use_windows_98
start_program

# Waits up to 10 s until the WinHelp window shows the topic whose heading is $1.
expect_topic() {
  local heading
  for _ in $(seq 1 50); do
    heading=$(drive text "$HELP_WINDOW" RichEdit20A 0 2>/dev/null | head -1 || true)
    [ "$heading" = "$1" ] && return 0
    sleep 0.2
  done
  fail "the help shows '$heading', not '$1'"
}
# Wine's WinHelp engine captions its window with its own name, whatever the file's title.
HELP_WINDOW="Wine Help"

# Help > Contents: the menu drops down with "Contents" highlighted.
drive menu "Pellino!" h
drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
drive wait "$HELP_WINDOW" 10000 || fail "Help > Contents opened no help window"
expect_topic "Chapter 1: The Pellino! window"
screenshot help-winhelp-contents

drive click "Pellino!" "&New"
drive wait "Reminder Description" 5000 || fail "New opened no editor"
drive click "Reminder Description" "&Help"
expect_topic "Chapter 2: Writing a one-time reminder"

drive click "Reminder Description" "Options"
drive wait "Reminder Options" 5000 || fail "no options dialog"
drive click "Reminder Options" "&Help"
expect_topic "Chapter 5: What happens when a reminder is due"
screenshot help-winhelp-options
drive click "Reminder Options" "&Cancel"
drive gone "Reminder Options" 5000 || fail "the options dialog stayed open"

drive settext "Reminder Description" Edit 1 "11:58 pm" || fail "the time could not be typed"
drive click "Reminder Description" "" || fail "the picker button could not be pressed"
drive wait "Set Time As: 11:58 pm" 5000 || fail "no time picker"
drive click "Set Time As: 11:58 pm" "&Help"
expect_topic "Chapter 4: Picking a time with the mouse"
drive click "Set Time As: 11:58 pm" "&Cancel"
drive gone "Set Time As: 11:58 pm" 5000 || fail "the picker stayed open"
drive click "Reminder Description" "&Cancel"
drive gone "Reminder Description" 5000 || fail "the editor stayed open"

drive tab "Pellino!" 1 || fail "the repeating list could not be shown"
drive click "Pellino!" "&New"
drive wait "Repeating Reminder Description" 5000 || fail "New opened no repeating editor"
drive click "Repeating Reminder Description" "&Help"
expect_topic "Chapter 3: Writing a repeating reminder"
drive click "Repeating Reminder Description" "&Cancel"
drive gone "Repeating Reminder Description" 5000 || fail "the repeating editor stayed open"

# Ending the program ends the help engine it started.
drive close "Pellino!"
expect_program_ends 10
drive gone "$HELP_WINDOW" 5000 || fail "the help window outlived the program"

# Without PELLINO.HLP the engine tells the user; the program goes on once the question is answered.
start_program
rm "$APP_DIR/PELLINO.HLP"
drive menu "Pellino!" h
drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
drive wait "ERROR" 10000 || fail "a missing help file was not reported"
expect_eq "$(drive text "ERROR" Static 1)" \
  "Cannot find 'Z:$(tr / '\\' <<<"$APP_DIR")\PELLINO.HLP'. Do you want to find this file yourself?" \
  "the help engine's message"
drive click "ERROR" "&No"
drive gone "ERROR" 5000 || fail "the help engine's message stayed"
drive close "Pellino!"
expect_program_ends 10
drive gone "$HELP_WINDOW" 5000 || fail "the help engine outlived the program"
