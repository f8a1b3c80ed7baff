#!/usr/bin/env bash
# The program starts in an empty folder, shows its main window at the designed size, and the close
# command ends it.
source "$(dirname "$0")/lib.sh"

start_program
expect_eq "$(drive client "Pellino!")" "599 362" "client size at 96 DPI"
expect_eq "$(drive text "Pellino!" Button 5)" "Minimize" "first button of the bottom bar"
expect_eq "$(drive text "Pellino!" Button 6)" "E&xit" "second button of the bottom bar"
screenshot start
drive close "Pellino!"
expect_program_ends 10
