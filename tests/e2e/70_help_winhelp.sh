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

# Checks that the help shows the topic of context number $1, the very first request included.
expect_context() {
  case $1 in
    1009)
      drive wait "$HELP_WINDOW" 10000 || fail "Help > Contents opened no help window"
      expect_topic "Chapter 1: The Pellino! window"
      screenshot help-winhelp-contents
      ;;
    1004) expect_topic "Chapter 2: Writing a one-time reminder" ;;
    2004)
      expect_topic "Chapter 5: What happens when a reminder is due"
      screenshot help-winhelp-options
      ;;
    2987) expect_topic "Chapter 4: Picking a time with the mouse" ;;
    2986) expect_topic "Chapter 3: Writing a repeating reminder" ;;
    *) fail "no topic known for context $1" ;;
  esac
}
ask_every_help_topic expect_context

# Ending the program ends the help engine it started.
drive close "Pellino!"
expect_program_ends 10
drive gone "$HELP_WINDOW" 5000 || fail "the help window outlived the program"

# Without PELLINO.HLP the engine tells the user; the program goes on once the question is answered.
start_program
rm "$APP_DIR/PELLINO.HLP"
drop_menu "Pellino!" h
drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
# The help engine starts anew here, which a busy machine can take long over.
drive wait "ERROR" 30000 || fail "a missing help file was not reported"
expect_eq "$(drive text "ERROR" Static 1)" \
  "Cannot find 'Z:$(tr / '\\' <<<"$APP_DIR")\PELLINO.HLP'. Do you want to find this file yourself?" \
  "the help engine's message"
drive click "ERROR" "&No"
drive gone "ERROR" 5000 || fail "the help engine's message stayed"
drive close "Pellino!"
expect_program_ends 10
drive gone "$HELP_WINDOW" 5000 || fail "the help engine outlived the program"
